// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/detailsoutput.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/inspection/detailstext.h"
#include "core/platform/nativepath.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace hangardeck::cli {

QByteArray detailsOutput(const DetailsOptions &options)
{
    const core::Profile profile = core::readAircraftConfig(options.aircraft.path()).profile;
    if (options.format == DetailsFormat::Text) {
        const core::EntryDetails details = core::entryDetails(profile, QString::number(options.entry));
        return (core::detailsText(details) + u'\n').toUtf8();
    }
    QJsonArray entries;
    const int end = core::endOfEntries(profile);
    for (int n = 0; n < end; ++n) {
        const core::EntryDetails details = core::entryDetails(profile, QString::number(n));
        // The carriage return is the line end the description was found before, not its text.
        QString description = details.description;
        if (description.endsWith(u'\r')) {
            description.chop(1);
        }
        entries.append(QJsonObject{{QStringLiteral("entry"), n},
                                   {QStringLiteral("section"), QString(u"fltsim." + details.entryText)},
                                   {QStringLiteral("title"), details.title},
                                   {QStringLiteral("manufacturer"), details.manufacturer},
                                   {QStringLiteral("type"), details.type},
                                   {QStringLiteral("description"), description}});
    }
    const QJsonObject aircraft{{QStringLiteral("folder"), core::fromNativePath(options.aircraft.folder)},
                               {QStringLiteral("entries"), entries}};
    return QJsonDocument(aircraft).toJson(QJsonDocument::Indented);
}

} // namespace hangardeck::cli
