// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/mainwindow.h"

#include "core/catalogue/formatsettings.h"
#include "core/platform/helplocation.h"
#include "core/platform/system.h"
#include "core/settings/settingskeys.h"
#include "core/settings/settingswriter.h"
#include "core/settings/startup.h"
#include "gui/catalogue/cataloguemodel.h"
#include "gui/catalogue/dataformatpanel.h"
#include "gui/catalogue/fieldlistspanel.h"
#include "gui/catalogue/generatedlistpanel.h"
#include "gui/catalogue/savedlistactions.h"
#include "gui/catalogue/scanrunner.h"
#include "gui/check/checkwindow.h"
#include "gui/finder/directorypickerpanel.h"
#include "gui/finder/findwindow.h"
#include "gui/inspection/inspectionpane.h"
#include "gui/shell/helppanel.h"
#include "gui/shell/helpviewer.h"
#include "gui/shell/launcher.h"
#include "gui/shell/messagepresenter.h"
#include "gui/shell/statusline.h"
#include "gui/shell/stretchmode.h"
#include "gui/shell/twips.h"
#include "gui/shell/windowplacement.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QShortcut>

namespace hangardeck::gui {

namespace {

constexpr int ClientWidthTwips = 8985;
constexpr int ClientHeightTwips = 6420;
constexpr qreal DesignFontPoints = 8;

QAction *addItem(QObject *owner, QWidget *menu, const char *name, const QString &caption,
                 const QKeySequence &shortcut = {})
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

const QString DataFolderFromProgram = QStringLiteral(HANGARDECK_HELP_DIR_FROM_PROGRAM);

} // namespace

MainWindow::MainWindow(const QString &programFolder, MessagePresenter *presenter, Launcher *launcher, QWidget *parent)
    : QMainWindow(parent),
      m_programFolder(programFolder),
      m_settingsFile(core::isInstalledLayout(programFolder, DataFolderFromProgram) ? QString() : programFolder,
                     core::userConfigFolder()),
      m_presenter(presenter),
      m_launcher(launcher)
{
    if (!m_presenter) {
        m_ownPresenter = std::make_unique<MessageBoxPresenter>();
        m_presenter = m_ownPresenter.get();
    }
    if (!m_launcher) {
        m_ownLauncher = std::make_unique<DesktopLauncher>();
        m_launcher = m_ownLauncher.get();
    }

    setObjectName(QStringLiteral("ui_type"));
    setWindowTitle(QStringLiteral("MERIDOXA HANGARDECK 1.1"));
    // The layout is fixed in pixels; a small face keeps the captions inside their places.
    QFont windowFont = font();
    windowFont.setPointSizeF(DesignFontPoints);
    setFont(windowFont);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    m_model = new CatalogueModel(this);

    // Creation order is stacking order: the lower half lies lowest,
    // so a stretched list panel covers them, as the panels cover everything they overlap.
    m_inspection = new InspectionPane(
        m_launcher, [this] { return m_directoryPanel->nativePath(); }, central);
    m_statusLine = new StatusLine(central);
    m_launcher->setFailureHandler([this](const QString &path) { m_statusLine->showOpenFailure(path); });
    m_directoryPanel = new DirectoryPickerPanel(central);
    m_formatPanel = new DataFormatPanel(central);
    m_helpPanel = new HelpPanel(central);
    m_fieldListsPanel = new FieldListsPanel(m_model, central);
    m_listPanel = new GeneratedListPanel(m_model, central);
    for (const Panel element : AllPanels) {
        QWidget *widget = panel(element);
        widget->setObjectName(QStringLiteral("setframes_%1").arg(static_cast<int>(element)));
        widget->setGeometry(twipsRect(0, 0, 8895, 1935));
    }
    m_stretch = new StretchMode(this, central, m_listPanel, m_inspection, m_statusLine);
    m_scanRunner = new ScanRunner(m_statusLine, this);
    m_placement = new WindowPlacement(this);
    m_savedList = std::make_unique<SavedListActions>(m_model, &m_settingsFile, m_launcher);
    buildMenus();

    connect(m_statusLine, &StatusLine::directoryClicked, this, [this] { showPanel(0); });
    connect(m_directoryPanel, &DirectoryPickerPanel::directoryChanged, m_statusLine, &StatusLine::setDirectory);
    connect(m_fieldListsPanel, &FieldListsPanel::leadFieldChosen, this, &MainWindow::onLeadFieldChosen);
    connect(m_fieldListsPanel, &FieldListsPanel::itemDoubleClicked, this, [this] { showPanel(5); });
    connect(m_helpPanel, &HelpPanel::helpRequested, this, &MainWindow::showHelp);
    connect(m_listPanel, &GeneratedListPanel::rowSelected, this,
            [this](int row) { m_inspection->inspectRow(m_model->generatedRow(row), m_model->generatedEntry(row)); });
    connect(m_listPanel, &GeneratedListPanel::filterCountChanged, this,
            [this] { m_statusLine->setCount(m_model->rowCount(), m_listPanel->filteredRowCount()); });
    connect(m_listPanel, &GeneratedListPanel::rowActivated, this, [this](int row) {
        m_inspection->openAircraftCfg(m_model->generatedRow(row), m_model->generatedEntry(row));
    });
    connect(m_inspection, &InspectionPane::nothingSelected, this,
            [this] { showMessage(QStringLiteral("Nothing selected")); });
    connect(m_directoryPanel, &DirectoryPickerPanel::findRequested, this, &MainWindow::openFindWindow);
    connect(m_placement, &WindowPlacement::placed, this, [this] {
        if (m_firstRunPending) {
            writeFirstRun();
        }
    });
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &MainWindow::showHelp);

    resize(twipsToPixels(ClientWidthTwips), twipsToPixels(ClientHeightTwips) + menuBar()->sizeHint().height());
    loadSettings();
    m_helpPanel->showVersion();
}

MainWindow::~MainWindow()
{
    // A launcher handed in may outlive the window and its status line.
    m_launcher->setFailureHandler({});
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *fileMenu = bar->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    QAction *save =
        addItem(this, fileMenu, "mnuSave", QStringLiteral("&Save List to File"), QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &MainWindow::saveList);
    QAction *open = addItem(this, fileMenu, "mnuOpen", QStringLiteral("&Open Saved List File from Disk"),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, [this] { m_savedList->open(); });
    QAction *defaults = addItem(this, fileMenu, "mnuDefaults", QStringLiteral("&Set Default Settings"));
    connect(defaults, &QAction::triggered, this, &MainWindow::resetToDefaults);
    QAction *exitItem = addItem(this, fileMenu, "mnuExit", QStringLiteral("E&xit ALT+F4"));
    connect(exitItem, &QAction::triggered, this, [this] { showPanel(9); });

    QAction *pathItem = addItem(this, bar, "menuApath", QStringLiteral("Aircraft &Path"));
    connect(pathItem, &QAction::triggered, this, [this] { showPanel(0); });
    QAction *formatItem = addItem(this, bar, "mnuFormat", QStringLiteral("&Data Format"));
    connect(formatItem, &QAction::triggered, this, [this] { showPanel(1); });
    QAction *fieldsItem = addItem(this, bar, "mnuFields", QStringLiteral("&Fields"));
    connect(fieldsItem, &QAction::triggered, this, [this] { showPanel(4); });

    QMenu *listMenu = bar->addMenu(QStringLiteral("&Aircraft List"));
    listMenu->setObjectName(QStringLiteral("mnulst"));
    listMenu->menuAction()->setObjectName(QStringLiteral("mnulstAction"));
    // Opening the menu shows the list, whatever is chosen from it afterwards.
    connect(listMenu, &QMenu::aboutToShow, this, [this] { showPanel(5); });
    QAction *generate =
        addItem(this, listMenu, "mnuGenerate", QStringLiteral("&Generate List"), QKeySequence(Qt::Key_F5));
    connect(generate, &QAction::triggered, this, &MainWindow::generateList);
    QAction *check = addItem(this, listMenu, "mnuCheck", QStringLiteral("C&heck Collection"), QKeySequence(Qt::Key_F7));
    connect(check, &QAction::triggered, this, &MainWindow::openCheckWindow);
    m_mnuFSX = addItem(this, listMenu, "mnuFSX", QStringLiteral("&List Extra Fltsim.x also"));
    m_mnuFSX->setCheckable(true);
    // Switching on lists every entry at once; switching off waits for the next scan. Start-up
    // sets the check mark without a trigger, so it never scans.
    connect(m_mnuFSX, &QAction::triggered, this, [this](bool checked) {
        if (checked) {
            generateList();
        }
    });
    addItem(this, listMenu, "mnuViewGen", QStringLiteral("&View Generated List"), QKeySequence(Qt::CTRL | Qt::Key_G));
    QAction *stretch = addItem(this, listMenu, "mnuStretch", QStringLiteral("&Stretch/Unstretch List View"),
                               QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(stretch, &QAction::triggered, m_stretch, &StretchMode::toggle);
    addItem(this, listMenu, "mnuCancel", QStringLiteral("&Cancel"));

    QAction *helpItem = addItem(this, bar, "mnuhelp", QStringLiteral("&Help/About"));
    connect(helpItem, &QAction::triggered, this, [this] { showPanel(3); });
}

QWidget *MainWindow::panel(Panel element) const
{
    switch (element) {
    case Panel::DirectoryPicker:
        return m_directoryPanel;
    case Panel::DataFormat:
        return m_formatPanel;
    case Panel::Help:
        return m_helpPanel;
    case Panel::FieldLists:
        return m_fieldListsPanel;
    case Panel::GeneratedList:
        return m_listPanel;
    }
    return nullptr;
}

void MainWindow::showPanel(int selector)
{
    const PanelSwitch change = panelSwitchFor(selector);
    if (change.kind == PanelSwitch::Close) {
        close();
        return;
    }
    if (change.kind == PanelSwitch::Ignore) {
        return;
    }
    for (const Panel element : AllPanels) {
        panel(element)->setVisible(change.kind == PanelSwitch::Show && change.panel == element);
    }
}

bool MainWindow::isStretched() const
{
    return m_stretch->isStretched();
}

void MainWindow::showMessage(const QString &text)
{
    m_presenter->showMessage(this, text);
}

void MainWindow::generateList()
{
    if (m_scanRunner->isRunning()) {
        return;
    }
    core::FormatSettings settings;
    m_formatPanel->captureInto(settings);
    // With no button selected the lead field of the previous scan stays.
    m_lastLeadField = m_fieldListsPanel->selectedLeadField().value_or(m_lastLeadField);
    settings.leadField = m_lastLeadField;

    // The old lists go first: they would otherwise stay in memory beside the new ones.
    m_model->setScan({});
    ScanOutcome outcome = m_scanRunner->run(m_directoryPanel->nativePath(), m_mnuFSX->isChecked(), settings);
    m_listedDirectory = m_directoryPanel->nativePath();
    m_directoryPanel->showSubfolders(std::move(outcome.folders));
    m_model->setScan(std::move(outcome.scan));
    m_statusLine->hideProgress();
    m_statusLine->setCount(m_model->rowCount(), m_listPanel->filteredRowCount());
    m_inspection->setListPath(m_directoryPanel->path());
    m_listPanel->selectFirstRow();

    // A close asked for while the scan ran was held back until the lists were whole.
    if (m_scanRunner->takeHeldClose()) {
        close();
    }
}

void MainWindow::saveList()
{
    if (!m_inspection->hasList()) {
        showMessage(QStringLiteral("Nothing to save, generate list first."));
        return;
    }
    const SavedListActions::Outcome saved = m_savedList->save();
    if (saved.path.isEmpty()) {
        // The old list stays as it was; opening it would pass it off as this one.
        showMessage(QStringLiteral("The list could not be saved.\n") + saved.failures.join(u'\n'));
    } else {
        // A filter narrows what the list shows, never what is saved.
        const std::optional<int> shown = m_listPanel->filteredRowCount();
        m_statusLine->setTarget(
            saved.path, shown
                            ? QStringLiteral("all %1 rows, not only the %2 shown").arg(m_model->rowCount()).arg(*shown)
                            : QString());
        m_savedList->open();
    }
    // The first row is selected and inspected after a save, also when it was already.
    if (!m_listPanel->selectFirstRow() && m_listPanel->currentRow() >= 0) {
        const int row = m_listPanel->currentRow();
        m_inspection->inspectRow(m_model->generatedRow(row), m_model->generatedEntry(row));
    }
}

void MainWindow::openFindWindow()
{
    m_placement->centreNow();
    hide();
    auto *find = new FindWindow(this);
    connect(find, &FindWindow::directoryChosen, this, [this](const QString &path, const std::filesystem::path &native) {
        m_directoryPanel->setNativePath(native);
        m_settingsFile.write({{QString::fromUtf16(core::settingskey::acpath), path}});
        m_inspection->setListPath({}); // the list shown is no longer one of this directory
    });
    // However the search window closes, this one comes back on the panel it had.
    connect(find, &FindWindow::closed, this, &QWidget::show);
    find->show();
}

void MainWindow::openCheckWindow()
{
    if (!m_checkWindow) {
        m_checkWindow = new CheckWindow(m_launcher, this);
        connect(m_checkWindow, &CheckWindow::entryRequested, this, &MainWindow::showEntry);
    }
    // The check reads the directory as the list does, every listed [fltsim.N] or [fltsim.0]
    // alone; an open window on the same is only raised, its findings kept.
    const std::filesystem::path directory = m_directoryPanel->nativePath();
    const bool extended = m_mnuFSX->isChecked();
    if (m_checkWindow->isHidden() || m_checkWindow->directory() != directory
        || m_checkWindow->isExtended() != extended) {
        m_checkWindow->check(directory, extended);
    }
    m_checkWindow->show();
    m_checkWindow->raise();
    m_checkWindow->activateWindow();
}

bool MainWindow::showEntry(const std::filesystem::path &aircraftDir, const QString &subdir, int entry)
{
    if (m_scanRunner->isRunning()) {
        return false;
    }
    if (m_model->rowCount() == 0 || m_listedDirectory != aircraftDir) {
        if (m_directoryPanel->nativePath() != aircraftDir) {
            m_directoryPanel->setNativePath(aircraftDir);
        }
        generateList();
    }
    // The entry itself, else the folder's first row (an entry the list does not show).
    const core::CatalogueScan &scan = m_model->scan();
    qsizetype found = -1;
    for (qsizetype k = 0; k < qsizetype(scan.entries.size()); ++k) {
        const core::CatalogueEntry &candidate = scan.entries[size_t(k)];
        if (candidate.subdir == subdir && (found < 0 || candidate.fltsimIndex == entry)) {
            found = k;
            if (candidate.fltsimIndex == entry) {
                break;
            }
        }
    }
    if (found < 0) {
        return false;
    }
    const auto row =
        int(std::find(scan.rowEntries.begin(), scan.rowEntries.end(), int(found)) - scan.rowEntries.begin());
    showPanel(5);
    if (!m_listPanel->selectRow(row)) {
        m_inspection->inspectRow(m_model->generatedRow(row), m_model->generatedEntry(row));
    }
    raise();
    activateWindow();
    return true;
}

void MainWindow::onLeadFieldChosen(core::LeadField field)
{
    if (field == core::LeadField::Subdir) {
        showMessage(QStringLiteral("The following is not available when subdir is NOT last field.\n"
                                   "Image Browsing\n"
                                   "Opening Aircraft.cfg w/double clicking\n"
                                   "Viewing extended details."));
    }
}

void MainWindow::showHelp()
{
    if (!m_helpViewer) {
        m_helpViewer = new HelpViewer(this);
    }
    m_helpViewer->showPage(core::locateHelpPage(m_programFolder, DataFolderFromProgram));
}

void MainWindow::loadSettings()
{
    const core::StartupPlan plan = core::planStartup(m_settingsFile.read());
    m_directoryPanel->setPath(core::defaultAircraftDirectory());
    showPanel(0);
    if (plan.firstRun) {
        m_firstRunPending = true;
        showMessage(QStringLiteral("Welcome to HANGARDECK%1.%2\nPlease make sure you set/verify your TOP LEVEL "
                                   "\\Aircraft directory.")
                        .arg(HANGARDECK_VERSION_MAJOR)
                        .arg(HANGARDECK_VERSION_MINOR));
    }

    const core::StoredSettings &stored = plan.settings;
    // A directory that does not exist leaves the folder list where it is.
    m_directoryPanel->setPath(stored.aircraftDirectory);
    m_formatPanel->applyStored(stored);
    if (stored.leadField) {
        m_fieldListsPanel->selectLeadField(static_cast<core::LeadField>(*stored.leadField));
    }
    if (stored.extendedMode != core::CheckChange::Keep) {
        m_mnuFSX->setChecked(stored.extendedMode == core::CheckChange::Check);
    }
    showPanel(2);
    if (stored.frame) {
        panel(static_cast<Panel>(*stored.frame))->show();
    }

    if (plan.firstRun) {
        m_placement->placeCentred();
    } else {
        m_placement->restore(stored);
    }
}

void MainWindow::writeFirstRun()
{
    m_firstRunPending = false;
    m_settingsFile.write(core::firstRunValues(m_placement->outerGeometryTwips()));
}

void MainWindow::saveSettings()
{
    core::ClosingState state;
    state.aircraftDirectory = m_directoryPanel->path();
    m_formatPanel->fillClosingState(state);
    if (const std::optional<core::LeadField> lead = m_fieldListsPanel->selectedLeadField()) {
        state.leadField = static_cast<int>(*lead);
    }
    state.extendedMode = m_mnuFSX->isChecked();
    // The last visible panel in element order is the one kept.
    for (const Panel element : AllPanels) {
        if (!panel(element)->isHidden()) {
            state.frame = static_cast<int>(element);
        }
    }
    state.geometry = m_placement->outerGeometryTwips();
    core::SettingsValues values;
    if (m_firstRunPending) {
        // Closed before the frame was known: the first run's keys go in the same write.
        values = core::firstRunValues(*state.geometry);
        m_firstRunPending = false;
    }
    const core::SettingsValues closing = core::closingValues(state);
    values.insert(values.end(), closing.begin(), closing.end());
    m_settingsFile.write(values);
}

void MainWindow::resetToDefaults()
{
    m_placement->centreNow();
    const core::WindowGeometryTwips centred = m_placement->outerGeometryTwips();
    m_firstRunPending = false;
    m_settingsFile.write(core::resetValues(centred.top, centred.left));
    showMessage(QStringLiteral("Set defaults done, exiting. . . please restart HANGARDECK"));
    m_endWithoutSave = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_scanRunner->isRunning()) {
        // The scan stops reading; generateList closes once the lists are whole.
        m_scanRunner->holdClose();
        event->ignore();
        return;
    }
    if (!m_endWithoutSave) {
        saveSettings();
    }
    // Ending the program closes every window of it, the help viewer included.
    if (m_helpViewer) {
        m_helpViewer->close();
    }
    if (m_checkWindow) {
        m_checkWindow->close();
    }
    event->accept();
}

} // namespace hangardeck::gui
