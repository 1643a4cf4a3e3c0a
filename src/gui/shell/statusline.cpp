// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/statusline.h"

#include "core/catalogue/cataloguescanner.h"
#include "gui/shell/clickablelabel.h"
#include "gui/shell/twips.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>

namespace hangardeck::gui {

namespace {

// The line's own place on the window; its labels are placed relative to it.
constexpr int LeftTwips = 120;
constexpr int TopTwips = 6120;

QRect placeOnLine(int left, int width)
{
    return twipsRect(left - LeftTwips, 0, width, 255);
}

} // namespace

StatusLine::StatusLine(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("statusLine"));
    setGeometry(twipsRect(LeftTwips, TopTwips, 8895 - LeftTwips, 255));

    m_label3 = new ClickableLabel(this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setTextFormat(Qt::PlainText); // it shows folder names: "<b>" in one is no markup
    m_label3->setText(QStringLiteral("Set Aircraft Directory Before Making List"));
    m_label3->setGeometry(placeOnLine(120, 6495));
    QFont bold = m_label3->font();
    bold.setBold(true);
    m_label3->setFont(bold);
    m_label3->setStyleSheet(QStringLiteral("color: blue;"));
    m_label3->setCursor(Qt::PointingHandCursor);
    connect(m_label3, &ClickableLabel::clicked, this, &StatusLine::directoryClicked);

    m_label5 = new QLabel(QStringLiteral("0 Aircraft Listed"), this);
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->setGeometry(placeOnLine(6720, 2175));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("scanProgress"));
    m_progress->setGeometry(placeOnLine(6720, 2175));
    m_progress->setTextVisible(false);
    m_progress->hide();
}

void StatusLine::setDirectory(const QString &path)
{
    m_label3->setText(path);
}

void StatusLine::setTarget(const QString &path, const QString &note)
{
    m_label3->setText(QStringLiteral("Target: ") + QDir::toNativeSeparators(path)
                      + (note.isEmpty() ? QString() : u" (" + note + u')'));
    m_targetText = m_label3->text();
}

void StatusLine::showOpenFailure(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QString target = QStringLiteral("Target: ") + shown;
    const bool justSaved = m_label3->text() == m_targetText && m_targetText.startsWith(target);
    m_label3->setText(justSaved ? target + QStringLiteral(" (no program found to open it)")
                                : QStringLiteral("No program found to open ") + shown);
}

void StatusLine::setCount(qsizetype rows, std::optional<qsizetype> shownRows)
{
    m_label5->setText(core::aircraftCountText(rows, shownRows));
}

void StatusLine::showProgress(int done, int total)
{
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progress->show();
    m_progress->repaint();
}

void StatusLine::hideProgress()
{
    m_progress->hide();
}

void StatusLine::setStretched(bool stretched)
{
    m_label3->setHidden(stretched);
    m_label5->setHidden(stretched);
}

} // namespace hangardeck::gui
