// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/detailstext.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/inspection/descriptionscan.h"

#include <array>
#include <optional>

namespace hangardeck::core {

EntryDetails entryDetails(const Profile &profile, const QString &entryText)
{
    const QString empty = QString::fromUtf16(EmptyValueText);
    EntryDetails details{empty, empty, empty, empty, entryText};
    if (!profile.isLoaded()) {
        return details;
    }
    const QString section = u"fltsim." + entryText;
    static constexpr std::array<QByteArrayView, 3> keys = {"title", "ui_manufacturer", "ui_type"};
    std::array<std::optional<QString>, 3> values;
    profile.aircraftValues(section.toUtf8(), keys, values);
    details.title = values[0].value_or(empty);
    details.manufacturer = values[1].value_or(empty);
    details.type = values[2].value_or(empty);
    details.description = scanDescription(profile.text(), section);
    return details;
}

QString detailsText(const EntryDetails &details)
{
    return details.title + u"\r\n\r\n" + details.manufacturer + u"\r\n\r\n" + details.type + u"\r\n\r\n"
           + details.description + u"\r\n[fltsim." + details.entryText + u']';
}

} // namespace hangardeck::core
