// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/listoutput.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/catalogue/savedlist.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace hangardeck::cli {

namespace {

// RFC 4180: a field holding a comma, a quote or a line break is quoted, quotes doubled.
QByteArray csvField(const QString &value)
{
    QByteArray bytes = value.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n')) {
        bytes.replace('"', "\"\"");
        return '"' + bytes + '"';
    }
    return bytes;
}

QByteArray renderCsv(const core::CatalogueScan &scan)
{
    QByteArray text = "manufacturer,type,title,subdir,entry\r\n";
    for (const int index : scan.rowEntries) {
        const core::CatalogueEntry &entry = scan.entries[size_t(index)];
        text += csvField(entry.manufacturer) + ',' + csvField(entry.type) + ',' + csvField(entry.title) + ','
                + csvField(entry.subdir) + ',' + QByteArray::number(entry.fltsimIndex) + "\r\n";
    }
    return text;
}

QByteArray renderJson(const core::CatalogueScan &scan)
{
    QJsonArray array;
    for (const int index : scan.rowEntries) {
        const core::CatalogueEntry &entry = scan.entries[size_t(index)];
        array.append(QJsonObject{{QStringLiteral("manufacturer"), entry.manufacturer},
                                 {QStringLiteral("type"), entry.type},
                                 {QStringLiteral("title"), entry.title},
                                 {QStringLiteral("subdir"), entry.subdir},
                                 {QStringLiteral("entry"), entry.fltsimIndex}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

} // namespace

QByteArray renderList(const core::CatalogueScan &scan, OutputFormat format, const QByteArray &lineEnd)
{
    switch (format) {
    case OutputFormat::Csv:
        return renderCsv(scan);
    case OutputFormat::Json:
        return renderJson(scan);
    case OutputFormat::Rows:
        break;
    }
    return core::savedListText(scan.rows(), lineEnd);
}

} // namespace hangardeck::cli
