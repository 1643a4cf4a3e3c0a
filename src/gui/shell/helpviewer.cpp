// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/helpviewer.h"

#include "gui/shell/messagepresenter.h"

#include <QFileInfo>
#include <QUrl>

namespace hangardeck::gui {

HelpViewer::HelpViewer(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("helpViewer"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QString::fromUtf16(ApplicationTitle) + QStringLiteral(" Help"));
    // Links to the web go to the desktop's browser; links inside the page stay here.
    setOpenExternalLinks(true);
    resize(640, 560);
}

void HelpViewer::showPage(const QString &helpFilePath)
{
    if (QFileInfo::exists(helpFilePath)) {
        setSource(QUrl::fromLocalFile(helpFilePath));
    } else {
        setHtml(QStringLiteral("<h2>Help not found</h2><p>The help page <code>%1</code> is missing. "
                               "Reinstall HANGARDECK to restore it.</p>")
                    .arg(helpFilePath.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

} // namespace hangardeck::gui
