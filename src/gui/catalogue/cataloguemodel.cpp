// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/cataloguemodel.h"

#include <memory>
#include <system_error>

namespace hangardeck::gui {

CatalogueModel::CatalogueModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

CatalogueModel::~CatalogueModel()
{
    stopGathering();
}

void CatalogueModel::stopGathering()
{
    if (m_gatherer.joinable()) {
        m_gatherer.request_stop();
        m_gatherer.join();
    }
}

void CatalogueModel::setScan(core::CatalogueScan scan)
{
    // The gatherer reads the scan being replaced.
    stopGathering();
    beginResetModel();
    m_scan = std::move(scan);
    m_filter = core::ListFilter::fromFields(m_scan);
    const int generation = ++m_generation;
    endResetModel();
    if (m_scan.entries.empty()) {
        return;
    }
    // The list is shown first; the descriptions follow from the disk, off this thread. Only
    // the result of the scan still shown is taken.
    const auto gather = [this, generation](const std::stop_token &stop) {
        std::optional<core::FilterText> descriptions =
            core::gatherDescriptions(m_scan, [&stop] { return !stop.stop_requested(); });
        if (!descriptions) {
            return;
        }
        auto gathered = std::make_shared<core::FilterText>(std::move(*descriptions));
        QMetaObject::invokeMethod(
            this,
            [this, generation, gathered] {
                if (generation == m_generation) {
                    m_filter.setDescriptions(std::move(*gathered));
                    Q_EMIT descriptionsGathered();
                }
            },
            Qt::QueuedConnection);
    };
    try {
        m_gatherer = std::jthread(gather);
    } catch (const std::system_error &) {
        // No thread to be had: the filter goes by the other fields.
    }
}

core::ListedEntry CatalogueModel::generatedEntry(int row) const
{
    const core::CatalogueEntry &entry = m_scan.entries[size_t(m_scan.rowEntries[size_t(row)])];
    return {entry.subdir, m_scan.folderPath(entry).filename().native(), entry.fltsimIndex};
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_scan.entries.size());
}

int CatalogueModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const auto row = std::size_t(index.row());
    if (index.column() == GeneratedRowColumn) {
        return m_scan.row(index.row());
    }
    const core::CatalogueEntry &entry = m_scan.entries[row];
    switch (index.column()) {
    case ManufacturerColumn:
        return entry.manufacturer;
    case TypeColumn:
        return entry.type;
    case TitleColumn:
        return entry.title;
    case SubdirColumn:
        return entry.subdir;
    default:
        return {};
    }
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    // The captions of the lead-field buttons above the columns.
    switch (section) {
    case ManufacturerColumn:
        return QStringLiteral("ui_manufacturer");
    case TypeColumn:
        return QStringLiteral("ui_type");
    case TitleColumn:
        return QStringLiteral("title");
    case SubdirColumn:
        return QStringLiteral("subdir");
    case GeneratedRowColumn:
        return QStringLiteral("row");
    default:
        return {};
    }
}

} // namespace hangardeck::gui
