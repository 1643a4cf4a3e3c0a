// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/cataloguescanner.h"
#include "core/platform/nativepath.h"
#include "cli/clioptions.h"
#include "cli/listoutput.h"
#include "core/platform/atomicfile.h"

#include <QCoreApplication>

#include <cstdio>

using namespace hangardeck;

namespace {

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "hangardeck-cli: error: %s\n", message.toLocal8Bit().constData());
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hangardeck-cli"));

    const cli::ParseResult parsed = cli::parseArguments(QCoreApplication::arguments());
    if (const auto *error = std::get_if<cli::UsageError>(&parsed)) {
        return fail(2, error->message);
    }
    if (const auto *print = std::get_if<cli::PrintAndExit>(&parsed)) {
        std::fputs(print->text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    const auto &options = std::get<cli::ListOptions>(parsed);

    const core::CatalogueScan scan =
        core::scanCatalogue(core::toNativePath(options.directory), options.extended, options.format);

    if (options.outputFile.isEmpty()) {
        const QByteArray text = cli::renderList(scan, options.outputFormat, "\n");
        if (std::fwrite(text.constData(), 1, size_t(text.size()), stdout) != size_t(text.size())
            || std::fflush(stdout) != 0) {
            return fail(1, QStringLiteral("cannot write to stdout"));
        }
        return 0;
    }
    const QByteArray text = cli::renderList(scan, options.outputFormat, "\r\n");
    QString error;
    if (!core::writeFileAtomically(options.outputFile, text, &error)) {
        return fail(1, QStringLiteral("cannot write '%1': %2").arg(options.outputFile, error));
    }
    return 0;
}
