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
    // Nearly every value is ASCII, which folds one character to one byte: written straight
    // into place, up to the first character that is not.
    const std::size_t start = out.size();
    out.resize(start + std::size_t(text.size()));
    char *ascii = out.data() + start;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0x80 || u == u'\n') {
            break;
        }
        ascii[i] = char(u >= u'A' && u <= u'Z' ? u + 32 : u);
    }
    out.resize(start + std::size_t(i));
    const LatinTable &latin = latinTable();
    for (; i < text.size(); ++i) {
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

bool FilterText::append(std::string_view folded)
{
    // Variations of one aircraft mostly repeat the text just added.
    if (!m_ids.empty() && text(m_ids.back()) == folded) {
        m_ids.push_back(m_ids.back());
        return true;
    }
    const std::size_t hash = m_shareAll ? std::hash<std::string_view>()(folded) : 0;
    for (auto [at, end] = m_known.equal_range(hash); m_shareAll && at != end; ++at) {
        if (text(at->second) == folded) {
            m_ids.push_back(at->second);
            return true;
        }
    }
    if (m_text.size() + folded.size() + 1 > std::numeric_limits<std::uint32_t>::max()) {
        m_ids.push_back(NoText);
        return false;
    }
    m_text.append(folded);
    m_text.push_back('\n');
    const auto id = std::uint32_t(m_ends.size());
    m_ends.push_back(std::uint32_t(m_text.size() - 1));
    if (m_shareAll) {
        m_known.emplace(hash, id);
    }
    m_ids.push_back(id);
    return true;
}

bool FilterText::append(QStringView text)
{
    thread_local std::string folded;
    folded.clear();
    appendFoldedForFilter(folded, text);
    return append(std::string_view(folded));
}

void FilterText::squeeze()
{
    m_known = {};
    m_text.shrink_to_fit();
    m_ends.shrink_to_fit();
    m_ids.shrink_to_fit();
}

std::string_view FilterText::text(std::uint32_t id) const
{
    if (id == NoText) {
        return {};
    }
    const std::size_t begin = id == 0 ? 0 : std::size_t(m_ends[id - 1]) + 1;
    return std::string_view(m_text).substr(begin, m_ends[id] - begin);
}

bool FilterText::holds(int entry, std::string_view needle, std::vector<std::int8_t> &memo) const
{
    if (entry >= entryCount() || m_ids[std::size_t(entry)] == NoText) {
        return false;
    }
    if (memo.empty()) {
        memo.assign(m_ends.size(), -1);
    }
    const std::uint32_t id = m_ids[std::size_t(entry)];
    if (memo[id] < 0) {
        memo[id] = text(id).find(needle) != std::string_view::npos ? 1 : 0;
    }
    return memo[id] == 1;
}

void FilterText::markAll(std::string_view needle, std::vector<std::uint8_t> &hits) const
{
    // One pass over the distinct texts: the search jumps from hit to hit, and past the rest
    // of a text that has one.
    std::vector<std::uint8_t> found(m_ends.size(), 0);
    const std::string_view all(m_text);
    auto end = m_ends.begin();
    for (std::size_t from = 0; from < all.size();) {
        const std::size_t at = all.find(needle, from);
        if (at == std::string_view::npos) {
            break;
        }
        // Hits lie close together for a short needle, far apart for a long one: a few steps
        // ahead first, then a binary search.
        for (int steps = 0; end != m_ends.end() && *end < at && steps < 8; ++steps) {
            ++end;
        }
        end = std::lower_bound(end, m_ends.end(), std::uint32_t(at));
        if (end == m_ends.end()) {
            break;
        }
        found[std::size_t(end - m_ends.begin())] = 1;
        from = std::size_t(*end) + 1;
    }
    for (std::size_t k = 0; k < m_ids.size(); ++k) {
        hits[k] |= m_ids[k] != NoText && found[m_ids[k]];
    }
}

ListFilter ListFilter::fromFields(const CatalogueScan &scan)
{
    ListFilter filter;
    const auto fill = [&scan](FilterText &texts, QString CatalogueEntry::*field) {
        for (const CatalogueEntry &entry : scan.entries) {
            texts.append(QStringView(entry.*field));
        }
        texts.squeeze();
    };
    // Two fields on another thread, two on this one.
    runBoth(
        [&] {
            fill(filter.m_texts[0], &CatalogueEntry::manufacturer);
            fill(filter.m_texts[1], &CatalogueEntry::type);
        },
        [&] {
            fill(filter.m_texts[2], &CatalogueEntry::title);
            fill(filter.m_texts[3], &CatalogueEntry::subdir);
        });
    return filter;
}

std::size_t ListFilter::byteCount() const
{
    std::size_t bytes = 0;
    for (const FilterText &text : m_texts) {
        bytes += text.byteCount();
    }
    return bytes;
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
    if (within) {
        std::array<std::vector<std::int8_t>, std::tuple_size_v<decltype(m_texts)>> memos;
        const auto holds = [&](int row) {
            const int entry = scan.rowEntries[std::size_t(row)];
            for (std::size_t t = 0; t < m_texts.size(); ++t) {
                if (m_texts[t].holds(entry, needle, memos[t])) {
                    return true;
                }
            }
            return false;
        };
        std::copy_if(within->begin(), within->end(), std::back_inserter(rows), holds);
        return rows;
    }
    std::vector<std::uint8_t> hits(scan.entries.size(), 0);
    for (const FilterText &texts : m_texts) {
        texts.markAll(needle, hits);
    }
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
    // Readers run at most this many folders ahead of the merge.
    constexpr int Window = 1024;
    produceInOrder<std::vector<std::string>>(
        folders, readerThreadCount(readerThreads, folders), Window,
        [&](int f) {
            std::vector<std::string> folded;
            if (keepGoing && !keepGoing()) {
                return folded; // stopping: the readers take no more files
            }
            const int begin = folderStarts[std::size_t(f)];
            const int end = folderStarts[std::size_t(f) + 1];
            const CatalogueEntry &first = scan.entries[std::size_t(begin)];
            const QString fileText = readAircraftConfig(scan.folderPath(first)).profile.text();
            for (int k = begin; k < end; ++k) {
                const int n = scan.entries[std::size_t(k)].fltsimIndex;
                QString description = scanDescription(fileText, QStringLiteral("fltsim.%1").arg(n));
                if (description.endsWith(u'\r')) {
                    description.chop(1);
                } else {
                    description.clear(); // "-EMPTY-": the file holds no description for it
                }
                folded.push_back(foldForFilter(description));
            }
            return folded;
        },
        [&](int f, const std::vector<std::string> &folded) {
            const auto expected = std::size_t(folderStarts[std::size_t(f) + 1] - folderStarts[std::size_t(f)]);
            // A folder whose reading failed gives no texts: its entries match by their fields.
            for (std::size_t k = 0; k < expected; ++k) {
                all.append(k < folded.size() ? std::string_view(folded[k]) : std::string_view());
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
