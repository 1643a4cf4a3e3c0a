// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_CLICKABLELABEL_H
#define HANGARDECK_GUI_CLICKABLELABEL_H

#include <QLabel>

namespace hangardeck::gui {

// A label that reports a click of the left mouse button, as the status line needs.
class ClickableLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickableLabel)

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace hangardeck::gui

#endif
