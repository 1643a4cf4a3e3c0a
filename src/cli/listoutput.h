// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_LISTOUTPUT_H
#define HANGARDECK_CLI_LISTOUTPUT_H

#include "cli/clioptions.h"

#include <QByteArray>

namespace hangardeck::core {
struct CatalogueScan;
}

namespace hangardeck::cli {

// The bytes `list` prints for a scan. lineEnd ends each row of the rows format: "\n" on
// stdout, "\r\n" in a saved list file.
QByteArray renderList(const core::CatalogueScan &scan, OutputFormat format, const QByteArray &lineEnd);

} // namespace hangardeck::cli

#endif
