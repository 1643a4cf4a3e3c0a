// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/generatedlistpanel.h"

#include "gui/catalogue/cataloguemodel.h"
#include "gui/shell/twips.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QListView>

namespace hangardeck::gui {

GeneratedListPanel::GeneratedListPanel(CatalogueModel *model, QWidget *parent)
    : QGroupBox(parent)
{
    setToolTip(QStringLiteral("CTRL-L to stretch list view"));

    m_list2 = new QListView(this);
    m_list2->setObjectName(QStringLiteral("List2"));
    m_list2->setGeometry(twipsRect(75, 240, 8700, 1635));
    m_list2->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list2->setToolTip(QStringLiteral("Double Click to open aircraft.cfg"));
    m_list2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list2->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the fixed font's height: the view lays out a huge list without asking
    // each row for its size.
    m_list2->setUniformItemSizes(true);
    m_list2->setModel(model);
    m_list2->setModelColumn(CatalogueModel::GeneratedRowColumn);
    m_list2->installEventFilter(this);
    m_list2->viewport()->installEventFilter(this);

    connect(m_list2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid()) {
                    Q_EMIT rowSelected(current.row());
                }
            });
    connect(m_list2, &QListView::doubleClicked, this,
            [this](const QModelIndex &index) { Q_EMIT rowActivated(index.row()); });
}

bool GeneratedListPanel::selectFirstRow()
{
    m_list2->setFocus();
    const QModelIndex first = m_list2->model()->index(0, CatalogueModel::GeneratedRowColumn);
    if (!first.isValid() || m_list2->currentIndex() == first) {
        return false;
    }
    m_list2->setCurrentIndex(first);
    return true;
}

int GeneratedListPanel::currentRow() const
{
    const QModelIndex current = m_list2->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void GeneratedListPanel::stretch(int panelHeight, int marginHeight)
{
    m_savedPanelHeight = height();
    m_savedListHeight = m_list2->height();
    if (panelHeight > 0) {
        resize(width(), panelHeight);
    }
    if (height() - marginHeight > 0) {
        m_list2->resize(m_list2->width(), height() - marginHeight);
    }
}

void GeneratedListPanel::unstretch()
{
    resize(width(), m_savedPanelHeight);
    m_list2->resize(m_list2->width(), m_savedListHeight);
}

bool GeneratedListPanel::eventFilter(QObject *watched, QEvent *event)
{
    // A press into a list without a selection selects the first row first, so that a press
    // always leaves a row selected and inspected; the press then goes on as usual.
    if (watched == m_list2->viewport() && event->type() == QEvent::MouseButtonPress && m_list2->model()->rowCount() > 0
        && !m_list2->currentIndex().isValid()) {
        m_list2->setCurrentIndex(m_list2->model()->index(0, CatalogueModel::GeneratedRowColumn));
    }
    if (watched == m_list2 && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (const int row = currentRow(); row >= 0) {
                Q_EMIT rowActivated(row);
            }
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

bool GeneratedListPanel::selectRow(int row)
{
    m_list2->setFocus();
    const QModelIndex index = m_list2->model()->index(row, CatalogueModel::GeneratedRowColumn);
    if (!index.isValid() || m_list2->currentIndex() == index) {
        return false;
    }
    m_list2->setCurrentIndex(index);
    m_list2->scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

} // namespace hangardeck::gui
