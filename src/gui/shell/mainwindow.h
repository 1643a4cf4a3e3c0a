// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_MAINWINDOW_H
#define HANGARDECK_GUI_MAINWINDOW_H

#include "catalogue/cataloguescanner.h"
#include "settings/storedsettings.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTextEdit;

namespace hangardeck::gui {

class ClickableLabel;
class DataFormatPanel;
class DirectoryPickerPanel;
class FieldListsPanel;
class HelpViewer;
class MessagePresenter;

// The program's main window (object name ui_type): five switchable panels in its upper
// band, the selected aircraft's controls below, the status line, and the menu bar.
// Constructing it runs the start-up: the settings file beside the program is read (and on
// a first start written, with a welcome message) before the caller shows the window.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // The panels are the elements 0, 2, 3, 4 and 5 of one array; there is no element 1.
    static constexpr std::array<int, 5> PanelElements{0, 2, 3, 4, 5};

    // programFolder holds hangardeck.ini and the help page. presenter shows the message
    // boxes; nullptr uses the desktop's message box. The window does not own a given one.
    explicit MainWindow(const QString &programFolder, MessagePresenter *presenter = nullptr,
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    // The panel switch: 0 directory picker, 1 data format, 2 none, 3 help, 4 field lists,
    // 5 generated list, 9 closes the window (saving the settings); other values do nothing.
    void showPanel(int selector);

    // The panel with the given element number (0, 2, 3, 4, 5), nullptr for any other.
    QGroupBox *panel(int element) const;

    // The directory of the last generated list, "Z" while none has been generated.
    const QString &currentListPath() const { return m_curpath; }

    // The last scan's result, for the views that inspect a row.
    const core::CatalogueScan &lastScan() const { return m_lastScan; }

    // Whether the generated list is stretched over the window.
    bool isStretched() const;

    QString settingsFilePath() const;
    QString helpFilePath() const;
    HelpViewer *helpViewer() const { return m_helpViewer; }

public Q_SLOTS:
    // "Generate List": scans the aircraft directory with the format on the panels.
    void generateList();
    // "Stretch/Unstretch List View".
    void toggleStretch();
    // F1 and "Help (F1)".
    void showHelp();
    // "Set Default Settings": writes the reset values and ends without the close-time save.
    void resetToDefaults();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLowerHalf(QWidget *central);
    void buildPanels(QWidget *central);
    void buildHelpPanel(QGroupBox *panel);
    void buildMenus();

    void loadSettings();
    void applyStoredSettings(const core::StoredSettings &stored);
    void applyStoredGeometry(const core::StoredSettings &stored);
    void saveSettings();
    void showMessage(const QString &text);

    void onExtendedModeTriggered(bool checked);
    void onLeadFieldChosen(int index);
    void onDirectoryChanged(const QString &path);
    void openWebPage();

    core::WindowGeometryTwips outerGeometryTwips() const;
    void centreOnScreen();
    void applyPendingOuterSize();

    QString m_programFolder;
    MessagePresenter *m_presenter = nullptr;
    std::unique_ptr<MessagePresenter> m_ownPresenter;

    std::array<QGroupBox *, 6> m_panels{};
    DirectoryPickerPanel *m_directoryPanel = nullptr;
    DataFormatPanel *m_formatPanel = nullptr;
    FieldListsPanel *m_fieldListsPanel = nullptr;
    QListWidget *m_list2 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label6 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QPushButton *m_command4 = nullptr;

    QLabel *m_img1 = nullptr;
    QLabel *m_label7 = nullptr;
    QListWidget *m_lstImageFiles = nullptr;
    QListWidget *m_lstImages = nullptr;
    QTextEdit *m_text4 = nullptr;
    QScrollBar *m_hscroll1 = nullptr;
    ClickableLabel *m_label3 = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_label10 = nullptr;
    QProgressBar *m_scanProgress = nullptr;

    QAction *m_mnuFSX = nullptr;
    HelpViewer *m_helpViewer = nullptr;

    core::CatalogueScan m_lastScan;
    core::LeadField m_lastLeadField = core::LeadField::Manufacturer;
    QString m_curpath = QStringLiteral("Z");
    bool m_loadingSettings = false;
    bool m_scanning = false;
    bool m_closeRequested = false;
    bool m_endWithoutSave = false;

    // Heights saved on entering stretch mode, in pixels.
    int m_frameHeight = 0;
    int m_listHeight = 0;

    // An outer size restored from the settings, corrected for the window frame once the
    // window is shown and the frame is known.
    std::optional<QSize> m_pendingOuterSize;
    bool m_shownOnce = false;
};

} // namespace hangardeck::gui

#endif
