// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_CLIOPTIONS_H
#define HANGARDECK_CLI_CLIOPTIONS_H

#include "core/catalogue/formatsettings.h"

#include <QString>
#include <QStringList>

#include <variant>

namespace hangardeck::cli {

enum class OutputFormat { Rows, Csv, Json };

// What `hangardeck-cli list` was asked to do.
struct ListOptions {
    QString directory;
    bool extended = false;
    core::FormatSettings format;
    OutputFormat outputFormat = OutputFormat::Rows;
    QString outputFile; // empty: stdout
};

// The parser's verdict: run a listing, print a text and exit 0 (help, version), or fail.
struct PrintAndExit {
    QString text;
};
struct UsageError {
    QString message;
};
using ParseResult = std::variant<ListOptions, PrintAndExit, UsageError>;

// Parses the arguments (argv[0] included). Never exits the process itself.
ParseResult parseArguments(const QStringList &arguments);

} // namespace hangardeck::cli

#endif
