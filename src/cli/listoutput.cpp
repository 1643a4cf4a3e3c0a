// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/listoutput.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/catalogue/listfilter.h"
#include "core/catalogue/rowformat.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <string>
#include <system_error>
#include <thread>

namespace hangardeck::cli {

namespace {

constexpr std::size_t ChunkBytes = 64 * 1024;

// Gathers the output into pieces of about ChunkBytes, so that neither a row nor the whole
// list is a write of its own.
class ChunkedOutput final
{
public:
    explicit ChunkedOutput(const ByteSink &sink)
        : m_sink(sink)
    {
        m_buffer.reserve(ChunkBytes + 4096);
    }

    void append(QByteArrayView bytes)
    {
        m_buffer.append(bytes.data(), std::size_t(bytes.size()));
        if (m_buffer.size() >= ChunkBytes) {
            flush();
        }
    }

    // Text as UTF-8; rows are nearly always ASCII, which is copied as it is.
    void appendText(QStringView text)
    {
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (!ascii) {
            append(text.toUtf8());
            return;
        }
        const std::size_t at = m_buffer.size();
        m_buffer.resize(at + std::size_t(text.size()));
        std::transform(text.begin(), text.end(), m_buffer.begin() + std::ptrdiff_t(at),
                       [](QChar c) { return char(c.unicode()); });
        if (m_buffer.size() >= ChunkBytes) {
            flush();
        }
    }

    // Whether every piece so far reached the sink.
    bool isGood() const { return m_good; }

    bool finish()
    {
        if (!m_buffer.empty()) {
            flush();
        }
        return m_good;
    }

private:
    void flush()
    {
        m_good = m_good && m_sink(QByteArrayView(m_buffer.data(), qsizetype(m_buffer.size())));
        m_buffer.clear();
    }

    const ByteSink &m_sink;
    std::string m_buffer;
    bool m_good = true;
};

// C0, DEL and C1: the characters that break a line, move the cursor or start a terminal's
// escape sequence.
bool isControl(QChar c)
{
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

bool hasControl(QStringView text)
{
    return std::any_of(text.begin(), text.end(), isControl);
}

QString withoutControls(QString text)
{
    for (QChar &c : text) {
        if (isControl(c)) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

// A row as stdout shows it: every control character of its values becomes U+FFFD, one
// character for one, so the fields keep their width. The delimiter and the terminator were
// typed by the user and print as given; where they hold control characters themselves, the
// row is laid out afresh from cleaned values instead of cleaning the row as a whole.
QString rowForStandardOutput(const QString &row, const core::CatalogueEntry &entry,
                             const core::FormatSettings &settings)
{
    if (!hasControl(row)) {
        return row;
    }
    if (!hasControl(settings.delimiter) && !hasControl(settings.terminator)) {
        return withoutControls(row);
    }
    core::CatalogueEntry clean = entry;
    clean.manufacturer = withoutControls(entry.manufacturer);
    clean.type = withoutControls(entry.type);
    clean.title = withoutControls(entry.title);
    clean.subdir = withoutControls(entry.subdir);
    return core::rowformat::formatRow(clean, settings);
}

// The entries to write, in the list's order: order[i] is the entry of the i-th.
using EntryOrder = std::vector<int>;

void writeRowRange(const core::CatalogueScan &scan, const EntryOrder &order, qsizetype begin, qsizetype end,
                   const ListOptions &options, ListDestination destination, ChunkedOutput &out)
{
    const QByteArrayView lineEnd = destination == ListDestination::File ? "\r\n" : "\n";
    QString row; // one buffer for every row
    for (qsizetype i = begin; i < end && out.isGood(); ++i) {
        const core::CatalogueEntry &entry = scan.entries[std::size_t(order[std::size_t(i)])];
        row.resize(0);
        core::rowformat::appendRow(row, entry, scan.format);
        if (destination == ListDestination::File) {
            out.appendText(row);
        } else {
            out.appendText(rowForStandardOutput(row, entry, options.format));
        }
        out.append(lineEnd);
    }
}

// A long list is laid out in two halves at once: the second half into memory beside the
// first, which goes out as it is made.
void writeRows(const core::CatalogueScan &scan, const EntryOrder &order, const ListOptions &options,
               ListDestination destination, ChunkedOutput &out)
{
    constexpr qsizetype SplitFrom = 2048;
    constexpr qsizetype SplitUpTo = 100000; // beyond, the second half would hold megabytes
    const auto count = qsizetype(order.size());
    if (count < SplitFrom || count > SplitUpTo || std::thread::hardware_concurrency() < 2) {
        writeRowRange(scan, order, 0, count, options, destination, out);
        return;
    }
    const qsizetype middle = count / 2;
    std::string secondHalf;
    const ByteSink intoMemory = [&secondHalf](QByteArrayView bytes) {
        secondHalf.append(bytes.data(), std::size_t(bytes.size()));
        return true;
    };
    ChunkedOutput second(intoMemory);
    {
        std::jthread laying;
        try {
            laying = std::jthread([&] {
                writeRowRange(scan, order, middle, count, options, destination, second);
                second.finish();
            });
        } catch (const std::system_error &) {
            writeRowRange(scan, order, 0, count, options, destination, out); // no thread to be had
            return;
        }
        writeRowRange(scan, order, 0, middle, options, destination, out);
    }
    out.append(secondHalf);
}

void writeCsv(const core::CatalogueScan &scan, const EntryOrder &order, ChunkedOutput &out)
{
    using core::rowformat::csvField;
    out.append("manufacturer,type,title,subdir,entry\r\n");
    for (std::size_t i = 0; i < order.size() && out.isGood(); ++i) {
        const core::CatalogueEntry &entry = scan.entries[std::size_t(order[i])];
        const QByteArray record = csvField(entry.manufacturer) + ',' + csvField(entry.type) + ','
                                  + csvField(entry.title) + ',' + csvField(entry.subdir) + ','
                                  + QByteArray::number(entry.fltsimIndex) + "\r\n";
        out.append(record);
    }
}

// The text QJsonDocument gives for the whole array, one record at a time: "[\n", each
// object as Qt lays it out alone but indented by four more spaces, ",\n" between objects,
// "\n]\n" at the end ("[\n]\n" when empty). Qt escapes every line break inside a string,
// so the object's lines are its layout's lines.
void writeJson(const core::CatalogueScan &scan, const EntryOrder &order, ChunkedOutput &out)
{
    out.append("[\n");
    for (std::size_t i = 0; i < order.size() && out.isGood(); ++i) {
        const core::CatalogueEntry &entry = scan.entries[std::size_t(order[i])];
        const QByteArray object = QJsonDocument(QJsonObject{{QStringLiteral("manufacturer"), entry.manufacturer},
                                                            {QStringLiteral("type"), entry.type},
                                                            {QStringLiteral("title"), entry.title},
                                                            {QStringLiteral("subdir"), entry.subdir},
                                                            {QStringLiteral("entry"), entry.fltsimIndex}})
                                      .toJson(QJsonDocument::Indented);
        if (i > 0) {
            out.append(",\n");
        }
        // Every line but the last ends with '\n'; the closing brace's own '\n' is dropped.
        const QByteArrayView text = QByteArrayView(object).chopped(1);
        qsizetype lineStart = 0;
        while (lineStart <= text.size()) {
            qsizetype lineEnd = text.indexOf('\n', lineStart);
            if (lineEnd < 0) {
                lineEnd = text.size();
            }
            out.append("    ");
            out.append(text.sliced(lineStart, lineEnd - lineStart));
            if (lineEnd < text.size()) {
                out.append("\n");
            }
            lineStart = lineEnd + 1;
        }
    }
    out.append(order.empty() ? "]\n" : "\n]\n");
}

} // namespace

bool writeList(const core::CatalogueScan &scan, const ListOptions &options, ListDestination destination,
               const ByteSink &sink)
{
    // --match: the rows the window's filter shows for the same text.
    EntryOrder matched;
    if (!options.match.isEmpty()) {
        for (const int row : core::matchingRows(scan, options.match)) {
            matched.push_back(scan.rowEntries[std::size_t(row)]);
        }
    }
    const EntryOrder &order = options.match.isEmpty() ? scan.rowEntries : matched;
    ChunkedOutput out(sink);
    switch (options.outputFormat) {
    case OutputFormat::Csv:
        writeCsv(scan, order, out);
        break;
    case OutputFormat::Json:
        writeJson(scan, order, out);
        break;
    case OutputFormat::Rows:
        writeRows(scan, order, options, destination, out);
        break;
    }
    return out.finish();
}

} // namespace hangardeck::cli
