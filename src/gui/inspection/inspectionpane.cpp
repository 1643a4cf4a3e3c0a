// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/inspection/inspectionpane.h"

#include "gui/shell/twips.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTextEdit>

namespace hangardeck::gui {

namespace {

// The pane's own place on the window; its controls are placed relative to it.
constexpr int TopTwips = 1920;

QRect placeInPane(int left, int top, int width, int height)
{
    return twipsRect(left, top - TopTwips, width, height);
}

} // namespace

InspectionPane::InspectionPane(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("inspectionPane"));
    setGeometry(twipsRect(0, TopTwips, 8895, 4095));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    m_img1 = new QLabel(this);
    m_img1->setObjectName(QStringLiteral("img1"));
    m_img1->setGeometry(placeInPane(0, 1920, 4695, 4095));
    m_img1->setAlignment(Qt::AlignCenter);

    m_label7 = new QLabel(QStringLiteral("-NO IMAGE- Images from your aircraft directory are displayed here when you "
                                         "click an aircraft. Double-click here when an image is displayed to open the "
                                         "picture in your default JPG or GIF editor."),
                          this);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setGeometry(placeInPane(240, 3480, 4335, 1935));
    m_label7->setWordWrap(true);
    m_label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_lstImageFiles = new QListWidget(this);
    m_lstImageFiles->setObjectName(QStringLiteral("lstImageFiles"));
    m_lstImageFiles->setGeometry(placeInPane(4800, 1920, 4095, 960));
    m_lstImageFiles->setFont(fixed);

    // The full paths behind the picture names; never shown.
    m_lstImages = new QListWidget(this);
    m_lstImages->setObjectName(QStringLiteral("lstImages"));
    m_lstImages->setGeometry(placeInPane(4800, 2040, 4095, 735));
    m_lstImages->setFont(fixed);
    m_lstImages->hide();

    m_text4 = new QTextEdit(this);
    m_text4->setObjectName(QStringLiteral("Text4"));
    m_text4->setGeometry(placeInPane(4800, 2880, 4095, 3135));
    m_text4->setAcceptRichText(false);

    m_hscroll1 = new QScrollBar(Qt::Horizontal, this);
    m_hscroll1->setObjectName(QStringLiteral("HScroll1"));
    m_hscroll1->setGeometry(placeInPane(8040, 2880, 495, 255));
    m_hscroll1->setRange(0, 32767);
    m_hscroll1->setSingleStep(1);
    m_hscroll1->setPageStep(1);
}

void InspectionPane::setStretched(bool stretched)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_img1), static_cast<QWidget *>(m_lstImageFiles),
                            static_cast<QWidget *>(m_text4), static_cast<QWidget *>(m_hscroll1)}) {
        widget->setHidden(stretched);
    }
}

} // namespace hangardeck::gui
