// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
// The description scan on decoded file text: from the first occurrence of the section text,
// the first of the four key forms found (ASCII letters without regard to case), the text 12
// characters on up to the line end, given as CR; "-EMPTY-" when something is missing, the
// line has no end, the result is shorter than 4 characters or holds "TITLE=".
#include "core/inspection/descriptionscan.h"
#include "core/platform/textdecoding.h"
#include "reference.h"

#include <QList>

#include <fuzzer/FuzzedDataProvider.h>

using namespace hangardeck::core;
using namespace hangardeck::fuzz;

namespace {

QString asciiLower(QString text)
{
    for (QChar &c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + 32);
        }
    }
    return text;
}

QString description(const QString &file, const QString &section)
{
    const QString empty = QStringLiteral("-EMPTY-");
    const QString folded = asciiLower(file);
    const qsizetype at = folded.indexOf(asciiLower(section));
    if (at < 0) {
        return empty;
    }
    qsizetype key = -1;
    for (const char *form : {"description=", "description = ", "description= ", "description ="}) {
        key = folded.indexOf(QLatin1String(form), at);
        if (key >= 0) {
            break;
        }
    }
    if (key < 0) {
        return empty;
    }
    const qsizetype start = key + 12;
    qsizetype end = start;
    while (end < file.size() && file[end] != u'\r' && file[end] != u'\n') {
        ++end;
    }
    if (end == file.size()) {
        return empty;
    }
    const QString candidate = file.sliced(start, end - start) + u'\r';
    if (candidate.toUcs4().size() < 4 || asciiLower(candidate).contains(QLatin1String("title="))) {
        return empty;
    }
    return candidate;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // The section text a caller passes is never empty: "fltsim.3".
    QString section = decodeText(QByteArray::fromStdString(input.ConsumeRandomLengthString(12)));
    if (section.isEmpty()) {
        section = QStringLiteral("fltsim.0");
    }
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString file = decodeText(QByteArrayView(rest.data(), qsizetype(rest.size())));
    checkEqual(scanDescription(file, section), description(file, section), "scanDescription");
    return 0;
}
