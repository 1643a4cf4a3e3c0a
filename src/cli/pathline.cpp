// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/pathline.h"

#include "core/platform/system.h"

#include <QByteArrayView>

namespace hangardeck::cli {

// A line break in a name cannot split the line, an escape sequence never reaches the terminal.
void appendPathLine(QByteArray &out, const std::filesystem::path &path)
{
    const QByteArray bytes = core::pathBytes(path);
    constexpr QByteArrayView Replacement = "\xEF\xBF\xBD";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool c1 = byte == 0xC2 && i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) >= 0x80
                        && static_cast<unsigned char>(bytes[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1) {
            out.append(Replacement);
            i += c1 ? 1 : 0;
        } else {
            out.append(char(byte));
        }
    }
    out.append('\n');
}

} // namespace hangardeck::cli
