// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/listfilterbar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace hangardeck::gui {

ListFilterBar::ListFilterBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("listFilterBar"));
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto *label = new QLabel(QStringLiteral("Filter:"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("listFilter"));
    // The bar fits in the strip above the list; a frame would not.
    m_edit->setFrame(false);
    m_edit->setToolTip(QStringLiteral("Manufacturer, type, title, folder or description; Esc clears. "
                                      "Save List saves every row."));
    label->setBuddy(m_edit);
    layout->addWidget(label);
    layout->addWidget(m_edit, 1);
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, &ListFilterBar::filterChanged);
    hide();
}

void ListFilterBar::open()
{
    show();
    raise();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void ListFilterBar::clearAndClose()
{
    hide();
    m_edit->clear();
}

QString ListFilterBar::text() const
{
    return m_edit->text();
}

bool ListFilterBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        clearAndClose();
        Q_EMIT closed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace hangardeck::gui
