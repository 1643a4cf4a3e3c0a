// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
// Text decoding: valid UTF-8 is UTF-8 (U+FEFF kept as a character), anything else
// Windows-1252; the lookup cut keeps a prefix of at most 126 UTF-16 units, never half a pair.
#include "core/platform/profile.h"
#include "core/platform/textdecoding.h"
#include "reference.h"

#include <cstdint>

using namespace hangardeck::core;
using namespace hangardeck::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const std::optional<QString> utf8 = strictUtf8(bytes);
    const QString whole = utf8.value_or(windows1252(bytes));

    bool ascii = true;
    for (const char c : bytes) {
        ascii = ascii && uchar(c) < 0x80;
    }
    check(isAscii(bytes) == ascii, "isAscii: every byte below 0x80");
    check(isValidUtf8(bytes) == utf8.has_value(), "isValidUtf8: well-formed UTF-8");
    checkEqual(decodeText(bytes), whole, "decodeText: UTF-8, else Windows-1252");
    checkEqual(decodeFileName(std::string(bytes.data(), size_t(bytes.size()))), whole,
               "decodeFileName decodes as decodeText");

    const QString cut = cutToCharacters(whole, Profile::MaxValueChars);
    check(isPrefix(cut, whole), "the cut value is a prefix of the whole");
    check(codePoints(cut) == std::min<qsizetype>(codePoints(whole), Profile::MaxValueChars),
          "the cut keeps 126 code points, or all of a shorter value");
    return 0;
}
