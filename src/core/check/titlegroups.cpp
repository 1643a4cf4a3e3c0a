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

size_t TitleGroups::slotOf(QByteArrayView key, size_t hash) const
{
    const size_t mask = m_table.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const int first = m_table[slot];
        if (first < 0) {
            return slot;
        }
        const Entry &entry = m_entries[size_t(first)];
        if (entry.hash == hash && keyOf(entry) == key) {
            return slot;
        }
    }
}

void TitleGroups::grow()
{
    std::vector<int> firsts;
    firsts.reserve(m_table.size());
    std::copy_if(m_table.begin(), m_table.end(), std::back_inserter(firsts), [](int first) { return first >= 0; });
    m_table.assign(std::max<size_t>(1024, 2 * m_table.size()), -1);
    const size_t mask = m_table.size() - 1;
    for (const int first : firsts) {
        size_t slot = m_entries[size_t(first)].hash & mask;
        while (m_table[slot] >= 0) {
            slot = (slot + 1) & mask;
        }
        m_table[slot] = first;
    }
}

void TitleGroups::add(int folder, int section, QByteArrayView title, QByteArrayView key)
{
    // Kept at most half full, so that a probe ends soon.
    if (2 * (m_entries.size() + 1) > m_table.size()) {
        grow();
    }
    const int index = int(m_entries.size());
    const size_t hash = qHash(key, 0);
    m_entries.push_back({folder, section, m_bytes.size(), int(title.size()), int(key.size()), hash});
    m_bytes.append(title).append(key);
    const size_t slot = slotOf(key, hash);
    if (m_table[slot] < 0) {
        m_table[slot] = index;
        return;
    }
    Entry &first = m_entries[size_t(m_table[slot])];
    if (first.last < 0) {
        m_grouped.push_back(m_table[slot]);
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
