// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/savedlist.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/catalogue/rowformat.h"
#include "core/platform/atomicfile.h"

namespace hangardeck::core {

bool writeSavedList(const std::filesystem::path &file, const CatalogueScan &scan, QString *errorText)
{
    constexpr qsizetype ChunkBytes = 64 * 1024;
    AtomicFileWriter writer(file);
    bool ok = writer.open();
    QString row; // one buffer for every row
    QByteArray chunk;
    chunk.reserve(ChunkBytes + 1024);
    for (qsizetype i = 0; ok && i < scan.rowCount(); ++i) {
        row.resize(0);
        rowformat::appendRow(row, scan.entries[size_t(scan.rowEntries[size_t(i)])], scan.format);
        chunk += row.toUtf8();
        chunk += "\r\n";
        if (chunk.size() >= ChunkBytes) {
            ok = writer.write(chunk);
            chunk.resize(0);
        }
    }
    ok = ok && writer.write(chunk) && writer.commit();
    if (!ok && errorText) {
        *errorText = writer.errorText();
    }
    return ok;
}

} // namespace hangardeck::core
