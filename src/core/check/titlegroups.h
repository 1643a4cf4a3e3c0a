// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_TITLEGROUPS_H
#define HANGARDECK_CORE_TITLEGROUPS_H

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace hangardeck::core {

// The titles of a whole collection in a compact table, to find those carried by more than
// one variation. A title costs its UTF-8 bytes twice (as shown and as compared) and a few
// numbers, with no allocation of its own; only a title met again gets a group.
class TitleGroups final
{
public:
    // One variation carrying a title.
    struct Carrier {
        int folder = 0;  // the caller's index of its folder
        int section = 0; // N of [fltsim.N]
        QString title;   // as the list shows it
    };

    // Adds a title carried by [fltsim.section] of folder, as UTF-8; key is the title as
    // compared (trimmed and case-folded): titles with the same key are the same.
    void add(int folder, int section, QByteArrayView title, QByteArrayView key);

    // Every group of two or more carriers, in the order of their first carrier; carriers in
    // the order they were added.
    std::vector<std::vector<Carrier>> groups() const;

private:
    struct Entry {
        int folder;
        int section;
        qsizetype titleAt; // in m_bytes, followed by the key
        int titleSize;
        int keySize;
        int next = -1; // the next carrier of the same title
        int last = -1; // on a group's first carrier: its last carrier
    };

    QByteArrayView keyOf(const Entry &entry) const;
    // The slot of m_table holding the first carrier of a key, or the empty slot it would take.
    size_t slotOf(QByteArrayView key, std::uint32_t hash) const;
    void grow();

    std::vector<Entry> m_entries;
    QByteArray m_bytes; // every title's UTF-8 bytes and key, one after another
    // A key met: the first carrier's entry (-1 for a free slot) and the key's hash.
    struct Slot {
        std::uint32_t hash = 0;
        int first = -1;
    };
    std::vector<Slot> m_table;  // open addressing
    std::vector<int> m_grouped; // first carriers met a second time, in that order
};

} // namespace hangardeck::core

#endif
