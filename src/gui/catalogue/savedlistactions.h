// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_SAVEDLISTACTIONS_H
#define HANGARDECK_GUI_SAVEDLISTACTIONS_H

#include <QString>

namespace hangardeck::core {
class SettingsFile;
}

namespace hangardeck::gui {

class CatalogueModel;
class Launcher;

// "Save List to File" and "Open Saved List File from Disk": output.txt beside the settings
// file, in the folder the settings use (beside the program, or the user's configuration
// folder where the program's folder cannot be written).
class SavedListActions final
{
public:
    SavedListActions(const CatalogueModel *model, const core::SettingsFile *settingsFile, Launcher *launcher);

    // Writes every row of the list, in its order, with the wait cursor, and opens the file in
    // the editor. Returns the file's path; a file that cannot be written keeps its old list,
    // and the editor is started on it all the same.
    QString save();

    // Opens the saved list in the editor, whether or not there is one.
    void open();

private:
    QString outputPath() const;

    const CatalogueModel *m_model;
    const core::SettingsFile *m_settingsFile;
    Launcher *m_launcher;
};

} // namespace hangardeck::gui

#endif
