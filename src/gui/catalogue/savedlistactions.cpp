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

namespace hangardeck::gui {

SavedListActions::SavedListActions(const CatalogueModel *model, const core::SettingsFile *settingsFile,
                                   Launcher *launcher)
    : m_model(model),
      m_settingsFile(settingsFile),
      m_launcher(launcher)
{
}

QString SavedListActions::outputPath() const
{
    return QDir(QFileInfo(m_settingsFile->readPath()).absolutePath())
        .filePath(QString::fromUtf16(core::SavedListFileName));
}

QString SavedListActions::save()
{
    QString path = outputPath();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool written = core::writeSavedList(core::toNativePath(path), m_model->scan());
    // Where the settings' own folder cannot be written, the user's folder can.
    const QString userPath = m_settingsFile->userPath();
    if (!written && !userPath.isEmpty() && QFileInfo(userPath).absolutePath() != QFileInfo(path).absolutePath()
        && QDir().mkpath(QFileInfo(userPath).absolutePath())) {
        const QString fallback =
            QDir(QFileInfo(userPath).absolutePath()).filePath(QString::fromUtf16(core::SavedListFileName));
        if (core::writeSavedList(core::toNativePath(fallback), m_model->scan())) {
            path = fallback;
        }
    }
    QApplication::restoreOverrideCursor();
    m_launcher->openFile(path);
    return path;
}

void SavedListActions::open()
{
    m_launcher->openFile(outputPath());
}

} // namespace hangardeck::gui
