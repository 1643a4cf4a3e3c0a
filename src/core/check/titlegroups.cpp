// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/check/titlegroups.h"

#include <algorithm>

namespace hangardeck::core {

void TitleGroups::add(int folder, int section, QByteArrayView title, QByteArray key)
{
    const int index = int(m_entries.size());
    m_entries.push_back({folder, section, m_titles.size(), int(title.size())});
    m_titles.append(title);
    const auto it = m_first.constFind(key);
    if (it == m_first.constEnd()) {
        m_first.insert(std::move(key), index);
        return;
    }
    Entry &first = m_entries[size_t(*it)];
    if (first.last < 0) {
        m_grouped.push_back(*it);
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
            group.push_back({entry.folder, entry.section,
                             QString::fromUtf8(m_titles.constData() + entry.titleAt, entry.titleSize)});
        }
    }
    return groups;
}

} // namespace hangardeck::core
