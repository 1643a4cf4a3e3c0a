// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_LISTFILTERBAR_H
#define HANGARDECK_GUI_LISTFILTERBAR_H

#include <QWidget>

class QLineEdit;

namespace hangardeck::gui {

// The filter field over the generated list (Ctrl+F): hidden until opened; Esc clears and
// closes it.
class ListFilterBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListFilterBar)

public:
    explicit ListFilterBar(QWidget *parent = nullptr);

    // Shows the field and gives it the focus, its text selected.
    void open();
    // Clears the field and hides it.
    void clearAndClose();

    QString text() const;

Q_SIGNALS:
    // The text to filter by changed; empty when the bar closed.
    void filterChanged(const QString &text);
    // Esc closed the bar.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit = nullptr;
};

} // namespace hangardeck::gui

#endif
