// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "settings/settingswriter.h"

#include "platform/profile.h"
#include "settings/settingsconversion.h"
#include "settings/settingskeys.h"

namespace hangardeck::core {

using settingsconversion::singleToText;

SettingsWriter::SettingsWriter(QString iniPath)
    : m_iniPath(std::move(iniPath))
{
}

bool SettingsWriter::write(QStringView key, const QString &value) const
{
    return writeProfileString(m_iniPath, QString::fromUtf16(SettingsSection), key.toString(), value);
}

// The nine keys that first start and reset write alike, acpath to frame.
bool SettingsWriter::writeDefaults() const
{
    using namespace settingskey;
    bool ok = write(acpath, defaultAircraftDirectory());
    ok = write(fieldwidth, QStringLiteral("20")) && ok;
    ok = write(fieldpadding, QStringLiteral("0")) && ok;
    ok = write(fieldactualwidth, QStringLiteral("0")) && ok;
    ok = write(fielddelimiter, QString()) && ok;
    ok = write(rowterminator, QString()) && ok;
    ok = write(leadfield, QStringLiteral("0")) && ok;
    ok = write(flsimx, QStringLiteral("1")) && ok;
    ok = write(frame, QStringLiteral("0")) && ok;
    return ok;
}

bool SettingsWriter::writeFirstRun(const WindowGeometryTwips &geometry) const
{
    using namespace settingskey;
    bool ok = writeDefaults();
    ok = write(top, singleToText(geometry.top)) && ok;
    ok = write(left, singleToText(geometry.left)) && ok;
    ok = write(height, singleToText(geometry.height)) && ok;
    ok = write(width, singleToText(geometry.width)) && ok;
    ok = write(sheep, QString::number(FirstRunDoneMarker)) && ok;
    return ok;
}

bool SettingsWriter::writeReset(float topTwips, float leftTwips) const
{
    using namespace settingskey;
    bool ok = writeDefaults();
    ok = write(top, singleToText(topTwips)) && ok;
    ok = write(left, singleToText(leftTwips)) && ok;
    ok = write(height, singleToText(DesignHeightTwips)) && ok;
    ok = write(width, singleToText(DesignWidthTwips)) && ok;
    ok = write(sheep, QStringLiteral("0")) && ok;
    return ok;
}

bool SettingsWriter::writeClosing(const ClosingState &state) const
{
    using namespace settingskey;
    bool ok = write(acpath, state.aircraftDirectory);
    ok = write(fieldwidth, state.fieldWidthText) && ok;
    ok = write(fieldpadding, state.paddingText) && ok;
    ok = write(fieldactualwidth, QString::number(state.actualWidthState)) && ok;
    ok = write(fielddelimiter, state.delimiter) && ok;
    ok = write(rowterminator, state.terminator) && ok;
    if (state.leadField) {
        ok = write(leadfield, QString::number(*state.leadField)) && ok;
    }
    ok = write(flsimx, state.extendedMode ? QStringLiteral("1") : QStringLiteral("0")) && ok;
    if (state.frame) {
        ok = write(frame, QString::number(*state.frame)) && ok;
    }
    if (state.geometry) {
        ok = write(top, singleToText(state.geometry->top)) && ok;
        ok = write(left, singleToText(state.geometry->left)) && ok;
        ok = write(height, singleToText(state.geometry->height)) && ok;
        ok = write(width, singleToText(state.geometry->width)) && ok;
    }
    return ok;
}

} // namespace hangardeck::core
