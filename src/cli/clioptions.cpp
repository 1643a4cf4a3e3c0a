// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/clioptions.h"

#include "core/platform/nativepath.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <optional>
#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace hangardeck::cli {

namespace {

const QString Description = QStringLiteral(
    "Lists the aircraft variations below a flight simulator Aircraft directory.\n"
    "\n"
    "hangardeck-cli list [options] DIR prints one row per aircraft variation, exactly as the window's generated list holds\n"
    "them after \"Generate List\": sorted without regard to case, each row followed by a\n"
    "line feed. Each row holds ui_manufacturer, ui_type and title fitted to the field\n"
    "width (W + 1 characters), padding (count + 1 spaces) and the delimiter after each\n"
    "field, then the entry tag (.00 to .32), the folder (\\b747) and the terminator.\n"
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
    "Exit status: 0 done, 1 the output could not be written (the message says why), 2 a usage\n"
    "error.");

std::optional<int> intInRange(const QString &text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

// Every option of `list`, so that each parser gets the same.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version and exit.")};
    QCommandLineOption extended{QStringLiteral("extended"),
                                QStringLiteral("List every [fltsim.N] with a title, not only fltsim.0.")};
    QCommandLineOption width{QStringLiteral("width"), QStringLiteral("Field width W, 5 to 40 (default 20)."),
                             QStringLiteral("N"), QStringLiteral("20")};
    QCommandLineOption padding{
        QStringLiteral("padding"),
        QStringLiteral("Padding count, 0 to 20: count + 1 spaces follow each field (default 0)."), QStringLiteral("N"),
        QStringLiteral("0")};
    QCommandLineOption actualWidth{QStringLiteral("actual-width"),
                                   QStringLiteral("Keep every field at its own length, no padding.")};
    QCommandLineOption delimiter{QStringLiteral("delimiter"),
                                 QStringLiteral("Text after each field's padding, at most 5 characters."),
                                 QStringLiteral("TEXT")};
    QCommandLineOption terminator{QStringLiteral("terminator"),
                                  QStringLiteral("Text ending every row, at most 1 character."),
                                  QStringLiteral("CHAR")};
    QCommandLineOption lead{QStringLiteral("lead"),
                            QStringLiteral("Leading (sort) field: manufacturer, type, title or subdir."),
                            QStringLiteral("FIELD"), QStringLiteral("manufacturer")};
    QCommandLineOption output{QStringLiteral("output"),
                              QStringLiteral("Write to FILE instead of stdout: a regular file is replaced once "
                                             "complete, a FIFO, device or socket is written in place."),
                              QStringLiteral("FILE")};
    QCommandLineOption format{QStringLiteral("format"), QStringLiteral("rows, csv or json (default rows)."),
                              QStringLiteral("FORMAT"), QStringLiteral("rows")};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(Description);
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions(
            {help, version, extended, width, padding, actualWidth, delimiter, terminator, lead, output, format});
        parser.addPositionalArgument(QStringLiteral("list"), QStringLiteral("The command: list."));
        parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("The Aircraft directory to list."));
    }
};

std::filesystem::path pathFromBytes(const QByteArray &bytes)
{
    return std::filesystem::path(std::string(bytes.constData(), size_t(bytes.size())));
}

// DIR and --output FILE as the shell passed them. The bytes are parsed a second time as
// Latin-1, which turns each byte into one character and keeps ASCII as it is: the parser then
// splits both lists alike (options, "--output=FILE", values, positional arguments) and
// toLatin1() gives the bytes back. Empty when there are no bytes to go by.
std::optional<std::pair<std::filesystem::path, std::filesystem::path>>
pathsFromBytes(const QList<QByteArray> &bytes, const Options &options)
{
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    QStringList latin1;
    latin1.reserve(bytes.size());
    for (const QByteArray &argument : bytes) {
        latin1.append(QString::fromLatin1(argument));
    }
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(latin1) || parser.positionalArguments().size() != 2) {
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
        return QStringLiteral("directory '%1' cannot be read: %2")
            .arg(shown, QString::fromLocal8Bit(error.message()));
    }
    if (!std::filesystem::is_directory(status)) {
        return QStringLiteral("'%1' is not a directory").arg(shown);
    }
#ifdef Q_OS_UNIX
    const bool readable = ::access(directory.c_str(), R_OK | X_OK) == 0;
#else
    const QFileInfo info(shown);
    const bool readable = info.isReadable() && info.isExecutable();
#endif
    if (!readable) {
        return QStringLiteral("directory '%1' cannot be read").arg(shown);
    }
    return std::nullopt;
}

} // namespace

CommandLine commandLine(int argc, char **argv)
{
    CommandLine arguments;
#ifdef Q_OS_UNIX
    for (int i = 0; i < argc; ++i) {
        arguments.text.append(QString::fromLocal8Bit(argv[i]));
        arguments.bytes.append(QByteArray(argv[i]));
    }
#else
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    arguments.text = QCoreApplication::arguments();
#endif
    return arguments;
}

ParseResult parseArguments(const CommandLine &arguments)
{
    using core::FormatSettings;
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
    if (positional.first() != u"list") {
        return UsageError{QStringLiteral("unknown command '%1'; the command is 'list'").arg(positional.first())};
    }
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
        return UsageError{
            QStringLiteral("--lead must be manufacturer, type, title or subdir, not '%1'").arg(leadName)};
    }
    options.format.leadField = core::LeadField(leadIndex);

    const QString formatName = parser.value(switches.format);
    if (formatName == u"rows") {
        options.outputFormat = OutputFormat::Rows;
    } else if (formatName == u"csv") {
        options.outputFormat = OutputFormat::Csv;
    } else if (formatName == u"json") {
        options.outputFormat = OutputFormat::Json;
    } else {
        return UsageError{QStringLiteral("--format must be rows, csv or json, not '%1'").arg(formatName)};
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

} // namespace hangardeck::cli
