// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/finder/directorypickerpanel.h"

#include "core/platform/drives.h"
#include "gui/finder/directorylistbox.h"
#include "gui/shell/twips.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace hangardeck::gui {

DirectoryPickerPanel::DirectoryPickerPanel(QWidget *parent)
    : QGroupBox(parent)
{
    m_drive1 = new QComboBox(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_drive1->setGeometry(twipsRect(120, 120, 2535, 315));
    m_drive1->addItems(core::driveRoots());

    m_dir1 = new DirectoryListBox(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setGeometry(twipsRect(2760, 120, 6015, 1665));

    m_label8 = new QLabel(this);
    m_label8->setObjectName(QStringLiteral("Label8"));
    m_label8->setTextFormat(Qt::PlainText); // it shows folder names: "<b>" in one is no markup
    m_label8->setGeometry(twipsRect(240, 480, 2295, 1335));
    m_label8->setWordWrap(true);
    m_label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = m_label8->font();
    bold.setBold(true);
    m_label8->setFont(bold);
    m_label8->setStyleSheet(QStringLiteral("color: blue;"));

    m_cmdFind = new QPushButton(QStringLiteral("Find Directory"), this);
    m_cmdFind->setObjectName(QStringLiteral("cmdFind"));
    m_cmdFind->setGeometry(twipsRect(1320, 1560, 1455, 255));

    showDriveOf(m_dir1->path());
    connect(m_drive1, &QComboBox::currentIndexChanged, this, &DirectoryPickerPanel::onDriveChosen);
    connect(m_dir1, &DirectoryListBox::pathChanged, this, &DirectoryPickerPanel::onPathChanged);
    connect(m_cmdFind, &QPushButton::clicked, this, &DirectoryPickerPanel::findRequested);
}

QString DirectoryPickerPanel::path() const
{
    return m_dir1->path();
}

const std::filesystem::path &DirectoryPickerPanel::nativePath() const
{
    return m_dir1->nativePath();
}

bool DirectoryPickerPanel::setPath(const QString &path)
{
    return m_dir1->setPath(path);
}

bool DirectoryPickerPanel::setNativePath(const std::filesystem::path &path)
{
    return m_dir1->setNativePath(path);
}

void DirectoryPickerPanel::showSubfolders(std::vector<core::DirectoryEntry> subfolders)
{
    m_dir1->showSubfolders(std::move(subfolders));
}

void DirectoryPickerPanel::onDriveChosen(int index)
{
    // A drive that cannot be opened leaves the folder list and both labels as they were.
    if (index >= 0 && !m_dir1->setPath(m_drive1->itemText(index))) {
        showDriveOf(m_dir1->path());
    }
}

void DirectoryPickerPanel::onPathChanged(const QString &path)
{
    m_label8->setText(QStringLiteral("Set: ") + path);
    showDriveOf(path);
    Q_EMIT directoryChanged(path);
}

// Keeps the drive list on the volume that holds the folder list's path, without moving
// the folder list back to that volume's root.
void DirectoryPickerPanel::showDriveOf(const QString &path)
{
    QStringList roots;
    for (int i = 0; i < m_drive1->count(); ++i) {
        roots.append(m_drive1->itemText(i));
    }
    const int best = core::driveIndexOf(roots, path);
    if (best >= 0) {
        const QSignalBlocker blocker(m_drive1);
        m_drive1->setCurrentIndex(best);
    }
}

} // namespace hangardeck::gui
