// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/helppanel.h"

#include "gui/shell/messagepresenter.h"
#include "gui/shell/twips.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace hangardeck::gui {

HelpPanel::HelpPanel(QWidget *parent)
    : QGroupBox(parent)
{
    m_label4 = new QLabel(this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->setGeometry(twipsRect(1560, 240, 6015, 255));

    m_label6 = new QLabel(this);
    m_label6->setObjectName(QStringLiteral("Label6"));
    m_label6->setGeometry(twipsRect(1560, 600, 6015, 255));

    m_text3 = new QLineEdit(QStringLiteral(HANGARDECK_WEB_ADDRESS), this);
    m_text3->setObjectName(QStringLiteral("Text3"));
    m_text3->setGeometry(twipsRect(1560, 960, 6015, 375));
    m_text3->setReadOnly(true);
    m_text3->setStyleSheet(QStringLiteral("QLineEdit { color: blue; background-color: #C0C0C0; }"));
    m_text3->setCursor(Qt::PointingHandCursor);
    m_text3->setToolTip(QStringLiteral("Click to open the HANGARDECK web page"));
    m_text3->installEventFilter(this);

    auto *command4 = new QPushButton(QStringLiteral("Help (F1)"), this);
    command4->setObjectName(QStringLiteral("Command4"));
    command4->setGeometry(twipsRect(7440, 1440, 1215, 375));
    connect(command4, &QPushButton::clicked, this, &HelpPanel::helpRequested);
}

void HelpPanel::showVersion()
{
    m_label4->setText(QString::fromUtf16(ApplicationTitle)
                      + QStringLiteral(" Version %1.%2.%3")
                            .arg(HANGARDECK_VERSION_MAJOR)
                            .arg(HANGARDECK_VERSION_MINOR)
                            .arg(HANGARDECK_VERSION_PATCH));
    m_label6->setText(QStringLiteral("Every add-on aircraft of Flight Simulator 2004, listed at a keystroke."));
}

bool HelpPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text3 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // Nothing is reported when no browser takes the address.
        QDesktopServices::openUrl(QUrl(m_text3->text().trimmed()));
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace hangardeck::gui
