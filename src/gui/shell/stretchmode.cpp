// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/stretchmode.h"

#include "gui/catalogue/generatedlistpanel.h"
#include "gui/inspection/inspectionpane.h"
#include "gui/shell/statusline.h"
#include "gui/shell/twips.h"

#include <QLabel>

namespace hangardeck::gui {

StretchMode::StretchMode(QWidget *window, QWidget *central, GeneratedListPanel *listPanel, InspectionPane *inspection,
                         StatusLine *statusLine)
    : QObject(window),
      m_window(window),
      m_listPanel(listPanel),
      m_inspection(inspection),
      m_statusLine(statusLine)
{
    m_label10 = new QLabel(QStringLiteral("You're in S t r e t c h mode.  CTRL-L to unstretch"), central);
    m_label10->setObjectName(QStringLiteral("Label10"));
    m_label10->setGeometry(twipsRect(120, 3240, 8775, 1215));
    QFont notice = m_label10->font();
    notice.setBold(true);
    notice.setPointSizeF(13.5);
    m_label10->setFont(notice);
    m_label10->setWordWrap(true);
    m_label10->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label10->hide();
    // Under the list panel, which covers it once stretched, as it covers the lower half.
    m_label10->stackUnder(listPanel);
}

void StretchMode::toggle()
{
    m_stretched = !m_stretched;
    if (m_stretched) {
        // The outer height, title bar and menu included: the panel may reach below the
        // client area, which is harmless since it is clipped there.
        const int margin = m_statusLine->height();
        m_listPanel->stretch(m_window->frameGeometry().height() - 2 * margin, margin);
    } else {
        m_listPanel->unstretch();
    }
    m_inspection->setStretched(m_stretched);
    m_label10->setVisible(m_stretched);
    m_statusLine->setStretched(m_stretched);
}

} // namespace hangardeck::gui
