// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_LISTOUTPUT_H
#define HANGARDECK_CLI_LISTOUTPUT_H

#include "cli/clioptions.h"

#include <QByteArrayView>

#include <functional>

namespace hangardeck::core {
struct CatalogueScan;
}

namespace hangardeck::cli {

// Where the list goes: stdout, or a file (FILE of --output, whatever its kind).
enum class ListDestination { StandardOutput, File };

// Takes the next piece of the output; false stops the writing.
using ByteSink = std::function<bool(QByteArrayView bytes)>;

// Hands the bytes `list` prints for a scan to sink in pieces of about 64 KiB, so the whole
// text never sits in memory at once. Rows end with "\n" on stdout, where control characters
// in their values show as U+FFFD; in a file they end with "\r\n" and keep every character,
// as the saved list does. CSV and JSON are the same in both. False when the sink failed.
bool writeList(const core::CatalogueScan &scan, const ListOptions &options, ListDestination destination,
               const ByteSink &sink);

} // namespace hangardeck::cli

#endif
