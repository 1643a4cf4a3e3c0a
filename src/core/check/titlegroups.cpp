// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/check/titlegroups.h"

#include <QHashFunctions>

#include <algorithm>
#include <iterator>

namespace hangardeck::core {

QByteArrayView TitleGroups::keyOf(const Entry &entry) const
{
    return QByteArrayView(m_bytes.constData() + entry.titleAt + entry.titleSize, entry.keySize);
}

size_t TitleGroups::slotOf(QByteArrayView key, std::uint32_t hash) const
{
    const size_t mask = m_table.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot &at = m_table[slot];
        // The hash is kept in the table, so a probe past another key does not touch its entry.
        if (at.first < 0 || (at.hash == hash && keyOf(m_entries[size_t(at.first)]) == key)) {
            return slot;
        }
    }
}

void TitleGroups::grow()
{
    std::vector<Slot> used;
    used.reserve(m_table.size());
    std::copy_if(m_table.begin(), m_table.end(), std::back_inserter(used),
                 [](const Slot &at) { return at.first >= 0; });
    m_table.assign(std::max<size_t>(1024, 2 * m_table.size()), Slot{});
    const size_t mask = m_table.size() - 1;
    for (const Slot &at : used) {
        size_t slot = at.hash & mask;
        while (m_table[slot].first >= 0) {
            slot = (slot + 1) & mask;
        }
        m_table[slot] = at;
    }
}

void TitleGroups::add(int folder, int section, QByteArrayView title, QByteArrayView key)
{
    // Kept at most half full, so that a probe ends soon.
    if (2 * (m_entries.size() + 1) > m_table.size()) {
        grow();
    }
    const int index = int(m_entries.size());
    const auto hash = std::uint32_t(qHash(key, 0));
    m_entries.push_back({folder, section, m_bytes.size(), int(title.size()), int(key.size())});
    m_bytes.append(title).append(key);
    Slot &at = m_table[slotOf(key, hash)];
    if (at.first < 0) {
        at = {hash, index};
        return;
    }
    Entry &first = m_entries[size_t(at.first)];
    if (first.last < 0) {
        m_grouped.push_back(at.first);
        first.next = index;
    } else {
        m_entries[size_t(first.last)].next = index;
    }
    first.last = index;
}

std::vector<std::vector<TitleGroups::Carrier>> TitleGroups::groups() const
{
    std::vector<int> firsts = m_grouped;
    // Groups are made in the order of their second carrier; they are told in that of their first.
    std::sort(firsts.begin(), firsts.end());
    std::vector<std::vector<Carrier>> groups;
    groups.reserve(firsts.size());
    for (const int first : firsts) {
        std::vector<Carrier> &group = groups.emplace_back();
        for (int i = first; i >= 0; i = m_entries[size_t(i)].next) {
            const Entry &entry = m_entries[size_t(i)];
            group.push_back(
                {entry.folder, entry.section, QString::fromUtf8(m_bytes.constData() + entry.titleAt, entry.titleSize)});
        }
    }
    return groups;
}

} // namespace hangardeck::core
