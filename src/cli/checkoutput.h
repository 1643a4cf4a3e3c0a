// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_CHECKOUTPUT_H
#define HANGARDECK_CLI_CHECKOUTPUT_H

#include "cli/clioptions.h"
#include "core/catalogue/collectioncheck.h"

#include <QByteArray>

namespace hangardeck::cli {

// What `check` prints, as UTF-8. Text: one finding per line, a control character in it shown
// as U+FFFD, then the summary line:
//   \b747 fltsim.2 gap: [fltsim.2] has no title, so the list stops there: fltsim.3 is not listed
//   12 folders, 30 variations, 1 finding: gap 1
// JSON: {"findings": [{"folder", "section", "kind", "message"}], "summary": {...}}.
QByteArray checkOutput(const core::CollectionCheck &check, CheckFormat format);

} // namespace hangardeck::cli

#endif
