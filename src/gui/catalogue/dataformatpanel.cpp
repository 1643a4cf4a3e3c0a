// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/dataformatpanel.h"

#include "core/catalogue/formatsettings.h"
#include "core/settings/settingswriter.h"
#include "core/settings/storedsettings.h"
#include "gui/shell/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace hangardeck::gui {

using core::FormatSettings;

namespace {

QGroupBox *makeFrame(QWidget *parent, const char *objectName, const QString &caption, int leftTwips)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(objectName));
    frame->setGeometry(twipsRect(leftTwips, 600, 1400, 800));
    return frame;
}

QScrollBar *makeScrollBar(QWidget *frame, const char *objectName, int minimum, int maximum, int value)
{
    auto *bar = new QScrollBar(Qt::Vertical, frame);
    bar->setObjectName(QLatin1String(objectName));
    bar->setGeometry(twipsRect(240, 240, 495, 495));
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(value);
    return bar;
}

QLabel *makeValueLabel(QWidget *frame, const char *objectName, int value)
{
    auto *label = new QLabel(QString::number(value), frame);
    label->setObjectName(QLatin1String(objectName));
    label->setGeometry(twipsRect(720, 360, 615, 375));
    return label;
}

QLineEdit *makeTextBox(QWidget *frame, const char *objectName, int maxLength)
{
    auto *edit = new QLineEdit(frame);
    edit->setObjectName(QLatin1String(objectName));
    edit->setGeometry(twipsRect(480, 240, 735, 375));
    edit->setMaxLength(maxLength);
    return edit;
}

// The captions are what a scan reads; a caption that is not a number keeps the default.
int captionNumber(const QLabel *label, int fallback)
{
    bool ok = false;
    const int value = label->text().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

DataFormatPanel::DataFormatPanel(QWidget *parent)
    : QGroupBox(parent)
{
    m_check1 = new QCheckBox(QStringLiteral("Actual Width/No Pad"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setGeometry(twipsRect(360, 1440, 2175, 375));

    QGroupBox *frame1 = makeFrame(this, "Frame1", QStringLiteral("Field Width"), 360);
    m_vscroll1 =
        makeScrollBar(frame1, "VScroll1", FormatSettings::MinFieldWidthChars, FormatSettings::MaxFieldWidthChars, 20);
    m_label1 = makeValueLabel(frame1, "Label1", 20);

    QGroupBox *frame2 = makeFrame(this, "Frame2", QStringLiteral("Field Padding"), 1680);
    m_vscroll2 = makeScrollBar(frame2, "VScroll2", 0, FormatSettings::MaxPaddingCount, 0);
    m_label2 = makeValueLabel(frame2, "Label2", 0);

    QGroupBox *delimiterFrame = makeFrame(this, "Delimiter", QStringLiteral("Field Delimiter"), 3000);
    m_text1 = makeTextBox(delimiterFrame, "Text1", FormatSettings::MaxDelimiterChars);

    QGroupBox *frame4 = makeFrame(this, "Frame4", QStringLiteral("Row Terminator"), 4320);
    m_text2 = makeTextBox(frame4, "Text2", FormatSettings::MaxTerminatorChars);

    auto *label9 = new QLabel(
        QStringLiteral(
            "Note:The Display of images/extended data will not function while a row terminator is in place."),
        this);
    label9->setObjectName(QStringLiteral("Label9"));
    label9->setGeometry(twipsRect(5880, 600, 2895, 1095));
    label9->setWordWrap(true);
    label9->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(m_vscroll1, &QScrollBar::valueChanged, m_label1, [this](int value) { m_label1->setNum(value); });
    connect(m_vscroll2, &QScrollBar::valueChanged, m_label2, [this](int value) { m_label2->setNum(value); });
}

void DataFormatPanel::captureInto(FormatSettings &settings) const
{
    settings.fieldWidthChars = captionNumber(m_label1, settings.fieldWidthChars);
    settings.paddingCount = captionNumber(m_label2, settings.paddingCount);
    settings.actualWidth = m_check1->isChecked();
    settings.delimiter = m_text1->text();
    settings.terminator = m_text2->text();
}

void DataFormatPanel::applyStored(const core::StoredSettings &stored)
{
    const auto setScrollValue = [](QScrollBar *bar, std::optional<int> value) {
        if (value && *value >= bar->minimum() && *value <= bar->maximum()) {
            bar->setValue(*value);
        }
    };
    setScrollValue(m_vscroll1, stored.fieldWidthChars);
    setScrollValue(m_vscroll2, stored.paddingCount);
    if (stored.actualWidth != core::CheckChange::Keep) {
        m_check1->setChecked(stored.actualWidth == core::CheckChange::Check);
    }
    m_text1->setText(stored.delimiter);
    m_text2->setText(stored.terminator);
}

void DataFormatPanel::fillClosingState(core::ClosingState &state) const
{
    state.fieldWidthText = m_label1->text();
    state.paddingText = m_label2->text();
    state.actualWidthState = m_check1->isChecked() ? 1 : 0;
    state.delimiter = m_text1->text();
    state.terminator = m_text2->text();
}

} // namespace hangardeck::gui
