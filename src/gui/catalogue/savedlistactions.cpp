// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/savedlistactions.h"

#include "core/catalogue/savedlist.h"
#include "core/platform/nativepath.h"
#include "core/settings/settingsfile.h"
#include "gui/catalogue/cataloguemodel.h"
#include "gui/shell/launcher.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace hangardeck::gui {

namespace {

QString savedListIn(const QString &folder)
{
    return QDir(folder).filePath(QString::fromUtf16(core::SavedListFileName));
}

// Whether a save would likely succeed there; only writing tells for sure, so this serves
// only to guess which file an open before any save should show.
bool looksWritable(const QString &path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    const bool fileOk = !file.exists() || (file.isFile() && file.isWritable());
    return fileOk && (!folder.exists() || (folder.isDir() && folder.isWritable()));
}

} // namespace

SavedListActions::SavedListActions(const CatalogueModel *model, const core::SettingsFile *settingsFile,
                                   Launcher *launcher)
    : m_model(model),
      m_settingsFile(settingsFile),
      m_launcher(launcher)
{
}

QStringList SavedListActions::places() const
{
    QStringList places{savedListIn(QFileInfo(m_settingsFile->readPath()).absolutePath())};
    const QString userPath = m_settingsFile->userPath();
    if (!userPath.isEmpty()) {
        const QString user = savedListIn(QFileInfo(userPath).absolutePath());
        if (user != places.front()) {
            places.append(user);
        }
    }
    return places;
}

SavedListActions::Outcome SavedListActions::save()
{
    Outcome outcome;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString &place : places()) {
        QString why;
        // The user's configuration folder may not exist yet; a folder beside the program does.
        QDir().mkpath(QFileInfo(place).absolutePath());
        if (core::writeSavedList(core::toNativePath(place), m_model->scan(), &why)) {
            outcome.path = place;
            m_lastWritten = place;
            break;
        }
        outcome.failures.append(QDir::toNativeSeparators(place) + QStringLiteral(": ") + why);
    }
    QApplication::restoreOverrideCursor();
    return outcome;
}

void SavedListActions::open()
{
    QString path = m_lastWritten;
    if (path.isEmpty()) {
        const QStringList candidates = places();
        const auto likely = std::find_if(candidates.begin(), candidates.end(), looksWritable);
        path = likely != candidates.end() ? *likely : candidates.front();
    }
    m_launcher->openTextFile(path);
}

} // namespace hangardeck::gui
