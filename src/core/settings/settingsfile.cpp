// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/settingsfile.h"

#include "core/platform/nativepath.h"
#include "core/settings/settingskeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hangardeck::core {

namespace {

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Whether a file can be replaced the way every write replaces it: a new file in its folder,
// renamed over it. Permissions tell only part of it, which is why writes simply try.
bool canReplace(const QString &path)
{
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

} // namespace

SettingsFile::SettingsFile(QString programFolder, QString userConfigFolder)
    : m_programFolder(std::move(programFolder)),
      m_userConfigFolder(std::move(userConfigFolder))
{
}

QString SettingsFile::portablePath() const
{
    return m_programFolder.isEmpty() ? QString() : settingsFilePath(m_programFolder);
}

QString SettingsFile::userPath() const
{
    return m_userConfigFolder.isEmpty() ? QString() : settingsFilePath(m_userConfigFolder);
}

QString SettingsFile::readPath() const
{
    const bool portable = isFile(portablePath());
    const bool user = isFile(userPath());
    // A settings file beside the program that cannot be replaced (a read-only copy or
    // medium) sends every write to the user's file, so that file is the newer one.
    if (portable && (!user || canReplace(portablePath()))) {
        return portablePath();
    }
    return user || m_programFolder.isEmpty() ? userPath() : portablePath();
}

Profile SettingsFile::read() const
{
    // Whole, whatever its size: a close rewrites the whole file, and the next start must
    // read back every value it wrote, wherever in the file it stands.
    return Profile::fromFile(toNativePath(readPath()), WholeFile);
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
    if (!m_programFolder.isEmpty() && writeTo(portablePath())) {
        return portablePath();
    }
    if (!m_userConfigFolder.isEmpty() && QDir().mkpath(m_userConfigFolder) && writeTo(userPath())) {
        return userPath();
    }
    return QString();
}

} // namespace hangardeck::core
