// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/check/findingsmodel.h"

#include "gui/check/findingstore.h"

#include <numeric>

namespace hangardeck::gui {

namespace {

// How much of a message a row shows, and its tooltip.
constexpr qsizetype DisplayChars = 400;
constexpr qsizetype ToolTipChars = 2000;

} // namespace

class FindingsModel::Matcher final
{
public:
    explicit Matcher(const QString &text)
        : needle(text)
    {
    }
    FindingStore::Needle needle;
};

FindingsModel::FindingsModel(QObject *parent)
    : QAbstractTableModel(parent),
      m_store(std::make_shared<FindingStore>())
{
}

FindingsModel::~FindingsModel() = default;

void FindingsModel::clear()
{
    beginResetModel();
    m_store = std::make_shared<FindingStore>();
    m_shown.clear();
    m_counts = {};
    endResetModel();
    Q_EMIT countsChanged();
}

void FindingsModel::append(FindingStore &&batch)
{
    if (batch.isEmpty()) {
        return;
    }
    const qsizetype first = m_store->size();
    for (qsizetype i = 0; i < batch.size(); ++i) {
        ++m_counts[size_t(batch.kind(i))];
    }
    if (!isFiltered()) {
        beginInsertRows({}, int(first), int(first + batch.size() - 1));
        m_store->append(std::move(batch));
        endInsertRows();
    } else {
        std::vector<quint32> added;
        for (qsizetype i = 0; i < batch.size(); ++i) {
            if (accepts(batch, i)) {
                added.push_back(quint32(first + i));
            }
        }
        m_store->append(std::move(batch)); // the rows shown are m_shown's: none of these yet
        if (!added.empty()) {
            const auto at = int(m_shown.size());
            beginInsertRows({}, at, at + int(added.size()) - 1);
            m_shown.insert(m_shown.end(), added.begin(), added.end());
            endInsertRows();
        }
    }
    Q_EMIT countsChanged();
}

void FindingsModel::setFilter(std::optional<core::FindingKind> kind, const QString &text)
{
    if (kind == m_kind && text == m_text) {
        return;
    }
    beginResetModel();
    m_kind = kind;
    m_text = text;
    m_matcher = text.isEmpty() ? nullptr : std::make_unique<Matcher>(text);
    m_shown.clear();
    if (isFiltered()) {
        for (qsizetype i = 0; i < m_store->size(); ++i) {
            if (accepts(*m_store, i)) {
                m_shown.push_back(quint32(i));
            }
        }
        m_shown.shrink_to_fit();
    }
    endResetModel();
}

bool FindingsModel::accepts(const FindingStore &store, qsizetype i) const
{
    return (!m_kind || store.kind(i) == *m_kind) && (!m_matcher || store.contains(i, m_matcher->needle));
}

qint64 FindingsModel::total() const
{
    return std::accumulate(m_counts.begin(), m_counts.end(), qint64(0));
}

qsizetype FindingsModel::storeIndex(int row) const
{
    return isFiltered() ? qsizetype(m_shown[size_t(row)]) : row;
}

core::Finding FindingsModel::finding(int row) const
{
    return m_store->finding(storeIndex(row));
}

int FindingsModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid()) {
        return 0;
    }
    return int(isFiltered() ? qsizetype(m_shown.size()) : m_store->size());
}

int FindingsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindingsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const qsizetype i = storeIndex(index.row());
    switch (index.column()) {
    case KindColumn:
        return core::findingKindName(m_store->kind(i));
    case FolderColumn:
        return m_store->folder(i).isEmpty() ? QStringLiteral("(collection)") : m_store->folder(i);
    case SectionColumn:
        return m_store->section(i);
    case MessageColumn: {
        // A collection finding may name thousands of variations: the view lays out every
        // character it is given, so it gets what a screen can show.
        QString message = m_store->message(i);
        const qsizetype shown = role == Qt::ToolTipRole ? ToolTipChars : DisplayChars;
        if (message.size() > shown) {
            message.truncate(shown);
            message += QChar(0x2026);
        }
        return message;
    }
    }
    return {};
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case KindColumn:
        return QStringLiteral("Kind");
    case FolderColumn:
        return QStringLiteral("Folder");
    case SectionColumn:
        return QStringLiteral("Section");
    case MessageColumn:
        return QStringLiteral("Message");
    }
    return {};
}

} // namespace hangardeck::gui
