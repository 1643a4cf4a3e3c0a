// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/listfilter.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/inspection/descriptionscan.h"
#include "core/platform/parallel.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <numeric>

namespace hangardeck::core {

namespace {

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

// The Latin letters without a decomposition, and what they read as.
const char *spelledOut(char32_t c)
{
    switch (c) {
    case U'ß':
    case U'ẞ':
        return "ss";
    case U'Æ':
    case U'æ':
        return "ae";
    case U'Œ':
    case U'œ':
        return "oe";
    case U'Ø':
    case U'ø':
        return "o";
    case U'Đ':
    case U'đ':
    case U'Ð':
    case U'ð':
        return "d";
    case U'Ł':
    case U'ł':
        return "l";
    case U'Þ':
    case U'þ':
        return "th";
    case U'Ħ':
    case U'ħ':
        return "h";
    case U'Ŧ':
    case U'ŧ':
        return "t";
    case U'ı':
        return "i";
    default:
        return nullptr;
    }
}

bool isCombiningAccent(char32_t c)
{
    return c >= 0x300 && c <= 0x36F;
}

void appendFoldedCodePoint(std::string &out, char32_t c)
{
    if (isCombiningAccent(c)) {
        return;
    }
    if (const char *spelled = spelledOut(c)) {
        out.append(spelled);
        return;
    }
    if (QChar::script(c) == QChar::Script_Latin) {
        // The base letter of a canonical decomposition is its first character, which may
        // decompose further (ǖ -> ü -> u).
        while (QChar::decompositionTag(c) == QChar::Canonical) {
            const QString parts = QChar::decomposition(c);
            if (parts.isEmpty()) {
                break;
            }
            c = parts.at(0).isHighSurrogate() && parts.size() > 1 ? QChar::surrogateToUcs4(parts.at(0), parts.at(1))
                                                                  : char32_t(parts.at(0).unicode());
        }
    }
    appendUtf8(out, QChar::toCaseFolded(c));
}

// What each character from U+0080 to U+024F (Latin-1 and the Latin extensions, where nearly
// every accented letter of a European name lies) folds to, worked out once.
class LatinTable final
{
public:
    LatinTable()
    {
        for (char32_t c = First; c <= Last; ++c) {
            std::string folded;
            appendFoldedCodePoint(folded, c);
            m_folded[c - First] = std::move(folded);
        }
    }

    static constexpr char32_t First = 0x80;
    static constexpr char32_t Last = 0x24F;
    const std::string &at(char32_t c) const { return m_folded[c - First]; }

private:
    std::array<std::string, Last - First + 1> m_folded;
};

const LatinTable &latinTable()
{
    static const LatinTable table;
    return table;
}

} // namespace

void appendFoldedForFilter(std::string &out, QStringView text)
{
    const LatinTable &latin = latinTable();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            if (u == u'\n') {
                appendUtf8(out, QChar::ReplacementCharacter);
            } else {
                out.push_back(char(u >= u'A' && u <= u'Z' ? u + 32 : u));
            }
            continue;
        }
        char32_t c = u;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            c = QChar::surrogateToUcs4(u, text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(u)) {
            c = QChar::ReplacementCharacter;
        }
        if (c <= LatinTable::Last) {
            out.append(latin.at(c));
        } else {
            appendFoldedCodePoint(out, c);
        }
    }
}

std::string foldForFilter(QStringView text)
{
    std::string folded;
    folded.reserve(std::size_t(text.size()));
    appendFoldedForFilter(folded, text);
    return folded;
}

bool FilterText::appendRecord(std::string_view folded)
{
    if (m_text.size() + folded.size() + 1 > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    m_text.append(folded);
    m_text.push_back('\n');
    m_ends.push_back(std::uint32_t(m_text.size() - 1));
    return true;
}

bool FilterText::appendTexts(std::initializer_list<QStringView> texts)
{
    const std::size_t start = m_text.size();
    for (const QStringView text : texts) {
        if (m_text.size() > start) {
            m_text.push_back('\n');
        }
        appendFoldedForFilter(m_text, text);
    }
    if (m_text.size() + 1 > std::numeric_limits<std::uint32_t>::max()) {
        m_text.resize(start);
        return false;
    }
    m_text.push_back('\n');
    m_ends.push_back(std::uint32_t(m_text.size() - 1));
    return true;
}

bool FilterText::append(const FilterText &other)
{
    if (m_text.size() + other.m_text.size() > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const auto offset = std::uint32_t(m_text.size());
    m_text.append(other.m_text);
    for (const std::uint32_t end : other.m_ends) {
        m_ends.push_back(end + offset);
    }
    return true;
}

void FilterText::squeeze()
{
    m_text.shrink_to_fit();
    m_ends.shrink_to_fit();
}

std::string_view FilterText::record(int k) const
{
    const std::size_t begin = k == 0 ? 0 : std::size_t(m_ends[std::size_t(k) - 1]) + 1;
    return std::string_view(m_text).substr(begin, m_ends[std::size_t(k)] - begin);
}

bool FilterText::holds(int record, std::string_view needle) const
{
    return record < recordCount() && this->record(record).find(needle) != std::string_view::npos;
}

void FilterText::markAll(std::string_view needle, std::vector<std::uint8_t> &hits) const
{
    // One pass over the whole buffer: the search jumps from hit to hit, and past the rest of
    // a record that has one.
    const std::string_view text(m_text);
    std::size_t from = 0;
    auto record = m_ends.begin();
    while (from < text.size()) {
        const std::size_t at = text.find(needle, from);
        if (at == std::string_view::npos) {
            return;
        }
        record = std::upper_bound(record, m_ends.end(), std::uint32_t(at));
        if (record == m_ends.end()) {
            return;
        }
        hits[std::size_t(record - m_ends.begin())] = 1;
        from = std::size_t(*record) + 1;
    }
}

ListFilter ListFilter::fromFields(const CatalogueScan &scan)
{
    ListFilter filter;
    for (const CatalogueEntry &entry : scan.entries) {
        filter.m_fields.appendTexts({entry.manufacturer, entry.type, entry.title, entry.subdir});
    }
    filter.m_fields.squeeze();
    return filter;
}

std::vector<int> ListFilter::matchingRows(const CatalogueScan &scan, QStringView text,
                                          const std::vector<int> *within) const
{
    std::vector<int> rows;
    const std::string needle = foldForFilter(text);
    if (needle.empty()) {
        if (within) {
            return *within;
        }
        rows.resize(std::size_t(scan.rowCount()));
        std::iota(rows.begin(), rows.end(), 0);
        return rows;
    }
    const auto holds = [&](int entry) { return m_fields.holds(entry, needle) || m_descriptions.holds(entry, needle); };
    if (within) {
        std::copy_if(within->begin(), within->end(), std::back_inserter(rows),
                     [&](int row) { return holds(scan.rowEntries[std::size_t(row)]); });
        return rows;
    }
    std::vector<std::uint8_t> hits(scan.entries.size(), 0);
    m_fields.markAll(needle, hits);
    m_descriptions.markAll(needle, hits);
    for (std::size_t row = 0; row < scan.rowEntries.size(); ++row) {
        if (hits[std::size_t(scan.rowEntries[row])]) {
            rows.push_back(int(row));
        }
    }
    return rows;
}

std::optional<FilterText> gatherDescriptions(const CatalogueScan &scan, const std::function<bool()> &keepGoing,
                                             int readerThreads)
{
    // The entries of one folder lie together in scan order: folderStarts[f] is the first.
    std::vector<int> folderStarts;
    folderStarts.reserve(scan.folderPaths.size() + 1);
    int previousFolder = -1;
    for (std::size_t k = 0; k < scan.entries.size(); ++k) {
        if (scan.entries[k].folderIndex != previousFolder) {
            previousFolder = scan.entries[k].folderIndex;
            folderStarts.push_back(int(k));
        }
    }
    const int folders = int(folderStarts.size());
    folderStarts.push_back(int(scan.entries.size()));

    FilterText all;
    bool stopped = false;
    bool full = false;
    // Readers run at most this many folders ahead of the merge.
    constexpr int Window = 1024;
    produceInOrder<FilterText>(
        folders, readerThreadCount(readerThreads, folders), Window,
        [&](int f) {
            FilterText folder;
            const int begin = folderStarts[std::size_t(f)];
            const int end = folderStarts[std::size_t(f) + 1];
            const CatalogueEntry &first = scan.entries[std::size_t(begin)];
            const QString fileText = readAircraftConfig(scan.folderPath(first)).profile.text();
            std::string folded;
            for (int k = begin; k < end; ++k) {
                const int n = scan.entries[std::size_t(k)].fltsimIndex;
                QString description = scanDescription(fileText, QStringLiteral("fltsim.%1").arg(n));
                if (description.endsWith(u'\r')) {
                    description.chop(1);
                } else {
                    description.clear(); // "-EMPTY-": the file holds no description for it
                }
                folded.clear();
                appendFoldedForFilter(folded, description);
                folder.appendRecord(folded);
            }
            return folder;
        },
        [&](int f, FilterText folder) {
            const int expected = folderStarts[std::size_t(f) + 1] - folderStarts[std::size_t(f)];
            // A folder whose reading failed gives no records: its entries match by their fields.
            while (folder.recordCount() < expected) {
                folder.appendRecord({});
            }
            if (!all.append(folder)) {
                full = true;
                return false;
            }
            if (keepGoing && !keepGoing()) {
                stopped = true;
                return false;
            }
            return true;
        });
    if (stopped) {
        return std::nullopt;
    }
    // Past 4 GiB of descriptions the rest match by their fields.
    while (full && all.recordCount() < int(scan.entries.size()) && all.appendRecord({})) {}
    all.squeeze();
    return all;
}

std::vector<int> matchingRows(const CatalogueScan &scan, QStringView text)
{
    ListFilter filter = ListFilter::fromFields(scan);
    if (!foldForFilter(text).empty()) {
        if (std::optional<FilterText> descriptions = gatherDescriptions(scan)) {
            filter.setDescriptions(std::move(*descriptions));
        }
    }
    return filter.matchingRows(scan, text);
}

} // namespace hangardeck::core
