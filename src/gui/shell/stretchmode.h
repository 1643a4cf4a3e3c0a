// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_STRETCHMODE_H
#define HANGARDECK_GUI_STRETCHMODE_H

#include <QObject>

class QLabel;
class QWidget;

namespace hangardeck::gui {

class GeneratedListPanel;
class InspectionPane;
class StatusLine;

// Stretch mode: the generated list panel over nearly the whole window, the lower half
// hidden, and Label10 telling how to get back. The mode is never saved; a start is normal.
class StretchMode final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StretchMode)

public:
    // Label10 is made on central, below the panels created after it.
    StretchMode(QWidget *window, QWidget *central, GeneratedListPanel *listPanel, InspectionPane *inspection,
                StatusLine *statusLine);

    bool isStretched() const { return m_stretched; }

    // Enters the mode, or leaves it when stretched.
    void toggle();

private:
    QWidget *m_window;
    GeneratedListPanel *m_listPanel;
    InspectionPane *m_inspection;
    StatusLine *m_statusLine;
    QLabel *m_label10 = nullptr;
    bool m_stretched = false;
};

} // namespace hangardeck::gui

#endif
