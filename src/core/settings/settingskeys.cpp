// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/settingskeys.h"

#include "core/platform/system.h"

#include <QDir>

namespace hangardeck::core {

QStringList settingsKeyOrder()
{
    using namespace settingskey;
    return {QString::fromUtf16(acpath),         QString::fromUtf16(fieldwidth),
            QString::fromUtf16(fieldpadding),   QString::fromUtf16(fieldactualwidth),
            QString::fromUtf16(fielddelimiter), QString::fromUtf16(rowterminator),
            QString::fromUtf16(leadfield),      QString::fromUtf16(flsimx),
            QString::fromUtf16(frame),          QString::fromUtf16(top),
            QString::fromUtf16(left),           QString::fromUtf16(height),
            QString::fromUtf16(width),          QString::fromUtf16(sheep)};
}

QString settingsFilePath(const QString &programFolder)
{
    QString path = QDir::fromNativeSeparators(programFolder);
    if (!path.endsWith(u'/')) {
        path += u'/';
    }
    return path + QString::fromUtf16(SettingsFileName);
}

QString defaultAircraftDirectory()
{
    return simulatorAircraftDirectory();
}

} // namespace hangardeck::core
