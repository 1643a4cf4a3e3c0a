// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/clioptions.h"
#include "cli/detailsoutput.h"
#include "cli/findoutput.h"
#include "cli/imagesoutput.h"
#include "cli/listoutput.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/check/checkreport.h"
#include "core/check/collectioncheck.h"
#include "core/platform/nativepath.h"
#include "core/platform/outputfile.h"
#include "core/platform/system.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

using namespace hangardeck;

namespace {

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "hangardeck-cli: error: %s\n", message.toLocal8Bit().constData());
    return status;
}

// Writes the whole output of a one-aircraft command to stdout.
int printToStandardOutput(const QByteArray &bytes)
{
    core::OutputFile target{std::filesystem::path()};
    if (!target.open() || !target.write(bytes) || !target.finish()) {
        return fail(1, QStringLiteral("cannot write to stdout: %1").arg(target.errorText()));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    core::useBinaryStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hangardeck-cli"));

    const cli::ParseResult parsed = cli::parseArguments(cli::commandLine(argc, argv));
    if (const auto *error = std::get_if<cli::UsageError>(&parsed)) {
        return fail(2, error->message);
    }
    if (const auto *print = std::get_if<cli::PrintAndExit>(&parsed)) {
        std::fputs(print->text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (const auto *details = std::get_if<cli::DetailsOptions>(&parsed)) {
        return printToStandardOutput(cli::detailsOutput(*details));
    }
    if (const auto *images = std::get_if<cli::ImagesOptions>(&parsed)) {
        return printToStandardOutput(cli::imagesOutput(*images));
    }
    if (const auto *find = std::get_if<cli::FindOptions>(&parsed)) {
        const cli::FindOutcome outcome = cli::runFind(*find);
        if (!outcome.written) {
            return fail(1, QStringLiteral("cannot write to stdout: %1").arg(outcome.errorText));
        }
        std::fprintf(stderr, "%zu aircraft %s found\n", outcome.found,
                     outcome.found == 1 ? "directory" : "directories");
        return 0;
    }
    if (const auto *check = std::get_if<cli::CheckOptions>(&parsed)) {
        core::OutputFile target{std::filesystem::path()};
        core::CheckReportWriter printer(check->format, [&target](QByteArrayView bytes) { return target.write(bytes); });
        const bool opened = target.open();
        const core::CheckSummary summary =
            core::checkCollection(check->directory, {check->extended, check->thumbnails},
                                  [&](const core::Finding &finding) { printer.finding(finding); });
        if (!opened || !printer.finish(summary) || !target.finish()) {
            return fail(1, QStringLiteral("cannot write to stdout: %1").arg(target.errorText()));
        }
        return summary.hasProblems() ? 1 : 0;
    }
    const auto &options = std::get<cli::ListOptions>(parsed);

    const core::CatalogueScan scan = core::scanCatalogue(options.directory, options.extended, options.format);

    const bool toFile = !options.outputFile.empty();
    core::OutputFile target(options.outputFile);
    const auto destination = toFile ? cli::ListDestination::File : cli::ListDestination::StandardOutput;
    if (!target.open()
        || !cli::writeList(scan, options, destination, [&target](QByteArrayView bytes) { return target.write(bytes); })
        || !target.finish()) {
        const QString where =
            toFile ? QStringLiteral("'%1'").arg(core::fromNativePath(options.outputFile)) : QStringLiteral("to stdout");
        return fail(1, QStringLiteral("cannot write %1: %2").arg(where, target.errorText()));
    }
    // Everything is written. The list's memory goes back with the process: freeing a large
    // list piece by piece would take longer than the rest of the exit.
    std::fflush(nullptr);
    std::_Exit(0);
}
