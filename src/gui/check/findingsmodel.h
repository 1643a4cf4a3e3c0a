// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_FINDINGSMODEL_H
#define HANGARDECK_GUI_FINDINGSMODEL_H

#include "core/check/collectioncheck.h"

#include <QAbstractTableModel>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace hangardeck::gui {

class FindingStore;

// The findings of the check window, in report order, one row each: kind, folder, section,
// message. A kind and a text narrow the rows shown; the counts always cover every finding.
class FindingsModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindingsModel)

public:
    enum Column { KindColumn = 0, FolderColumn, SectionColumn, MessageColumn, ColumnCount };

    explicit FindingsModel(QObject *parent = nullptr);
    ~FindingsModel() override;

    // Drops every finding, as a new check starts.
    void clear();
    // Appends a batch of findings after the others; the batch is left empty.
    void append(FindingStore &&batch);

    // Shows only findings of one kind (nullopt: every kind) that hold the text, in their
    // kind's name, folder, section or message, without regard to case.
    void setFilter(std::optional<core::FindingKind> kind, const QString &text);
    std::optional<core::FindingKind> kindFilter() const { return m_kind; }

    // Findings of a kind, and of every kind, shown or not.
    qint64 count(core::FindingKind kind) const { return m_counts[size_t(kind)]; }
    qint64 total() const;

    // The finding on a row shown.
    core::Finding finding(int row) const;
    // Every finding, for a report written on another thread once the check is over: a new
    // check starts a new store and leaves this one whole.
    std::shared_ptr<const FindingStore> store() const { return m_store; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The counts per kind changed.
    void countsChanged();

private:
    bool isFiltered() const { return m_kind.has_value() || !m_text.isEmpty(); }
    bool accepts(const FindingStore &store, qsizetype i) const;
    qsizetype storeIndex(int row) const;

    std::shared_ptr<FindingStore> m_store;
    std::array<qint64, core::FindingKindCount> m_counts{};
    std::optional<core::FindingKind> m_kind;
    QString m_text;
    class Matcher;
    std::unique_ptr<Matcher> m_matcher;
    // With a filter, the store index of each row shown; without one, row r is finding r.
    std::vector<quint32> m_shown;
};

} // namespace hangardeck::gui

#endif
