// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/settingsfile.h"

#include "core/settings/settingskeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace hangardeck::core {

namespace {

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

SettingsFile::SettingsFile(QString programFolder, QString userConfigFolder)
    : m_programFolder(std::move(programFolder))
    , m_userConfigFolder(std::move(userConfigFolder))
{
}

QString SettingsFile::portablePath() const
{
    return settingsFilePath(m_programFolder);
}

QString SettingsFile::userPath() const
{
    return m_userConfigFolder.isEmpty() ? QString() : settingsFilePath(m_userConfigFolder);
}

QString SettingsFile::readPath() const
{
    if (isFile(portablePath())) {
        return portablePath();
    }
    if (isFile(userPath())) {
        return userPath();
    }
    return portablePath();
}

Profile SettingsFile::read() const
{
    return Profile::fromFile(std::filesystem::path(readPath().toStdU16String()));
}

QString SettingsFile::write(const SettingsValues &values) const
{
    const QString section = QString::fromUtf16(SettingsSection);
    const QString startupPath = readPath();
    // A file that does not exist yet starts from what start-up read elsewhere: a close writes
    // every key but sheep, and without it the next start would be a first run again.
    const auto writeTo = [&](const QString &path) {
        std::optional<QByteArray> base;
        if (path != startupPath && !QFileInfo::exists(path) && isFile(startupPath)) {
            QFile startupFile(startupPath);
            base = startupFile.open(QIODevice::ReadOnly) ? startupFile.readAll() : QByteArray();
        }
        return writeProfileStrings(path, section, values, base);
    };

    // Trying is the only sure test of a folder: permissions say nothing for root, nor for
    // read-only mounts, ACLs or a full disk.
    if (writeTo(portablePath())) {
        return portablePath();
    }
    if (!m_userConfigFolder.isEmpty() && QDir().mkpath(m_userConfigFolder) && writeTo(userPath())) {
        return userPath();
    }
    return QString();
}

} // namespace hangardeck::core
