// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_DATAFORMATPANEL_H
#define HANGARDECK_GUI_DATAFORMATPANEL_H

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace hangardeck::core {
struct ClosingState;
struct FormatSettings;
struct StoredSettings;
} // namespace hangardeck::core

namespace hangardeck::gui {

// The data format panel: field width (VScroll1 with Label1), field padding (VScroll2 with
// Label2), "Actual Width/No Pad" (Check1), delimiter (Text1), row terminator (Text2). The
// controls hold the settings between scans; nothing here re-formats a list by itself.
class DataFormatPanel final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DataFormatPanel)

public:
    explicit DataFormatPanel(QWidget *parent = nullptr);

    // Copies the panel's part of the format settings (everything but the lead field) the
    // way a scan takes them: width and padding from the labels' captions.
    void captureInto(core::FormatSettings &settings) const;

    // Start-up: applies the stored width, padding, "Actual Width/No Pad", delimiter and
    // terminator. A width or padding outside its scroll bar's range is refused, not
    // clamped; a text longer than its box takes is cut to the box's length.
    void applyStored(const core::StoredSettings &stored);

    // Close: the panel's part of what the settings file keeps.
    void fillClosingState(core::ClosingState &state) const;

private:
    QCheckBox *m_check1 = nullptr;
    QScrollBar *m_vscroll1 = nullptr;
    QLabel *m_label1 = nullptr;
    QScrollBar *m_vscroll2 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
};

} // namespace hangardeck::gui

#endif
