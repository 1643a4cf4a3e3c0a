// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_MESSAGEPRESENTER_H
#define HANGARDECK_GUI_MESSAGEPRESENTER_H

#include <QString>

class QWidget;

namespace hangardeck::gui {

// The title of every message box of the program.
inline constexpr auto ApplicationTitle = u"MERIDOXA HANGARDECK";

// Shows the program's fixed messages; the window calls it for every message box, so a test
// can record them instead of blocking on a dialog.
class MessagePresenter
{
public:
    virtual ~MessagePresenter() = default;

    // Shows one message with an OK button and returns when the user has dismissed it.
    virtual void showMessage(QWidget *parent, const QString &text) = 0;
};

// The desktop's message box: the application title, the text, OK, no icon.
class MessageBoxPresenter final : public MessagePresenter
{
public:
    void showMessage(QWidget *parent, const QString &text) override;
};

} // namespace hangardeck::gui

#endif
