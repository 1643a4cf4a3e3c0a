// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/clioptions.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/platform/nativepath.h"
#include "core/platform/system.h"

#include <QCommandLineParser>

#include <optional>
#include <system_error>
#include <utility>

namespace hangardeck::cli {

namespace {

const QString Description =
    QStringLiteral("Lists the aircraft variations below a flight simulator Aircraft directory, shows\n"
                   "one aircraft's details and pictures, and finds Aircraft directories on a disk.\n"
                   "\n"
                   "hangardeck-cli list [options] DIR prints one row per aircraft variation, exactly as\n"
                   "the window's generated list holds them after \"Generate List\": sorted without regard\n"
                   "to case, each row followed by a line feed. Each row holds ui_manufacturer, ui_type and\n"
                   "title fitted to the field width (W + 1 characters), padding (count + 1 spaces) and\n"
                   "the delimiter after each field, then the entry tag (.00 to .32), the folder (\\b747)\n"
                   "and the terminator.\n"
                   "With --lead subdir the folder leads and the row has no entry tag.\n"
                   "\n"
                   "Formats: rows (default); csv: a header line and one RFC 4180 record per variation\n"
                   "with the unfitted fields manufacturer, type, title, subdir, entry; json: an array of\n"
                   "objects with the same fields. Records follow the rows' order.\n"
                   "\n"
                   "On stdout, every control character in the values of a row (U+0000 to U+001F, U+007F,\n"
                   "U+0080 to U+009F: line breaks, tabs, escape sequences) shows as U+FFFD, one character\n"
                   "for one, so each row is one line and nothing reaches the terminal raw; --delimiter and\n"
                   "--terminator print as given. CSV and JSON quote and escape for themselves.\n"
                   "\n"
                   "--output FILE writes the same text to FILE instead of stdout, the rows as the window\n"
                   "holds them (control characters included), each ended by CR LF as in the saved list\n"
                   "file. A regular file is replaced only once it is complete (behind a symbolic link, the\n"
                   "file it points at); a FIFO, a device or a socket is written in place, never replaced.\n"
                   "DIR and FILE are taken as the bytes given, so any existing path works.\n"
                   "\n"
                   "--match TEXT prints only the rows the window's list filter shows for TEXT: those whose\n"
                   "manufacturer, type, title, folder or description holds it, compared without regard to\n"
                   "case and to the accents of Latin letters (e matches \u00e9, ss matches \u00df, ae\n"
                   "matches \u00e6, o matches \u00f8). The description is read as details shows it.\n"
                   "\n"
                   "hangardeck-cli details [--entry N] [--format text|json] DIR FOLDER shows what the\n"
                   "window's details box shows for entry N (default 0) of the aircraft folder FOLDER below\n"
                   "DIR (b747, or \\b747 as a row names it): title, manufacturer and type, each followed by\n"
                   "a blank line, the description line and [fltsim.N]; lines end with CR LF as in the\n"
                   "window, and one line feed ends the output. The text is printed exactly,\n"
                   "control characters included. json: one object with folder and entries, one for each\n"
                   "[fltsim.N] up to the first without a title, each with entry, section, title,\n"
                   "manufacturer, type and description (without the description line's CR).\n"
                   "\n"
                   "hangardeck-cli images [--format lines|json] DIR FOLDER lists the aircraft's pictures\n"
                   "in the window's order: every .jpg below FOLDER, then every .gif, a folder's own files\n"
                   "before its sub-folders', names in order without regard to case; links to folders are\n"
                   "not followed. lines: one full path per line, DIR as given, then FOLDER and the path\n"
                   "below it, as bytes (a control character shows as U+FFFD); json: an array of objects\n"
                   "with name and path.\n"
                   "\n"
                   "hangardeck-cli find [--format lines|json] START searches every directory below START,\n"
                   "depth first, a folder's entries in name order without regard to case, and prints each\n"
                   "directory whose name holds \"aircraft\" in any case, in walk order. A directory whose\n"
                   "name holds \"learn\", \"hangardeck\", \"sdk\" or \"documents\" is neither listed nor\n"
                   "searched (\"Aircraft SDK\" included); a listed directory is still searched; START itself\n"
                   "is never listed. Links to directories are not followed, and the kernel's pseudo file\n"
                   "systems (/proc, /sys, /dev, /run and the like) are not entered, so a search from / ends.\n"
                   "lines: one full path per line (START as given, joined with /), as bytes (a control\n"
                   "character shows as U+FFFD); json: an array of objects with name and path. A count line\n"
                   "ends the search on stderr; on a terminal, stderr also shows the directories searched so\n"
                   "far while the search runs.\n"
                   "\n"
                   "hangardeck-cli find --prefixes [--format lines|json] lists, without searching the disk,\n"
                   "the folders Flight Simulator 9/Aircraft (any letter case) under Program Files or Program\n"
                   "Files (x86), directly or one folder deeper, of this user's Wine prefixes: $WINEPREFIX,\n"
                   "~/.wine, Steam's Proton prefixes (steamapps/compatdata/*/pfx of every library that\n"
                   "libraryfolders.vdf lists), Bottles' bottles and the prefixes of Lutris' games, in that\n"
                   "order.\n"
                   "\n"
                   "hangardeck-cli check [--extended] [--thumbnails] [--format text|csv|json] DIR reads DIR as\n"
                   "list does and reports what makes aircraft vanish or break in the simulator: no-cfg,\n"
                   "junk-folder (__MACOSX, or nothing but .DS_Store, Thumbs.db and desktop.ini), nested-cfg\n"
                   "(no aircraft.cfg, but a sub-folder holds one: unpacked one level too deep), unreadable,\n"
                   "no-title, gap (entries after an untitled [fltsim.N] are not listed), over-33, cut (a\n"
                   "value over 126 characters), missing-folder (texture=, model=, panel=, sound= naming no\n"
                   "folder, matched without regard to case), missing-air (sim= without its .air file),\n"
                   "no-thumbnail (with --thumbnails: a texture folder without thumbnail.jpg; informational),\n"
                   "nested-aircraft (a sub-folder other than the texture, model, panel and sound folders\n"
                   "holds an aircraft.cfg), encoding (read as Windows-1252; informational), duplicate-title\n"
                   "(variations sharing a title, of which the simulator keeps one) and same-selector\n"
                   "(variations with the same ui_manufacturer, ui_type and ui_variation). --extended checks\n"
                   "every listed [fltsim.N], not only fltsim.0. text: one finding per line, by folder, then a\n"
                   "summary line and the report: the folders seen, those with an aircraft.cfg, their\n"
                   "[fltsim.N] sections, the titled ones and the rows listed, each with what fell away and\n"
                   "why; csv: a header line and one RFC 4180 record per finding with folder, section, kind\n"
                   "and message, lines ended by CR LF; json: one object with findings (folder, section,\n"
                   "kind, message, and carriers for duplicate-title and same-selector) and summary (with\n"
                   "the report). The window's \"Check Collection\" saves the same three reports. Exit status\n"
                   "0 when nothing but informational findings, 1 when there are findings.\n"
                   "\n"
                   "A missing or broken aircraft.cfg is no error: details then show -EMPTY-.\n"
                   "\n"
                   "Exit status: 0 done, 1 the output could not be written (the message says why), 2 a usage\n"
                   "error (an unknown option, a missing DIR, a FOLDER that is no folder below DIR, an entry\n"
                   "out of range, a START that is not a directory).");

std::optional<int> intInRange(const QString &text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

enum class Command { List, Details, Images, Find, Check };

// Every option of every command, so that each parser gets the same.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version and exit.")};
    QCommandLineOption extended{QStringLiteral("extended"),
                                QStringLiteral("list and check: every [fltsim.N] with a title, not only fltsim.0.")};
    QCommandLineOption width{QStringLiteral("width"), QStringLiteral("list: field width W, 5 to 40 (default 20)."),
                             QStringLiteral("N"), QStringLiteral("20")};
    QCommandLineOption padding{
        QStringLiteral("padding"),
        QStringLiteral("list: padding count, 0 to 20: count + 1 spaces follow each field (default 0)."),
        QStringLiteral("N"), QStringLiteral("0")};
    QCommandLineOption actualWidth{QStringLiteral("actual-width"),
                                   QStringLiteral("list: keep every field at its own length, no padding.")};
    QCommandLineOption delimiter{QStringLiteral("delimiter"),
                                 QStringLiteral("list: text after each field's padding, at most 5 characters."),
                                 QStringLiteral("TEXT")};
    QCommandLineOption terminator{QStringLiteral("terminator"),
                                  QStringLiteral("list: text ending every row, at most 1 character."),
                                  QStringLiteral("CHAR")};
    QCommandLineOption lead{QStringLiteral("lead"),
                            QStringLiteral("list: leading (sort) field: manufacturer, type, title or subdir."),
                            QStringLiteral("FIELD"), QStringLiteral("manufacturer")};
    QCommandLineOption output{QStringLiteral("output"),
                              QStringLiteral("list: write to FILE instead of stdout: a regular file is replaced once "
                                             "complete, a FIFO, device or socket is written in place."),
                              QStringLiteral("FILE")};
    QCommandLineOption match{QStringLiteral("match"),
                             QStringLiteral("list: only the rows whose manufacturer, type, title, folder or "
                                            "description holds TEXT, without regard to case and accents."),
                             QStringLiteral("TEXT")};
    QCommandLineOption entry{QStringLiteral("entry"),
                             QStringLiteral("details: the entry [fltsim.N] shown as text, 0 to 32 (default 0)."),
                             QStringLiteral("N"), QStringLiteral("0")};
    // One --format, whose values and default depend on the command.
    QCommandLineOption anyFormat{
        QStringLiteral("format"),
        QStringLiteral("list: rows, csv or json (default rows); details: text or json "
                       "(default text); images and find: lines or json (default lines); check: text, csv "
                       "or json (default text)."),
        QStringLiteral("FORMAT")};
    QCommandLineOption listFormat{QStringLiteral("format"), QStringLiteral("rows, csv or json (default rows)."),
                                  QStringLiteral("FORMAT"), QStringLiteral("rows")};
    QCommandLineOption detailsFormat{QStringLiteral("format"), QStringLiteral("text or json (default text)."),
                                     QStringLiteral("FORMAT"), QStringLiteral("text")};
    QCommandLineOption imagesFormat{QStringLiteral("format"), QStringLiteral("lines or json (default lines)."),
                                    QStringLiteral("FORMAT"), QStringLiteral("lines")};
    QCommandLineOption checkFormat{QStringLiteral("format"), QStringLiteral("text, csv or json (default text)."),
                                   QStringLiteral("FORMAT"), QStringLiteral("text")};
    QCommandLineOption thumbnails{QStringLiteral("thumbnails"),
                                  QStringLiteral("check: also look into every texture folder a variation names for "
                                                 "its thumbnail.jpg (no-thumbnail).")};
    QCommandLineOption prefixes{QStringLiteral("prefixes"),
                                QStringLiteral("find: the simulator's Aircraft folders inside the Wine, Proton, "
                                               "Bottles and Lutris prefixes of this user, instead of a search below "
                                               "START.")};
    QCommandLineOption findFormat{QStringLiteral("format"), QStringLiteral("lines or json (default lines)."),
                                  QStringLiteral("FORMAT"), QStringLiteral("lines")};

    // The options of one command; without one, those of every command (for the help, and to
    // find the command among the arguments).
    void addTo(QCommandLineParser &parser, std::optional<Command> command = std::nullopt) const
    {
        parser.setApplicationDescription(Description);
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help, version});
        if (!command || *command == Command::List) {
            parser.addOptions({extended, width, padding, actualWidth, delimiter, terminator, lead, output, match});
        }
        if (!command || *command == Command::Details) {
            parser.addOption(entry);
        }
        if (command && *command == Command::Check) {
            parser.addOption(extended);
        }
        if (!command || *command == Command::Check) {
            parser.addOption(thumbnails);
        }
        if (!command || *command == Command::Find) {
            parser.addOption(prefixes);
        }
        if (!command) {
            parser.addOption(anyFormat);
            parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                         QStringLiteral("list, details, images, find or check."));
            parser.addPositionalArgument(QStringLiteral("DIR"),
                                         QStringLiteral("The Aircraft directory; for find, START: where the "
                                                        "search begins."));
            parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                         QStringLiteral("details and images: an aircraft folder below DIR."),
                                         QStringLiteral("[FOLDER]"));
            return;
        }
        parser.addOption(formatOf(*command));
    }

    const QCommandLineOption &formatOf(Command command) const
    {
        switch (command) {
        case Command::Details:
            return detailsFormat;
        case Command::Images:
            return imagesFormat;
        case Command::Find:
            return findFormat;
        case Command::Check:
            return checkFormat;
        case Command::List:
            break;
        }
        return listFormat;
    }
};

std::filesystem::path pathFromBytes(const QByteArray &bytes)
{
    return std::filesystem::path(std::string(bytes.constData(), size_t(bytes.size())));
}

// Parses the bytes the shell passed as Latin-1, which turns each byte into one character and
// keeps ASCII as it is: the parser then splits them as it split the text (options,
// "--output=FILE", values, positional arguments), and toLatin1() gives each one's bytes back.
bool parseBytes(QCommandLineParser &parser, const QList<QByteArray> &bytes)
{
    if (bytes.isEmpty()) {
        return false;
    }
    QStringList latin1;
    latin1.reserve(bytes.size());
    for (const QByteArray &argument : bytes) {
        latin1.append(QString::fromLatin1(argument));
    }
    return parser.parse(latin1);
}

// DIR and --output FILE as the shell passed them; empty when there are no bytes to go by.
std::optional<std::pair<std::filesystem::path, std::filesystem::path>> pathsFromBytes(const QList<QByteArray> &bytes,
                                                                                      const Options &options)
{
    QCommandLineParser parser;
    options.addTo(parser, Command::List);
    if (!parseBytes(parser, bytes) || parser.positionalArguments().size() != 2) {
        return std::nullopt;
    }
    return std::pair(pathFromBytes(parser.positionalArguments().at(1).toLatin1()),
                     pathFromBytes(parser.value(options.output).toLatin1()));
}

// Why DIR cannot be listed, if it cannot.
std::optional<QString> directoryProblem(const std::filesystem::path &directory)
{
    const QString shown = core::fromNativePath(directory);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(directory, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return QStringLiteral("directory '%1' does not exist").arg(shown);
    }
    if (error) {
        return QStringLiteral("directory '%1' cannot be read: %2").arg(shown, QString::fromLocal8Bit(error.message()));
    }
    if (!std::filesystem::is_directory(status)) {
        return QStringLiteral("'%1' is not a directory").arg(shown);
    }
    if (!core::canListFolder(directory)) {
        return QStringLiteral("directory '%1' cannot be read").arg(shown);
    }
    return std::nullopt;
}

// `list [options] DIR`.
ParseResult parseList(const CommandLine &arguments, const Options &switches)
{
    using core::FormatSettings;
    QCommandLineParser parser;
    switches.addTo(parser, Command::List);
    if (!parser.parse(arguments.text)) {
        return UsageError{parser.errorText()};
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2) {
        return UsageError{QStringLiteral("missing DIR: the Aircraft directory to list")};
    }
    if (positional.size() > 2) {
        return UsageError{QStringLiteral("unexpected argument '%1': give one DIR").arg(positional.at(2))};
    }

    ListOptions options;
    options.extended = parser.isSet(switches.extended);
    options.format.actualWidth = parser.isSet(switches.actualWidth);

    const std::optional<int> widthChars = intInRange(parser.value(switches.width), FormatSettings::MinFieldWidthChars,
                                                     FormatSettings::MaxFieldWidthChars);
    if (!widthChars) {
        return UsageError{
            QStringLiteral("--width must be a whole number from 5 to 40, not '%1'").arg(parser.value(switches.width))};
    }
    options.format.fieldWidthChars = *widthChars;
    const std::optional<int> paddingCount =
        intInRange(parser.value(switches.padding), 0, FormatSettings::MaxPaddingCount);
    if (!paddingCount) {
        return UsageError{QStringLiteral("--padding must be a whole number from 0 to 20, not '%1'")
                              .arg(parser.value(switches.padding))};
    }
    options.format.paddingCount = *paddingCount;

    options.format.delimiter = parser.value(switches.delimiter);
    if (options.format.delimiter.size() > FormatSettings::MaxDelimiterChars) {
        return UsageError{
            QStringLiteral("--delimiter takes at most 5 characters, not '%1'").arg(options.format.delimiter)};
    }
    options.format.terminator = parser.value(switches.terminator);
    if (options.format.terminator.size() > FormatSettings::MaxTerminatorChars) {
        return UsageError{
            QStringLiteral("--terminator takes at most 1 character, not '%1'").arg(options.format.terminator)};
    }

    const QString leadName = parser.value(switches.lead);
    static const QStringList leadNames = {QStringLiteral("manufacturer"), QStringLiteral("type"),
                                          QStringLiteral("title"), QStringLiteral("subdir")};
    const qsizetype leadIndex = leadNames.indexOf(leadName);
    if (leadIndex < 0) {
        return UsageError{QStringLiteral("--lead must be manufacturer, type, title or subdir, not '%1'").arg(leadName)};
    }
    options.format.leadField = core::LeadField(leadIndex);

    const QString formatName = parser.value(switches.listFormat);
    if (formatName == u"rows") {
        options.outputFormat = OutputFormat::Rows;
    } else if (formatName == u"csv") {
        options.outputFormat = OutputFormat::Csv;
    } else if (formatName == u"json") {
        options.outputFormat = OutputFormat::Json;
    } else {
        return UsageError{QStringLiteral("--format must be rows, csv or json, not '%1'").arg(formatName)};
    }
    options.match = parser.value(switches.match);
    if (parser.isSet(switches.match) && options.match.isEmpty()) {
        return UsageError{QStringLiteral("--match needs a text")};
    }
    if (parser.isSet(switches.output) && parser.value(switches.output).isEmpty()) {
        return UsageError{QStringLiteral("--output needs a file name")};
    }

    if (const auto paths = pathsFromBytes(arguments.bytes, switches)) {
        options.directory = paths->first;
        options.outputFile = paths->second;
    } else {
        options.directory = core::toNativePath(positional.at(1));
        options.outputFile = core::toNativePath(parser.value(switches.output));
    }
    if (const std::optional<QString> problem = directoryProblem(options.directory)) {
        return UsageError{*problem};
    }
    return options;
}

// What stops FOLDER from naming a folder below DIR, if anything.
std::optional<QString> folderProblem(const AircraftFolder &aircraft, const QString &given)
{
    const QString directory = core::fromNativePath(aircraft.directory);
    const QString notBelow = QStringLiteral("'%1' is not a folder below '%2'").arg(given, directory);
    // DIR itself, or a way out of it, is not an aircraft folder of DIR.
    const std::filesystem::path normal = aircraft.folder.lexically_normal();
    if (aircraft.folder.empty() || aircraft.folder.has_root_path() || normal == std::filesystem::path(".")
        || *normal.begin() == std::filesystem::path("..")) {
        return notBelow;
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(aircraft.path(), error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return QStringLiteral("folder '%1' does not exist in '%2'").arg(given, directory);
    }
    if (!std::filesystem::is_directory(status)) {
        return notBelow;
    }
    return std::nullopt;
}

// DIR and FOLDER of `details` and `images`, checked; on POSIX the very bytes the shell passed.
// FOLDER may begin with the backslash of a row's folder: \b747 names b747.
std::variant<AircraftFolder, UsageError> aircraftFolder(const CommandLine &arguments, const Options &switches,
                                                        Command command, const QStringList &positional)
{
    AircraftFolder aircraft;
    QCommandLineParser bytesParser;
    switches.addTo(bytesParser, command);
    if (parseBytes(bytesParser, arguments.bytes) && bytesParser.positionalArguments().size() == 3) {
        aircraft.directory = pathFromBytes(bytesParser.positionalArguments().at(1).toLatin1());
        aircraft.folder = pathFromBytes(bytesParser.positionalArguments().at(2).toLatin1());
    } else {
        aircraft.directory = core::toNativePath(positional.at(1));
        aircraft.folder = core::toNativePath(positional.at(2));
    }
    const QString given = core::fromNativePath(aircraft.folder);
    auto folderName = aircraft.folder.native();
    if (!folderName.empty() && folderName.front() == std::filesystem::path::value_type('\\')) {
        folderName.erase(0, 1);
        aircraft.folder = folderName;
    }
    if (const std::optional<QString> problem = directoryProblem(aircraft.directory)) {
        return UsageError{*problem};
    }
    if (const std::optional<QString> problem = folderProblem(aircraft, given)) {
        return UsageError{*problem};
    }
    return aircraft;
}

// The positional arguments of a command on one folder: the command, DIR and FOLDER.
std::optional<UsageError> folderArgumentsProblem(const QStringList &positional)
{
    if (positional.size() < 2) {
        return UsageError{QStringLiteral("missing DIR and FOLDER: the Aircraft directory and an aircraft folder "
                                         "below it")};
    }
    if (positional.size() < 3) {
        return UsageError{QStringLiteral("missing FOLDER: an aircraft folder below DIR")};
    }
    if (positional.size() > 3) {
        return UsageError{
            QStringLiteral("unexpected argument '%1': give one DIR and one FOLDER").arg(positional.at(3))};
    }
    return std::nullopt;
}

// `details [--entry N] [--format text|json] DIR FOLDER`.
ParseResult parseDetails(const CommandLine &arguments, const Options &switches)
{
    QCommandLineParser parser;
    switches.addTo(parser, Command::Details);
    if (!parser.parse(arguments.text)) {
        return UsageError{parser.errorText()};
    }
    const QStringList positional = parser.positionalArguments();
    if (std::optional<UsageError> problem = folderArgumentsProblem(positional)) {
        return *problem;
    }
    DetailsOptions options;
    const std::optional<int> entry = intInRange(parser.value(switches.entry), 0, core::MaxFltsimIndex);
    if (!entry) {
        return UsageError{
            QStringLiteral("--entry must be a whole number from 0 to 32, not '%1'").arg(parser.value(switches.entry))};
    }
    options.entry = *entry;
    const QString formatName = parser.value(switches.detailsFormat);
    if (formatName == u"text") {
        options.format = DetailsFormat::Text;
    } else if (formatName == u"json") {
        options.format = DetailsFormat::Json;
    } else {
        return UsageError{QStringLiteral("--format must be text or json for details, not '%1'").arg(formatName)};
    }
    // JSON holds every entry; an entry asked for would silently go unused.
    if (options.format == DetailsFormat::Json && parser.isSet(switches.entry)) {
        return UsageError{QStringLiteral("--entry goes with --format text: json lists every entry")};
    }
    auto aircraft = aircraftFolder(arguments, switches, Command::Details, positional);
    if (const auto *error = std::get_if<UsageError>(&aircraft)) {
        return *error;
    }
    options.aircraft = std::get<AircraftFolder>(std::move(aircraft));
    return options;
}

// `images [--format lines|json] DIR FOLDER`.
ParseResult parseImages(const CommandLine &arguments, const Options &switches)
{
    QCommandLineParser parser;
    switches.addTo(parser, Command::Images);
    if (!parser.parse(arguments.text)) {
        return UsageError{parser.errorText()};
    }
    const QStringList positional = parser.positionalArguments();
    if (std::optional<UsageError> problem = folderArgumentsProblem(positional)) {
        return *problem;
    }
    ImagesOptions options;
    const QString formatName = parser.value(switches.imagesFormat);
    if (formatName == u"lines") {
        options.format = ImagesFormat::Lines;
    } else if (formatName == u"json") {
        options.format = ImagesFormat::Json;
    } else {
        return UsageError{QStringLiteral("--format must be lines or json for images, not '%1'").arg(formatName)};
    }
    auto aircraft = aircraftFolder(arguments, switches, Command::Images, positional);
    if (const auto *error = std::get_if<UsageError>(&aircraft)) {
        return *error;
    }
    options.aircraft = std::get<AircraftFolder>(std::move(aircraft));
    return options;
}

// `find [--format lines|json] START`.
ParseResult parseFind(const CommandLine &arguments, const Options &switches)
{
    QCommandLineParser parser;
    switches.addTo(parser, Command::Find);
    if (!parser.parse(arguments.text)) {
        return UsageError{parser.errorText()};
    }
    const QStringList positional = parser.positionalArguments();
    FindOptions options;
    options.prefixes = parser.isSet(switches.prefixes);
    if (options.prefixes && positional.size() > 1) {
        return UsageError{QStringLiteral("unexpected argument '%1': --prefixes takes no START").arg(positional.at(1))};
    }
    if (positional.size() < 2 && !options.prefixes) {
        return UsageError{QStringLiteral("missing START: the directory to search below")};
    }
    if (positional.size() > 2) {
        return UsageError{QStringLiteral("unexpected argument '%1': give one START").arg(positional.at(2))};
    }
    const QString formatName = parser.value(switches.findFormat);
    if (formatName == u"lines") {
        options.format = FindFormat::Lines;
    } else if (formatName == u"json") {
        options.format = FindFormat::Json;
    } else {
        return UsageError{QStringLiteral("--format must be lines or json for find, not '%1'").arg(formatName)};
    }
    if (options.prefixes) {
        return options;
    }
    QCommandLineParser bytesParser;
    switches.addTo(bytesParser, Command::Find);
    if (parseBytes(bytesParser, arguments.bytes) && bytesParser.positionalArguments().size() == 2) {
        options.start = pathFromBytes(bytesParser.positionalArguments().at(1).toLatin1());
    } else {
        options.start = core::toNativePath(positional.at(1));
    }
    if (const std::optional<QString> problem = directoryProblem(options.start)) {
        return UsageError{*problem};
    }
    return options;
}

// `check [--extended] [--thumbnails] [--format text|csv|json] DIR`.
ParseResult parseCheck(const CommandLine &arguments, const Options &switches)
{
    QCommandLineParser parser;
    switches.addTo(parser, Command::Check);
    if (!parser.parse(arguments.text)) {
        return UsageError{parser.errorText()};
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2) {
        return UsageError{QStringLiteral("missing DIR: the Aircraft directory to check")};
    }
    if (positional.size() > 2) {
        return UsageError{QStringLiteral("unexpected argument '%1': give one DIR").arg(positional.at(2))};
    }
    CheckOptions options;
    options.extended = parser.isSet(switches.extended);
    options.thumbnails = parser.isSet(switches.thumbnails);
    const QString formatName = parser.value(switches.checkFormat);
    if (formatName == u"text") {
        options.format = CheckFormat::Text;
    } else if (formatName == u"csv") {
        options.format = CheckFormat::Csv;
    } else if (formatName == u"json") {
        options.format = CheckFormat::Json;
    } else {
        return UsageError{QStringLiteral("--format must be text, csv or json for check, not '%1'").arg(formatName)};
    }
    QCommandLineParser bytesParser;
    switches.addTo(bytesParser, Command::Check);
    if (parseBytes(bytesParser, arguments.bytes) && bytesParser.positionalArguments().size() == 2) {
        options.directory = pathFromBytes(bytesParser.positionalArguments().at(1).toLatin1());
    } else {
        options.directory = core::toNativePath(positional.at(1));
    }
    if (const std::optional<QString> problem = directoryProblem(options.directory)) {
        return UsageError{*problem};
    }
    return options;
}

} // namespace

CommandLine commandLine(int argc, char **argv)
{
    return CommandLine{core::argumentText(argc, argv), core::argumentBytes(argc, argv)};
}

ParseResult parseArguments(const CommandLine &arguments)
{
    // Every command's options first, to find the command; then the command's own, so that an
    // option of another command is refused.
    const Options switches;
    QCommandLineParser parser;
    switches.addTo(parser);
    if (!parser.parse(arguments.text)) {
        return UsageError{parser.errorText()};
    }
    if (parser.isSet(switches.help)) {
        return PrintAndExit{parser.helpText()};
    }
    if (parser.isSet(switches.version)) {
        return PrintAndExit{QStringLiteral("hangardeck-cli %1.%2.%3\n")
                                .arg(HANGARDECK_VERSION_MAJOR)
                                .arg(HANGARDECK_VERSION_MINOR)
                                .arg(HANGARDECK_VERSION_PATCH)};
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        return UsageError{QStringLiteral("missing command; try 'hangardeck-cli list DIR' or --help")};
    }
    const QString &command = positional.first();
    if (command == u"list") {
        return parseList(arguments, switches);
    }
    if (command == u"details") {
        return parseDetails(arguments, switches);
    }
    if (command == u"images") {
        return parseImages(arguments, switches);
    }
    if (command == u"find") {
        return parseFind(arguments, switches);
    }
    if (command == u"check") {
        return parseCheck(arguments, switches);
    }
    return UsageError{
        QStringLiteral("unknown command '%1'; the commands are list, details, images, find and check").arg(command)};
}

} // namespace hangardeck::cli
