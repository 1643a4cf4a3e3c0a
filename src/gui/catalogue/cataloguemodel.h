// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_CATALOGUEMODEL_H
#define HANGARDECK_GUI_CATALOGUEMODEL_H

#include "core/catalogue/cataloguescanner.h"
#include "core/catalogue/listfilter.h"

#include <QAbstractTableModel>

#include <thread>

namespace hangardeck::gui {

// The last scan's result under every list of the window, without a copy per row. Row r of
// the four field columns is entry r in scan order (lstManuf, lstAircraft, lstTitles,
// List1); row r of GeneratedRowColumn is the r-th formatted row in sorted order (List2).
// Both have one row per listed entry.
class CatalogueModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueModel)

public:
    enum Column { ManufacturerColumn = 0, TypeColumn, TitleColumn, SubdirColumn, GeneratedRowColumn, ColumnCount };

    explicit CatalogueModel(QObject *parent = nullptr);

    ~CatalogueModel() override;

    // Replaces the whole result; views lose their selection, as after a new scan. The
    // descriptions the list filter looks at are then gathered on the reader threads.
    void setScan(core::CatalogueScan scan);
    const core::CatalogueScan &scan() const { return m_scan; }
    // Row r of the generated list.
    QString generatedRow(int row) const { return m_scan.row(row); }
    // The entry behind row r of the generated list, and its folder's name on disk.
    core::ListedEntry generatedEntry(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The list filter over this scan: the fields at once, the descriptions once gathered.
    const core::ListFilter &filter() const { return m_filter; }

Q_SIGNALS:
    // The descriptions of the scan are there: a filter may match more rows now.
    void descriptionsGathered();

private:
    void stopGathering();

    core::CatalogueScan m_scan;
    core::ListFilter m_filter;
    int m_generation = 0;
    // Last: it reads m_scan, so it stops before the scan goes.
    std::jthread m_gatherer;
};

} // namespace hangardeck::gui

#endif
