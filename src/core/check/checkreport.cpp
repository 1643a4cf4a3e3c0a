// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/check/checkreport.h"

#include "core/catalogue/rowformat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace hangardeck::core {

namespace {

// Output is handed on in pieces of about this size.
constexpr qsizetype PieceBytes = 64 * 1024;

// Text as a terminal may be given it: each control character becomes U+FFFD.
QString shown(QString text)
{
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f)) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

} // namespace

QString checkSummaryLine(const CheckSummary &summary)
{
    const qint64 total = summary.findings;
    QString line = QStringLiteral("%1 %2, %3 %4, %5 %6")
                       .arg(summary.folders)
                       .arg(summary.folders == 1 ? QStringLiteral("folder") : QStringLiteral("folders"))
                       .arg(summary.variations)
                       .arg(summary.variations == 1 ? QStringLiteral("variation") : QStringLiteral("variations"))
                       .arg(total)
                       .arg(total == 1 ? QStringLiteral("finding") : QStringLiteral("findings"));
    QStringList perKind;
    for (int k = 0; k < FindingKindCount; ++k) {
        if (const qint64 count = summary.counts[size_t(k)]; count > 0) {
            perKind.append(findingKindName(FindingKind(k)) + u' ' + QString::number(count));
        }
    }
    if (!perKind.isEmpty()) {
        line += QStringLiteral(": ") + perKind.join(QStringLiteral(", "));
    }
    return line;
}

// Where the aircraft went between the folders and the rows, each total followed by its parts.
QStringList scanReportLines(const ScanReport &r)
{
    return {
        QStringLiteral("report: %1 folders seen: %2 skipped, %3 without aircraft.cfg, %4 unreadable, %5 with an "
                       "aircraft.cfg")
            .arg(r.foldersSeen)
            .arg(r.skipped)
            .arg(r.noCfg)
            .arg(r.unreadable)
            .arg(r.withCfg),
        QStringLiteral("report: %1 [fltsim.N] sections in them: %2 not valid (no title of two characters), %3 titled")
            .arg(r.sections)
            .arg(r.notValid)
            .arg(r.titled),
        QStringLiteral("report: %1 titled: %2 past a gap, %3 past [fltsim.32], %4 past [fltsim.0] (not extended), "
                       "%5 listed")
            .arg(r.titled)
            .arg(r.pastGap)
            .arg(r.pastLast)
            .arg(r.plainOnly)
            .arg(r.listed),
        QStringLiteral("report: %1 rows: %2 titled, %3 -EMPTY- (%4 without aircraft.cfg, %5 unreadable, %6 with an "
                       "untitled [fltsim.0])")
            .arg(r.rows)
            .arg(r.listed)
            .arg(r.noCfg + r.unreadable + r.untitledFirst)
            .arg(r.noCfg)
            .arg(r.unreadable)
            .arg(r.untitledFirst),
    };
}

namespace {

QJsonObject reportObject(const ScanReport &r)
{
    return {{QStringLiteral("foldersSeen"), r.foldersSeen},
            {QStringLiteral("skipped"), r.skipped},
            {QStringLiteral("noCfg"), r.noCfg},
            {QStringLiteral("unreadable"), r.unreadable},
            {QStringLiteral("withCfg"), r.withCfg},
            {QStringLiteral("sections"), r.sections},
            {QStringLiteral("notValid"), r.notValid},
            {QStringLiteral("titled"), r.titled},
            {QStringLiteral("pastGap"), r.pastGap},
            {QStringLiteral("pastLast"), r.pastLast},
            {QStringLiteral("plainOnly"), r.plainOnly},
            {QStringLiteral("listed"), r.listed},
            {QStringLiteral("untitledFirst"), r.untitledFirst},
            {QStringLiteral("rows"), r.rows}};
}

QJsonObject findingObject(const Finding &finding)
{
    QJsonObject object{{QStringLiteral("folder"), finding.folder},
                       {QStringLiteral("section"), finding.section},
                       {QStringLiteral("kind"), findingKindName(finding.kind)},
                       {QStringLiteral("message"), finding.message}};
    if (!finding.carriers.empty()) {
        QJsonArray carriers;
        for (const FindingCarrier &carrier : finding.carriers) {
            carriers.append(QJsonObject{{QStringLiteral("folder"), carrier.folder},
                                        {QStringLiteral("section"), carrier.section},
                                        {QStringLiteral("title"), carrier.title}});
        }
        object.insert(QStringLiteral("carriers"), carriers);
    }
    return object;
}

// A JSON value laid out as an element of an indented array one level down.
QByteArray indented(const QJsonObject &object, QByteArrayView indent)
{
    QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
    text.chop(1); // its last line feed
    const QByteArray lineStart = QByteArray("\n") + indent.toByteArray();
    text.replace("\n", lineStart);
    return indent.toByteArray() + text;
}

} // namespace

CheckReportWriter::CheckReportWriter(CheckReportFormat format, ReportSink sink)
    : m_format(format),
      m_sink(std::move(sink))
{
    if (m_format == CheckReportFormat::Json) {
        m_pending = "{\n    \"findings\": [";
    } else if (m_format == CheckReportFormat::Csv) {
        m_pending = "folder,section,kind,message\r\n";
    }
}

bool CheckReportWriter::flush(qsizetype above)
{
    if (!m_failed && m_pending.size() > above) {
        m_failed = !m_sink(m_pending);
        m_pending.clear();
    }
    return !m_failed;
}

bool CheckReportWriter::finding(const Finding &finding)
{
    if (m_failed) {
        return false;
    }
    if (m_format == CheckReportFormat::Text) {
        QString where = finding.folder.isEmpty() ? QStringLiteral("(collection)") : finding.folder;
        if (!finding.section.isEmpty()) {
            where += u' ' + finding.section;
        }
        m_pending +=
            shown(where + u' ' + findingKindName(finding.kind) + QStringLiteral(": ") + finding.message).toUtf8();
        m_pending += '\n';
    } else if (m_format == CheckReportFormat::Csv) {
        m_pending += rowformat::csvField(finding.folder) + ',' + rowformat::csvField(finding.section) + ','
                     + findingKindName(finding.kind).toUtf8() + ',' + rowformat::csvField(finding.message) + "\r\n";
    } else {
        m_pending += m_first ? "\n" : ",\n";
        m_pending += indented(findingObject(finding), "        ");
    }
    m_first = false;
    return flush(PieceBytes);
}

bool CheckReportWriter::finish(const CheckSummary &summary)
{
    if (m_format == CheckReportFormat::Text) {
        m_pending += (checkSummaryLine(summary) + u'\n').toUtf8();
        for (const QString &line : scanReportLines(summary.report)) {
            m_pending += (line + u'\n').toUtf8();
        }
        return flush(0);
    }
    if (m_format == CheckReportFormat::Csv) {
        return flush(0); // the records are the whole of it: the summary is theirs to count
    }
    QJsonObject kinds;
    for (int k = 0; k < FindingKindCount; ++k) {
        kinds.insert(findingKindName(FindingKind(k)), summary.counts[size_t(k)]);
    }
    const QJsonObject object{{QStringLiteral("folders"), summary.folders},
                             {QStringLiteral("variations"), summary.variations},
                             {QStringLiteral("findings"), summary.findings},
                             {QStringLiteral("kinds"), kinds},
                             {QStringLiteral("report"), reportObject(summary.report)}};
    QByteArray text = indented(object, "    ");
    text.remove(0, 4);
    m_pending += m_first ? "],\n" : "\n    ],\n";
    m_pending += "    \"summary\": " + text + "\n}\n";
    return flush(0);
}

} // namespace hangardeck::core
