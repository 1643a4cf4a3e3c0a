// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_CHECKOUTPUT_H
#define HANGARDECK_CLI_CHECKOUTPUT_H

#include "cli/clioptions.h"
#include "cli/listoutput.h"
#include "core/check/collectioncheck.h"

#include <QByteArray>

namespace hangardeck::cli {

// What `check` prints, as UTF-8, written as the findings come so that no finding is held
// once printed. Text: one finding per line, a control character in it shown as U+FFFD, then
// the summary line:
//   \b747 fltsim.2 gap: [fltsim.2] has no title, so the list stops there: fltsim.3 is not listed
//   12 folders, 30 variations, 1 finding: gap 1
// JSON: {"findings": [{"folder", "section", "kind", "message"}, ...], "summary": {...}}; a
// duplicate-title finding also has "carriers": [{"folder", "section", "title"}, ...].
class CheckPrinter final
{
public:
    CheckPrinter(CheckFormat format, ByteSink sink);

    // Prints one finding; false once the sink has failed.
    bool finding(const core::Finding &finding);
    // Prints the summary and hands over what is still held; false when the sink failed.
    bool finish(const core::CheckSummary &summary);

private:
    bool flush(qsizetype above);

    CheckFormat m_format;
    ByteSink m_sink;
    QByteArray m_pending;
    bool m_first = true;
    bool m_failed = false;
};

} // namespace hangardeck::cli

#endif
