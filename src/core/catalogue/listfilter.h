// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_LISTFILTER_H
#define HANGARDECK_CORE_LISTFILTER_H

#include <QStringView>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hangardeck::core {

struct CatalogueScan;

// Text as the list filter compares it, in UTF-8: case folded (Unicode simple folding), and
// Latin letters without their accents: a Latin letter is taken back to its base letter
// through its canonical decomposition (é -> e, Å -> a, İ -> i), combining accents
// (U+0300 to U+036F) are dropped, and the Latin letters that have no decomposition are
// spelled out: ß and ẞ -> ss, æ -> ae, œ -> oe, ø -> o, đ and ð -> d, ł -> l, þ -> th,
// ħ -> h, ŧ -> t, ı -> i. Other scripts are case folded only. A line feed becomes U+FFFD, so
// that no text to match can hold the line feed that ends each text in the filter's buffer.
std::string foldForFilter(QStringView text);
// The same, appended to out.
void appendFoldedForFilter(std::string &out, QStringView text);

// One folded text per list entry in scan order, each distinct text kept once in one flat
// buffer: a list of 300,000 entries holds no string per entry, and the texts many entries
// share (a maker, a type, a folder, a description every variation repeats) are searched once.
class FilterText final
{
public:
    // shareAll: any earlier equal text is found and shared; otherwise only the text just
    // before (texts that seldom repeat, or only variation after variation, as titles and
    // folders do, then need no lookup).
    explicit FilterText(bool shareAll = true)
        : m_shareAll(shareAll)
    {
    }

    // Adds the next entry's text, already folded. False once the buffer would pass 4 GiB:
    // the entry then has no text.
    bool append(std::string_view folded);
    // The same from the entry's text, folded here.
    bool append(QStringView text);
    // Done adding: gives back what was only needed to find repeated texts.
    void squeeze();

    int entryCount() const { return int(m_ids.size()); }
    std::size_t byteCount() const { return m_text.size() + (m_ends.size() + m_ids.size()) * sizeof(std::uint32_t); }

    // Sets hits[k] for every entry k whose text holds needle (folded, not empty).
    void markAll(std::string_view needle, std::vector<std::uint8_t> &hits) const;
    // Whether entry k's text holds needle. memo keeps what was found for each distinct text
    // (empty at first, then kept for the same needle), so a text many entries share is
    // searched once.
    bool holds(int entry, std::string_view needle, std::vector<std::int8_t> &memo) const;

private:
    static constexpr std::uint32_t NoText = std::numeric_limits<std::uint32_t>::max();
    std::string_view text(std::uint32_t id) const;

    std::string m_text;                // the distinct texts, each ended by a line feed
    std::vector<std::uint32_t> m_ends; // where distinct text i ends (its line feed) in m_text
    std::vector<std::uint32_t> m_ids;  // entry k's distinct text
    bool m_shareAll;
    // While adding: distinct texts by hash.
    std::unordered_multimap<std::size_t, std::uint32_t> m_known;
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

    void setDescriptions(FilterText descriptions) { m_texts[Descriptions] = std::move(descriptions); }
    // Bytes held for the folded texts.
    std::size_t byteCount() const;

    // The rows of the scan's list (positions in its sorted order, ascending) whose entry holds
    // the text. Only rows among `within` are looked at when it is given: the caller passes
    // the rows of a text this one contains, which is all that can match.
    std::vector<int> matchingRows(const CatalogueScan &scan, QStringView text,
                                  const std::vector<int> *within = nullptr) const;

private:
    // The entry's manufacturer, type, title, folder, and then its description.
    static constexpr std::size_t Descriptions = 4;
    std::array<FilterText, 5> m_texts{FilterText(), FilterText(), FilterText(false), FilterText(false), FilterText()};
};

// The description of every entry of the scan as the details show it, folded, one text per
// entry, each folder's aircraft.cfg read again on the reader threads (0: readerThreadCount's
// choice). keepGoing is asked before each folder, on any of the threads; nullopt when it said
// stop.
std::optional<FilterText> gatherDescriptions(const CatalogueScan &scan, const std::function<bool()> &keepGoing = {},
                                             int readerThreads = 0);

// The rows of the scan's list whose entry holds text, the descriptions read at once.
std::vector<int> matchingRows(const CatalogueScan &scan, QStringView text);

} // namespace hangardeck::core

#endif
