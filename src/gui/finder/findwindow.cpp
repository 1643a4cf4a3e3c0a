// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/finder/findwindow.h"

#include "core/finder/directorysearch.h"
#include "core/finder/prefixsearch.h"
#include "core/platform/drives.h"
#include "core/platform/nativepath.h"
#include "core/platform/system.h"
#include "gui/finder/directorylistbox.h"
#include "gui/finder/directorypickerpanel.h"
#include "gui/shell/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace hangardeck::gui {

namespace {

constexpr int ProgressDotLimit = 50;
// While a search runs the window repaints and takes a click on Cancel this often.
constexpr qint64 RepaintIntervalMs = 30;
constexpr int NativePathRole = Qt::UserRole;

QFont boldFont(const QWidget *widget, qreal pointSize)
{
    QFont font = widget->font();
    font.setBold(true);
    font.setPointSizeF(pointSize);
    return font;
}

// Steps the label's font down a quarter point at a time until its wrapped text fits the label.
// The instructions were worded for a narrower font than a desktop's usual one: at 96 dpi and
// 8.25 points their last line fell below the label, onto the buttons' row.
void fitFontToText(QLabel *label)
{
    constexpr qreal Step = 0.25;
    constexpr qreal SmallestPointSize = 6;
    QFont font = label->font();
    while (label->heightForWidth(label->width()) > label->height() && font.pointSizeF() - Step >= SmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - Step);
        label->setFont(font);
    }
}

} // namespace

FindWindow::FindWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmFind"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("HANGARDECK Search For Aircraft Directory"));
    setFixedSize(twipsToPixels(8040), twipsToPixels(4575));

    m_drive1 = new QComboBox(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_drive1->setGeometry(twipsRect(0, 0, 2895, 315));
    const QStringList roots = core::driveRoots();
    m_drive1->addItems(roots);

    m_dir1 = new DirectoryListBox(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setGeometry(twipsRect(0, 360, 2895, 1890));
    m_dir1->setPath(core::searchStartFolder());

    m_label2 = new QLabel(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setGeometry(twipsRect(3000, 0, 4935, 375));
    m_label2->setFont(boldFont(m_label2, 12));
    m_label2->setStyleSheet(QStringLiteral("color: red;"));

    m_label1 =
        new QLabel(QStringLiteral("Double-click starting drive and/or directory to search.  Searching may take a "
                                  "few seconds to a few minutes. For optimal speed HANGARDECK will appear "
                                  "unresponsive during search; this is normal.  Network and slow RPM drive "
                                  "searches could take longer.  Click Search Now to start search or Cancel to "
                                  "return to  HANGARDECK."),
                   this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(twipsRect(3000, 480, 4935, 1215));
    m_label1->setFont(boldFont(m_label1, 8.25));
    m_label1->setWordWrap(true);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Sized for the opening text, the longest it shows.
    fitFontToText(m_label1);

    m_search = new QPushButton(QStringLiteral("&Search Now"), this);
    m_search->setObjectName(QStringLiteral("Command2"));
    m_search->setGeometry(twipsRect(5160, 1800, 1215, 375));

    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setGeometry(twipsRect(6600, 1800, 1215, 375));

    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setGeometry(twipsRect(0, 2280, 8055, 2205));

    // Keep the drive list on the volume that holds the folder list's path.
    m_drive1->setCurrentIndex(core::driveIndexOf(roots, m_dir1->path()));
    connect(m_drive1, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_dir1->setPath(m_drive1->itemText(index)); });
    connect(m_search, &QPushButton::clicked, this, &FindWindow::search);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_list1, &QListWidget::itemDoubleClicked, this, &FindWindow::adopt);
}

QString FindWindow::nextDots(const QString &dots)
{
    return (dots.size() > ProgressDotLimit ? QStringLiteral(".") : dots) + u'.';
}

// The walk holds the window: it repaints, and takes a click on Cancel or the close box,
// between directories. Earlier finds stay in the list.
void FindWindow::search()
{
    if (m_searching) {
        return;
    }
    m_searching = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_label1->setText(QStringLiteral("SEARCHING ") + m_dir1->path() + QStringLiteral(". . . .Please wait. . ."));
    m_label1->repaint();
    const auto list = [this](const std::filesystem::path &found) {
        auto *item = new QListWidgetItem(core::fromNativePath(found), m_list1);
        item->setData(NativePathRole, QByteArray::fromStdString(found.string()));
    };
    // The Aircraft folders inside Wine and Proton prefixes come first and at once: they are
    // found without a walk, and a walk from the disk's top may take minutes to reach them.
    const std::vector<std::filesystem::path> inPrefixes =
        core::findPrefixAircraftDirectories(core::prefixPlacesOfThisUser());
    std::for_each(inPrefixes.begin(), inPrefixes.end(), list);
    m_list1->repaint();
    QElapsedTimer sinceRepaint; // invalid at first: the first directory repaints at once
    core::DirectorySearchCallbacks callbacks;
    callbacks.found = [&](const std::filesystem::path &found) {
        if (std::find(inPrefixes.begin(), inPrefixes.end(), found) == inPrefixes.end()) {
            list(found);
        }
    };
    callbacks.searched = [this, &sinceRepaint] {
        m_label2->setText(nextDots(m_label2->text()));
        if (!sinceRepaint.isValid() || sinceRepaint.elapsed() >= RepaintIntervalMs) {
            sinceRepaint.start();
            m_label2->repaint();
            m_label1->repaint();
            QCoreApplication::processEvents();
        }
        return !m_closeRequested;
    };
    core::searchAircraftDirectories(m_dir1->nativePath(), callbacks);
    QApplication::restoreOverrideCursor();
    m_label1->setText(m_list1->count() == 0
                          ? QStringLiteral("Your aircraft directory could not be found.  Try another drive or folder.")
                          : QStringLiteral("Double click the directory below you believe is your aircraft directory."));
    m_label2->clear();
    m_searching = false;
    if (m_closeRequested) {
        close();
    }
}

void FindWindow::adopt()
{
    const QListWidgetItem *item = m_list1->currentItem();
    if (m_searching || !item) {
        return; // a double-click without a selection is ignored
    }
    Q_EMIT directoryChosen(item->text(), std::filesystem::path(item->data(NativePathRole).toByteArray().toStdString()));
    close();
}

void FindWindow::closeEvent(QCloseEvent *event)
{
    if (m_searching) {
        // The walk stops before its next directory; the window closes once it has.
        m_closeRequested = true;
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT closed();
}

} // namespace hangardeck::gui
