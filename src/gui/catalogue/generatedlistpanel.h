// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_GENERATEDLISTPANEL_H
#define HANGARDECK_GUI_GENERATEDLISTPANEL_H

#include <QGroupBox>

#include <optional>
#include <vector>

class QListView;

namespace hangardeck::gui {

class CatalogueModel;
class ListFilterBar;
class ShownRowsModel;

// The generated list panel: List2, the formatted rows in sorted order, in the fixed font, and
// the filter over it (Ctrl+F), which narrows List2 to the rows that hold its text. Rows are
// told by their place in the whole list, filtered or not.
class GeneratedListPanel final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneratedListPanel)

public:
    explicit GeneratedListPanel(CatalogueModel *model, QWidget *parent = nullptr);

    // Gives the list the focus and selects its first row shown, as after a scan; an empty
    // list stays without a selection. False when that row was selected already.
    bool selectFirstRow();

    // Gives the list the focus and selects a row of the whole list, scrolled into view; a row
    // the filter hides clears the filter first. False when it was selected already or there
    // is no such row.
    bool selectRow(int row);

    // The selected row, -1 for none.
    int currentRow() const;

    // How many rows the filter shows; nullopt while no filter text is set.
    std::optional<int> filteredRowCount() const;

    // Stretch mode: the panel takes panelHeight and the list panelHeight - marginHeight;
    // heights that would come out empty or negative are skipped.
    void stretch(int panelHeight, int marginHeight);
    // Back to the heights of before the last stretch.
    void unstretch();

Q_SIGNALS:
    // The selection moved to a row (mouse, keys or code), the row-selection behaviour's cue.
    void rowSelected(int row);
    // A double-click or Enter (with any modifier) on a row.
    void rowActivated(int row);
    // The filter showed another set of rows (or none any more): filteredRowCount() changed.
    void filterCountChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyFilter(const QString &text);
    void refilter(const std::vector<int> *within = nullptr);

    CatalogueModel *m_catalogue;
    ShownRowsModel *m_shown = nullptr;
    QListView *m_list2 = nullptr;
    ListFilterBar *m_filterBar = nullptr;
    QString m_filterText;
    // The selection moves back to the row it was on after a refilter: no new inspection.
    bool m_restoringSelection = false;
    int m_savedPanelHeight = 0;
    int m_savedListHeight = 0;
};

} // namespace hangardeck::gui

#endif
