// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_CATALOGUEMODEL_H
#define HANGARDECK_GUI_CATALOGUEMODEL_H

#include "core/catalogue/cataloguescanner.h"

#include <QAbstractTableModel>

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

    // Replaces the whole result; views lose their selection, as after a new scan.
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

private:
    core::CatalogueScan m_scan;
};

} // namespace hangardeck::gui

#endif
