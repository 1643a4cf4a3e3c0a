// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_INSPECTIONPANE_H
#define HANGARDECK_GUI_INSPECTIONPANE_H

#include <QWidget>

class QLabel;
class QListWidget;
class QScrollBar;
class QTextEdit;

namespace hangardeck::gui {

// The lower half of the main window, where the selected aircraft is shown: its picture
// (img1, with Label7 when there is none), the picture files (lstImageFiles, and the hidden
// lstImages with their paths), the extended details (Text4) and the entry stepper (HScroll1).
class InspectionPane final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectionPane)

public:
    explicit InspectionPane(QWidget *parent = nullptr);

    // Stretch mode hides the picture, the file list, the details and the stepper; the
    // picture notice and the hidden path list are left as they are.
    void setStretched(bool stretched);

private:
    QLabel *m_img1 = nullptr;
    QLabel *m_label7 = nullptr;
    QListWidget *m_lstImageFiles = nullptr;
    QListWidget *m_lstImages = nullptr;
    QTextEdit *m_text4 = nullptr;
    QScrollBar *m_hscroll1 = nullptr;
};

} // namespace hangardeck::gui

#endif
