// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/clioptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <optional>

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
    "--output FILE writes the same text to FILE instead of stdout; rows are then ended by\n"
    "CR LF as in the saved list file. The file is replaced only once it is complete.\n"
    "\n"
    "Exit status: 0 done, 1 the output could not be written, 2 a usage error.");

std::optional<int> intInRange(const QString &text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ParseResult parseArguments(const QStringList &arguments)
{
    using core::FormatSettings;
    QCommandLineParser parser;
    parser.setApplicationDescription(Description);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and exit."));
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
    const QCommandLineOption extended(QStringLiteral("extended"),
                                      QStringLiteral("List every [fltsim.N] with a title, not only fltsim.0."));
    const QCommandLineOption width(QStringLiteral("width"), QStringLiteral("Field width W, 5 to 40 (default 20)."),
                                   QStringLiteral("N"), QStringLiteral("20"));
    const QCommandLineOption padding(QStringLiteral("padding"),
                                     QStringLiteral("Padding count, 0 to 20: count + 1 spaces follow each field (default 0)."),
                                     QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption actualWidth(QStringLiteral("actual-width"),
                                         QStringLiteral("Keep every field at its own length, no padding."));
    const QCommandLineOption delimiter(QStringLiteral("delimiter"),
                                       QStringLiteral("Text after each field's padding, at most 5 characters."),
                                       QStringLiteral("TEXT"));
    const QCommandLineOption terminator(QStringLiteral("terminator"),
                                        QStringLiteral("Text ending every row, at most 1 character."),
                                        QStringLiteral("CHAR"));
    const QCommandLineOption lead(QStringLiteral("lead"),
                                  QStringLiteral("Leading (sort) field: manufacturer, type, title or subdir."),
                                  QStringLiteral("FIELD"), QStringLiteral("manufacturer"));
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("Write to FILE instead of stdout."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("rows, csv or json (default rows)."),
                                    QStringLiteral("FORMAT"), QStringLiteral("rows"));
    parser.addOptions({helpOption, versionOption, extended, width, padding, actualWidth, delimiter, terminator, lead,
                       output, format});
    parser.addPositionalArgument(QStringLiteral("list"), QStringLiteral("The command: list."));
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("The Aircraft directory to list."));

    if (!parser.parse(arguments)) {
        return UsageError{parser.errorText()};
    }
    if (parser.isSet(helpOption)) {
        return PrintAndExit{parser.helpText()};
    }
    if (parser.isSet(versionOption)) {
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
    options.directory = positional.at(1);
    options.extended = parser.isSet(extended);
    options.format.actualWidth = parser.isSet(actualWidth);

    const std::optional<int> widthChars = intInRange(parser.value(width), FormatSettings::MinFieldWidthChars,
                                                     FormatSettings::MaxFieldWidthChars);
    if (!widthChars) {
        return UsageError{QStringLiteral("--width must be a whole number from 5 to 40, not '%1'").arg(parser.value(width))};
    }
    options.format.fieldWidthChars = *widthChars;
    const std::optional<int> paddingCount = intInRange(parser.value(padding), 0, FormatSettings::MaxPaddingCount);
    if (!paddingCount) {
        return UsageError{
            QStringLiteral("--padding must be a whole number from 0 to 20, not '%1'").arg(parser.value(padding))};
    }
    options.format.paddingCount = *paddingCount;

    options.format.delimiter = parser.value(delimiter);
    if (options.format.delimiter.size() > FormatSettings::MaxDelimiterChars) {
        return UsageError{QStringLiteral("--delimiter takes at most 5 characters, not '%1'").arg(options.format.delimiter)};
    }
    options.format.terminator = parser.value(terminator);
    if (options.format.terminator.size() > FormatSettings::MaxTerminatorChars) {
        return UsageError{QStringLiteral("--terminator takes at most 1 character, not '%1'").arg(options.format.terminator)};
    }

    const QString leadName = parser.value(lead);
    static const QStringList leadNames = {QStringLiteral("manufacturer"), QStringLiteral("type"),
                                          QStringLiteral("title"), QStringLiteral("subdir")};
    const qsizetype leadIndex = leadNames.indexOf(leadName);
    if (leadIndex < 0) {
        return UsageError{
            QStringLiteral("--lead must be manufacturer, type, title or subdir, not '%1'").arg(leadName)};
    }
    options.format.leadField = core::LeadField(leadIndex);

    const QString formatName = parser.value(format);
    if (formatName == u"rows") {
        options.outputFormat = OutputFormat::Rows;
    } else if (formatName == u"csv") {
        options.outputFormat = OutputFormat::Csv;
    } else if (formatName == u"json") {
        options.outputFormat = OutputFormat::Json;
    } else {
        return UsageError{QStringLiteral("--format must be rows, csv or json, not '%1'").arg(formatName)};
    }
    options.outputFile = parser.value(output);
    if (parser.isSet(output) && options.outputFile.isEmpty()) {
        return UsageError{QStringLiteral("--output needs a file name")};
    }

    const QFileInfo dirInfo(options.directory);
    if (!dirInfo.exists()) {
        return UsageError{QStringLiteral("directory '%1' does not exist").arg(options.directory)};
    }
    if (!dirInfo.isDir()) {
        return UsageError{QStringLiteral("'%1' is not a directory").arg(options.directory)};
    }
    if (!dirInfo.isReadable() || !dirInfo.isExecutable()) {
        return UsageError{QStringLiteral("directory '%1' cannot be read").arg(options.directory)};
    }
    return options;
}

} // namespace hangardeck::cli
