// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_MAINWINDOW_H
#define HANGARDECK_GUI_MAINWINDOW_H

#include "core/catalogue/leadfield.h"
#include "core/settings/settingsfile.h"
#include "gui/shell/panel.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>

class QAction;

namespace hangardeck::gui {

class CatalogueModel;
class CheckWindow;
class DataFormatPanel;
class DirectoryPickerPanel;
class FieldListsPanel;
class GeneratedListPanel;
class HelpPanel;
class HelpViewer;
class InspectionPane;
class Launcher;
class SavedListActions;
class MessagePresenter;
class ScanRunner;
class StatusLine;
class StretchMode;
class WindowPlacement;

// The program's main window (object name ui_type): five switchable panels in its upper
// band, the selected aircraft below, the status line, and the menu bar. Constructing it
// runs the start-up: the settings are read (and on a first start the welcome message is
// shown) before the caller shows the window.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // programFolder holds hangardeck.ini (unless it cannot be written: then the user's
    // configuration folder does) and the help page. presenter shows the message boxes;
    // nullptr uses the desktop's message box. The window does not own a given one.
    // launcher opens files in the desktop's programs (nullptr: the desktop's handlers); a file
    // it finds no program for is said on the status line.
    explicit MainWindow(const QString &programFolder, MessagePresenter *presenter = nullptr,
                        Launcher *launcher = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The panel switch: 0 directory picker, 1 data format, 2 none, 3 help, 4 field lists,
    // 5 generated list, 9 closes the window (saving the settings); other values do nothing.
    void showPanel(int selector);

    // Whether the generated list is stretched over the window.
    bool isStretched() const;

    // Shows entry N of an aircraft folder (\b747) in the generated list, selected and
    // inspected; the list of the directory is generated first when it is not the one shown.
    // False when the list has no row of the folder.
    bool showEntry(const std::filesystem::path &aircraftDir, const QString &subdir, int entry);

public Q_SLOTS:
    // "Generate List": scans the aircraft directory with the format on the panels.
    void generateList();
    // F1 and "Help (F1)".
    void showHelp();
    // "Set Default Settings": writes the reset values and ends without the close-time save.
    void resetToDefaults();
    // "Save List to File": output.txt, opened in the editor.
    void saveList();
    // "Find Directory": the search window in place of this one until it closes.
    void openFindWindow();
    // "Check Collection": the check window over the aircraft directory, as the list reads it.
    void openCheckWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *panel(Panel element) const;
    void buildMenus();
    void loadSettings();
    void saveSettings();
    void writeFirstRun();
    void showMessage(const QString &text);
    void onLeadFieldChosen(core::LeadField field);

    QString m_programFolder;
    core::SettingsFile m_settingsFile;
    MessagePresenter *m_presenter = nullptr;
    std::unique_ptr<MessagePresenter> m_ownPresenter;
    Launcher *m_launcher = nullptr;
    std::unique_ptr<Launcher> m_ownLauncher;
    std::unique_ptr<SavedListActions> m_savedList;

    CatalogueModel *m_model = nullptr;
    DirectoryPickerPanel *m_directoryPanel = nullptr;
    DataFormatPanel *m_formatPanel = nullptr;
    HelpPanel *m_helpPanel = nullptr;
    FieldListsPanel *m_fieldListsPanel = nullptr;
    GeneratedListPanel *m_listPanel = nullptr;
    InspectionPane *m_inspection = nullptr;
    StatusLine *m_statusLine = nullptr;
    StretchMode *m_stretch = nullptr;
    ScanRunner *m_scanRunner = nullptr;
    WindowPlacement *m_placement = nullptr;
    QAction *m_mnuFSX = nullptr;
    HelpViewer *m_helpViewer = nullptr;
    CheckWindow *m_checkWindow = nullptr;
    std::filesystem::path m_listedDirectory; // the directory the generated list is of

    core::LeadField m_lastLeadField = core::LeadField::Manufacturer;
    // A first run's settings are written once the window's outer frame is known.
    bool m_firstRunPending = false;
    bool m_endWithoutSave = false;
};

} // namespace hangardeck::gui

#endif
