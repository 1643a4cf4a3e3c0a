// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_HELPVIEWER_H
#define HANGARDECK_GUI_HELPVIEWER_H

#include <QTextBrowser>

namespace hangardeck::gui {

// The program's help window: shows the HTML help page that lives beside the program.
class HelpViewer final : public QTextBrowser
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpViewer)

public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // Loads the page (or says that it is missing) and brings the window to the front.
    void showPage(const QString &helpFilePath);
};

} // namespace hangardeck::gui

#endif
