// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_HELPPANEL_H
#define HANGARDECK_GUI_HELPPANEL_H

#include <QGroupBox>

class QLabel;
class QLineEdit;

namespace hangardeck::gui {

// The help panel: the version line (Label4), the credit line (Label6), the product's web
// address (Text3, opened in the browser on a click) and "Help (F1)" (Command4).
class HelpPanel final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpPanel)

public:
    explicit HelpPanel(QWidget *parent = nullptr);

    // Fills the version and credit lines, as start-up does once the settings are applied.
    void showVersion();

Q_SIGNALS:
    // "Help (F1)" was pressed.
    void helpRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label4 = nullptr;
    QLabel *m_label6 = nullptr;
    QLineEdit *m_text3 = nullptr;
};

} // namespace hangardeck::gui

#endif
