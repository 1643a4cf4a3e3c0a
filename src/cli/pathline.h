// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_PATHLINE_H
#define HANGARDECK_CLI_PATHLINE_H

#include <QByteArray>

#include <filesystem>

namespace hangardeck::cli {

// Appends a path as one line: its bytes as they are, so that a script can open it, but a
// control character (C0, DEL, or a C1 control in UTF-8) shows as U+FFFD.
void appendPathLine(QByteArray &out, const std::filesystem::path &path);

} // namespace hangardeck::cli

#endif
