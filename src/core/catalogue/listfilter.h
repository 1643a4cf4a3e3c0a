// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_LISTFILTER_H
#define HANGARDECK_CORE_LISTFILTER_H

#include <QStringView>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hangardeck::core {

struct CatalogueScan;

// Text as the list filter compares it, in UTF-8: case folded (Unicode simple folding), and
// Latin letters without their accents: a Latin letter is taken back to its base letter
// through its canonical decomposition (é -> e, Å -> a, İ -> i), combining accents
// (U+0300 to U+036F) are dropped, and the Latin letters that have no decomposition are
// spelled out: ß and ẞ -> ss, æ -> ae, œ -> oe, ø -> o, đ and ð -> d, ł -> l, þ -> th,
// ħ -> h, ŧ -> t, ı -> i. Other scripts are case folded only. A line feed becomes U+FFFD, so
// that no text to match can hold the line feed that separates the fields.
std::string foldForFilter(QStringView text);
// The same, appended to out.
void appendFoldedForFilter(std::string &out, QStringView text);

// Folded text in one flat buffer, one record per list entry in scan order, each ended by a
// line feed; a list of 300,000 entries holds no QString per entry.
class FilterText final
{
public:
    // Adds the next entry's record; its fields are already folded and joined by line feeds.
    // False (and nothing added) once the buffer would pass 4 GiB.
    bool appendRecord(std::string_view folded);
    // Adds the next entry's record from its texts, each folded.
    bool appendTexts(std::initializer_list<QStringView> texts);
    // Takes over the records of another text, which follow this one's.
    bool append(const FilterText &other);
    void squeeze();

    int recordCount() const { return int(m_ends.size()); }
    std::size_t byteCount() const { return m_text.size() + m_ends.size() * sizeof(std::uint32_t); }

    // Sets hits[k] for every record k that holds needle (folded, not empty).
    void markAll(std::string_view needle, std::vector<std::uint8_t> &hits) const;
    // Whether record k holds needle.
    bool holds(int record, std::string_view needle) const;

private:
    std::string_view record(int k) const;

    std::string m_text;
    std::vector<std::uint32_t> m_ends; // the end of record k (its line feed) in m_text
};

// The list filter's rule: a row matches when its entry's manufacturer, type, title, folder or
// description holds the text, compared folded (foldForFilter). The description is what the
// details show for the entry (without its line end; none when they show "-EMPTY-"). Until the
// descriptions are there, the other fields alone decide.
class ListFilter final
{
public:
    // The fields of every entry of the scan; no descriptions yet.
    static ListFilter fromFields(const CatalogueScan &scan);

    void setDescriptions(FilterText descriptions) { m_descriptions = std::move(descriptions); }
    bool hasDescriptions() const { return m_descriptions.recordCount() > 0 || m_fields.recordCount() == 0; }
    // Bytes held for the folded texts.
    std::size_t byteCount() const { return m_fields.byteCount() + m_descriptions.byteCount(); }

    // The rows of the scan's list (positions in its sorted order, ascending) whose entry holds
    // the text. Only rows among `within` are looked at when it is given: the caller passes
    // the rows of a text this one contains, which is all that can match.
    std::vector<int> matchingRows(const CatalogueScan &scan, QStringView text,
                                  const std::vector<int> *within = nullptr) const;

private:
    FilterText m_fields;
    FilterText m_descriptions;
};

// The description of every entry of the scan as the details show it, folded, one record per
// entry, each folder's aircraft.cfg read again on the reader threads (0: readerThreadCount's
// choice). keepGoing is asked between folders; nullopt when it said stop.
std::optional<FilterText> gatherDescriptions(const CatalogueScan &scan, const std::function<bool()> &keepGoing = {},
                                             int readerThreads = 0);

// The rows of the scan's list whose entry holds text, the descriptions read at once.
std::vector<int> matchingRows(const CatalogueScan &scan, QStringView text);

} // namespace hangardeck::core

#endif
