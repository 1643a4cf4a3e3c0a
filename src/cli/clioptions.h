// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_CLIOPTIONS_H
#define HANGARDECK_CLI_CLIOPTIONS_H

#include "core/catalogue/formatsettings.h"
#include "core/check/checkreport.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <variant>

namespace hangardeck::cli {

enum class OutputFormat { Rows, Csv, Json };

// What `hangardeck-cli list` was asked to do. Paths are native: on POSIX the very bytes the
// shell passed, so a name that is not valid UTF-8 still opens.
struct ListOptions {
    std::filesystem::path directory;
    bool extended = false;
    core::FormatSettings format;
    OutputFormat outputFormat = OutputFormat::Rows;
    std::filesystem::path outputFile; // empty: stdout
    QString match;                    // --match: only the rows holding it; empty: every row
};

// DIR and FOLDER of `details` and `images`, native like ListOptions' paths.
struct AircraftFolder {
    std::filesystem::path directory; // DIR as given
    std::filesystem::path folder;    // FOLDER as given without a leading backslash: b747

    // The aircraft folder: DIR, one separator (none added where DIR ends in one), FOLDER.
    std::filesystem::path path() const { return directory / folder; }
};

enum class DetailsFormat { Text, Json };

// What `hangardeck-cli details` was asked to do.
struct DetailsOptions {
    AircraftFolder aircraft;
    int entry = 0; // the N of [fltsim.N] the text shows, 0 to 32
    DetailsFormat format = DetailsFormat::Text;
};

enum class ImagesFormat { Lines, Json };

// What `hangardeck-cli images` was asked to do.
struct ImagesOptions {
    AircraftFolder aircraft;
    ImagesFormat format = ImagesFormat::Lines;
};

enum class FindFormat { Lines, Json };

// What `hangardeck-cli find` was asked to do.
struct FindOptions {
    std::filesystem::path start; // START as given, native like ListOptions' paths
    FindFormat format = FindFormat::Lines;
    bool prefixes = false; // --prefixes: the Aircraft folders of the user's Wine prefixes, not a search
};

using CheckFormat = core::CheckReportFormat;

// What `hangardeck-cli check` was asked to do.
struct CheckOptions {
    std::filesystem::path directory; // DIR as given, native like ListOptions' paths
    bool extended = false;
    bool thumbnails = false; // --thumbnails: also no-thumbnail
    CheckFormat format = CheckFormat::Text;
};

// The program's arguments, argv[0] included: as text for the options and, on POSIX, as the
// bytes the shell passed, from which DIR, FOLDER and --output FILE are taken.
struct CommandLine {
    QStringList text;
    QList<QByteArray> bytes; // empty: paths come from the text (Windows)
};

// The parser's verdict: run a command, print a text and exit 0 (help, version), or fail.
struct PrintAndExit {
    QString text;
};
struct UsageError {
    QString message;
};
using ParseResult =
    std::variant<ListOptions, DetailsOptions, ImagesOptions, FindOptions, CheckOptions, PrintAndExit, UsageError>;

// The command line of this process: from argv on POSIX, from the wide command line that
// QCoreApplication holds elsewhere.
CommandLine commandLine(int argc, char **argv);

// Parses the arguments. Never exits the process itself.
ParseResult parseArguments(const CommandLine &arguments);

} // namespace hangardeck::cli

#endif
