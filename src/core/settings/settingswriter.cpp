// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/settingswriter.h"

#include "core/settings/settingsconversion.h"
#include "core/settings/settingskeys.h"

namespace hangardeck::core {

namespace {

using settingsconversion::singleToText;

ProfileEntry entry(const char16_t *key, QString value)
{
    return {QString::fromUtf16(key), std::move(value)};
}

// The nine keys that a first run and a reset write alike, acpath to frame.
SettingsValues defaultValues()
{
    using namespace settingskey;
    return {entry(acpath, defaultAircraftDirectory()), entry(fieldwidth, QStringLiteral("20")),
            entry(fieldpadding, QStringLiteral("0")),  entry(fieldactualwidth, QStringLiteral("0")),
            entry(fielddelimiter, QString()),          entry(rowterminator, QString()),
            entry(leadfield, QStringLiteral("0")),     entry(flsimx, QStringLiteral("1")),
            entry(frame, QStringLiteral("0"))};
}

void appendGeometry(SettingsValues &values, const WindowGeometryTwips &geometry)
{
    using namespace settingskey;
    values.push_back(entry(top, singleToText(geometry.top)));
    values.push_back(entry(left, singleToText(geometry.left)));
    values.push_back(entry(height, singleToText(geometry.height)));
    values.push_back(entry(width, singleToText(geometry.width)));
}

} // namespace

SettingsValues firstRunValues(const WindowGeometryTwips &outerGeometry)
{
    SettingsValues values = defaultValues();
    appendGeometry(values, outerGeometry);
    values.push_back(entry(settingskey::sheep, QString::number(FirstRunDoneMarker)));
    return values;
}

SettingsValues resetValues(float topTwips, float leftTwips)
{
    SettingsValues values = defaultValues();
    appendGeometry(values, {topTwips, leftTwips, DesignOuterHeightTwips, DesignOuterWidthTwips});
    values.push_back(entry(settingskey::sheep, QStringLiteral("0")));
    return values;
}

SettingsValues closingValues(const ClosingState &state)
{
    using namespace settingskey;
    SettingsValues values{
        entry(acpath, state.aircraftDirectory), entry(fieldwidth, state.fieldWidthText),
        entry(fieldpadding, state.paddingText), entry(fieldactualwidth, QString::number(state.actualWidthState)),
        entry(fielddelimiter, state.delimiter), entry(rowterminator, state.terminator)};
    if (state.leadField) {
        values.push_back(entry(leadfield, QString::number(*state.leadField)));
    }
    values.push_back(entry(flsimx, state.extendedMode ? QStringLiteral("1") : QStringLiteral("0")));
    if (state.frame) {
        values.push_back(entry(frame, QString::number(*state.frame)));
    }
    if (state.geometry) {
        appendGeometry(values, *state.geometry);
    }
    return values;
}

} // namespace hangardeck::core
