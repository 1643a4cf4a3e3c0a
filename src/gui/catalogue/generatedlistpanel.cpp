// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/generatedlistpanel.h"

#include "core/catalogue/listfilter.h"
#include "gui/catalogue/cataloguemodel.h"
#include "gui/catalogue/listfilterbar.h"
#include "gui/shell/fixedfont.h"
#include "gui/shell/twips.h"

#include <QAbstractListModel>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QListView>
#include <QShortcut>

#include <algorithm>

namespace hangardeck::gui {

// The rows List2 shows: every row of the generated list, or those the filter left, by their
// place in the whole list. Rows are laid out when drawn, as the whole list's are.
class ShownRowsModel final : public QAbstractListModel
{
public:
    explicit ShownRowsModel(const CatalogueModel *catalogue, QObject *parent)
        : QAbstractListModel(parent),
          m_catalogue(catalogue)
    {
    }

    void beginReset() { beginResetModel(); }
    // nullopt: every row.
    void endReset(std::optional<std::vector<int>> rows)
    {
        m_rows = std::move(rows);
        endResetModel();
    }
    void setRows(std::optional<std::vector<int>> rows)
    {
        beginResetModel();
        endReset(std::move(rows));
    }
    const std::optional<std::vector<int>> &rows() const { return m_rows; }

    int wholeRow(int shownRow) const { return m_rows ? (*m_rows)[std::size_t(shownRow)] : shownRow; }
    // -1 when the filter hides it.
    int shownRow(int wholeRow) const
    {
        if (!m_rows) {
            return wholeRow;
        }
        const auto at = std::lower_bound(m_rows->begin(), m_rows->end(), wholeRow);
        return at != m_rows->end() && *at == wholeRow ? int(at - m_rows->begin()) : -1;
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        if (parent.isValid()) {
            return 0;
        }
        return m_rows ? int(m_rows->size()) : m_catalogue->rowCount();
    }

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override
    {
        if (role != Qt::DisplayRole
            || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
            return {};
        }
        return m_catalogue->generatedRow(wholeRow(index.row()));
    }

private:
    const CatalogueModel *m_catalogue;
    std::optional<std::vector<int>> m_rows;
};

GeneratedListPanel::GeneratedListPanel(CatalogueModel *model, QWidget *parent)
    : QGroupBox(parent),
      m_catalogue(model)
{
    setToolTip(QStringLiteral("CTRL-L to stretch list view"));

    m_list2 = new QListView(this);
    m_list2->setObjectName(QStringLiteral("List2"));
    m_list2->setGeometry(twipsRect(75, 240, 8700, 1635));
    m_list2->setFont(fixedWidthFont());
    m_list2->setToolTip(QStringLiteral("Double Click to open aircraft.cfg"));
    m_list2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list2->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the fixed font's height: the view lays out a huge list without asking
    // each row for its size.
    m_list2->setUniformItemSizes(true);
    m_shown = new ShownRowsModel(model, this);
    m_list2->setModel(m_shown);
    m_list2->installEventFilter(this);
    m_list2->viewport()->installEventFilter(this);

    connect(m_list2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !m_restoringSelection) {
                    Q_EMIT rowSelected(m_shown->wholeRow(current.row()));
                }
            });
    connect(m_list2, &QListView::doubleClicked, this,
            [this](const QModelIndex &index) { Q_EMIT rowActivated(m_shown->wholeRow(index.row())); });

    // A new scan is filtered by the text still set.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, m_shown, &ShownRowsModel::beginReset);
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        std::optional<std::vector<int>> rows;
        if (!m_filterText.isEmpty()) {
            rows = m_catalogue->filter().matchingRows(m_catalogue->scan(), m_filterText);
        }
        m_shown->endReset(std::move(rows));
        Q_EMIT filterCountChanged();
    });
    connect(model, &CatalogueModel::descriptionsGathered, this, [this] {
        if (!m_filterText.isEmpty()) {
            refilter();
        }
    });

    // Over the strip above the list, where it covers nothing: opening and closing it moves
    // nothing.
    m_filterBar = new ListFilterBar(this);
    const int barWidth = twipsToPixels(4500);
    m_filterBar->setGeometry(m_list2->geometry().right() + 1 - barWidth, 0, barWidth, m_list2->y());
    connect(m_filterBar, &ListFilterBar::filterChanged, this, &GeneratedListPanel::applyFilter);
    connect(m_filterBar, &ListFilterBar::closed, m_list2, [this] { m_list2->setFocus(); });
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, m_filterBar, &ListFilterBar::open);
}

std::optional<int> GeneratedListPanel::filteredRowCount() const
{
    return m_filterText.isEmpty() ? std::nullopt : std::optional(m_shown->rowCount());
}

void GeneratedListPanel::applyFilter(const QString &text)
{
    const QString previous = std::exchange(m_filterText, text);
    // A text that holds the previous one matches only rows among those shown now. Looking at
    // those alone pays when they are few; one pass over all the texts is quicker otherwise.
    const std::string before = core::foldForFilter(previous);
    constexpr std::size_t FewRowsShare = 8;
    const bool narrowing = !before.empty() && m_shown->rows()
                           && m_shown->rows()->size() * FewRowsShare < std::size_t(m_catalogue->rowCount())
                           && core::foldForFilter(text).find(before) != std::string::npos;
    const std::optional<std::vector<int>> shown = narrowing ? m_shown->rows() : std::nullopt;
    refilter(shown ? &*shown : nullptr);
}

void GeneratedListPanel::refilter(const std::vector<int> *within)
{
    const int current = currentRow();
    std::optional<std::vector<int>> rows;
    if (!m_filterText.isEmpty()) {
        rows = m_catalogue->filter().matchingRows(m_catalogue->scan(), m_filterText, within);
    }
    m_shown->setRows(std::move(rows));
    // The selected row stays selected while it is shown; its inspection stays as it is.
    if (const int shownRow = current >= 0 ? m_shown->shownRow(current) : -1; shownRow >= 0) {
        m_restoringSelection = true;
        const QModelIndex index = m_shown->index(shownRow);
        m_list2->setCurrentIndex(index);
        m_list2->scrollTo(index);
        m_restoringSelection = false;
    }
    Q_EMIT filterCountChanged();
}

bool GeneratedListPanel::selectFirstRow()
{
    m_list2->setFocus();
    const QModelIndex first = m_shown->index(0);
    if (!first.isValid()) {
        return false;
    }
    const bool moved = m_list2->currentIndex() != first;
    // Selected as well as current: the view's own setCurrentIndex() leaves a row set from code
    // unselected, so it shows no highlight.
    m_list2->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
    return moved;
}

int GeneratedListPanel::currentRow() const
{
    const QModelIndex current = m_list2->currentIndex();
    return current.isValid() ? m_shown->wholeRow(current.row()) : -1;
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
        m_list2->setCurrentIndex(m_shown->index(0));
    }
    if (watched == m_list2 && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape && m_filterBar->isVisible()) {
            m_filterBar->clearAndClose();
            return true;
        }
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
    // A row the filter hides is shown by clearing the filter: the user asked for that row.
    if (row >= 0 && row < m_catalogue->rowCount() && m_shown->shownRow(row) < 0) {
        m_filterBar->clearAndClose();
    }
    const int shownRow = m_shown->shownRow(row);
    const QModelIndex index = shownRow >= 0 ? m_shown->index(shownRow) : QModelIndex();
    if (!index.isValid() || m_list2->currentIndex() == index) {
        return false;
    }
    // Selected as well as current, so that it shows highlighted.
    m_list2->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_list2->scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

} // namespace hangardeck::gui
