// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_GENERATEDLISTPANEL_H
#define HANGARDECK_GUI_GENERATEDLISTPANEL_H

#include <QGroupBox>

class QListView;

namespace hangardeck::gui {

class CatalogueModel;

// The generated list panel: List2, the formatted rows in sorted order, in the fixed font.
class GeneratedListPanel final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneratedListPanel)

public:
    explicit GeneratedListPanel(CatalogueModel *model, QWidget *parent = nullptr);

    // Gives the list the focus and selects its first row, as after a scan; an empty list
    // stays without a selection. False when the first row was selected already.
    bool selectFirstRow();

    // The selected row, -1 for none.
    int currentRow() const;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QListView *m_list2 = nullptr;
    int m_savedPanelHeight = 0;
    int m_savedListHeight = 0;

public:
    // Gives the list the focus and selects a row of the model, scrolled into view. False when
    // it was selected already or there is no such row.
    bool selectRow(int row);
};

} // namespace hangardeck::gui

#endif
