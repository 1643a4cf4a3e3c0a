// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_CHECKREPORT_H
#define HANGARDECK_CORE_CHECKREPORT_H

#include "core/check/collectioncheck.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <functional>

namespace hangardeck::core {

// How a check's report is laid out.
enum class CheckReportFormat { Text, Csv, Json };

// Takes the next piece of a report; false stops the writing.
using ReportSink = std::function<bool(QByteArrayView bytes)>;

// The summary line of a text report: "12 folders, 30 variations, 1 finding: gap 1".
QString checkSummaryLine(const CheckSummary &summary);

// The scan report of a text report, one line per total, each followed by the counts that
// make it up: "report: 12 folders seen: 0 skipped, ...".
QStringList scanReportLines(const ScanReport &report);

// A check's report as UTF-8, written as the findings come so that no finding is held once
// written; the command line prints it and the check window saves it. Text: one finding per
// line, a control character in it shown as U+FFFD, then the summary line and the scan report:
//   \b747 fltsim.2 gap: [fltsim.2] has no title, so the list stops there: fltsim.3 is not listed
//   12 folders, 30 variations, 1 finding: gap 1
// CSV: the header folder,section,kind,message and one RFC 4180 record per finding, CR LF
// ended. JSON: {"findings": [{"folder", "section", "kind", "message"}, ...], "summary": {...}};
// a duplicate-title or same-selector finding also has "carriers": [{"folder", "section",
// "title"}, ...].
class CheckReportWriter final
{
public:
    CheckReportWriter(CheckReportFormat format, ReportSink sink);

    // Prints one finding; false once the sink has failed.
    bool finding(const core::Finding &finding);
    // Prints the summary and hands over what is still held; false when the sink failed.
    bool finish(const core::CheckSummary &summary);

private:
    bool flush(qsizetype above);

    CheckReportFormat m_format;
    ReportSink m_sink;
    QByteArray m_pending;
    bool m_first = true;
    bool m_failed = false;
};

} // namespace hangardeck::core

#endif
