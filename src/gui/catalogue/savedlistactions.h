// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_SAVEDLISTACTIONS_H
#define HANGARDECK_GUI_SAVEDLISTACTIONS_H

#include <QString>
#include <QStringList>

namespace hangardeck::core {
class SettingsFile;
}

namespace hangardeck::gui {

class CatalogueModel;
class Launcher;

// "Save List to File" and "Open Saved List File from Disk": output.txt beside the settings
// file, or in the user's configuration folder where that one cannot be written.
class SavedListActions final
{
public:
    // What a save did: the file written, or none and why each place failed.
    struct Outcome {
        QString path;         // empty when no place could be written
        QStringList failures; // "/opt/hangardeck/output.txt: Is a directory", one per place tried
    };

    SavedListActions(const CatalogueModel *model, const core::SettingsFile *settingsFile, Launcher *launcher);

    // Writes every row of the list, in its order, with the wait cursor: beside the settings
    // file, else in the user's configuration folder. A place that fails keeps its old list whole.
    Outcome save();

    // Opens in the editor the file the last save wrote; before any save, the file a save
    // would write. Whether or not it exists: a missing file is the editor's to say.
    void open();

private:
    // Where a save tries to write, in order.
    QStringList places() const;

    const CatalogueModel *m_model;
    const core::SettingsFile *m_settingsFile;
    Launcher *m_launcher;
    QString m_lastWritten;
};

} // namespace hangardeck::gui

#endif
