// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "shell/mainwindow.h"

#include "catalogue/dataformatpanel.h"
#include "catalogue/fieldlistspanel.h"
#include "catalogue/formatsettings.h"
#include "finder/directorylistbox.h"
#include "finder/directorypickerpanel.h"
#include "platform/profile.h"
#include "settings/settingskeys.h"
#include "settings/settingswriter.h"
#include "shell/clickablelabel.h"
#include "shell/helpviewer.h"
#include "shell/messagepresenter.h"
#include "shell/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <filesystem>

namespace hangardeck::gui {

using core::CheckChange;
using core::WindowGeometryTwips;

namespace {

constexpr int ClientWidthTwips = 8985;
constexpr int ClientHeightTwips = 6420;
constexpr qreal DesignFontPoints = 8;

// A scan shorter than this shows no progress; after it the bar repaints at most this often.
constexpr qint64 ProgressDelayMs = 500;
constexpr qint64 ProgressIntervalMs = 50;

// Window coordinates beyond what the window system can hold are refused like any value a
// control refuses: the step is skipped.
constexpr float MaxWindowCoordinatePixels = 32767;

const QString &programVersionText()
{
    static const QString text = QStringLiteral("%1.%2.%3")
                                    .arg(HANGARDECK_VERSION_MAJOR)
                                    .arg(HANGARDECK_VERSION_MINOR)
                                    .arg(HANGARDECK_VERSION_PATCH);
    return text;
}

QFont fixedFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

QFont boldFont(const QWidget *widget, std::optional<qreal> pointSize = std::nullopt)
{
    QFont font = widget->font();
    font.setBold(true);
    if (pointSize) {
        font.setPointSizeF(*pointSize);
    }
    return font;
}

// Restores the normal mouse pointer however the scan ends.
class WaitCursor final
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(WaitCursor)
};

std::optional<int> pixelsOf(std::optional<float> twips)
{
    if (!twips) {
        return std::nullopt;
    }
    const float pixels = *twips / TwipsPerPixel;
    if (std::abs(pixels) > MaxWindowCoordinatePixels) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(pixels));
}

} // namespace

MainWindow::MainWindow(const QString &programFolder, MessagePresenter *presenter, QWidget *parent)
    : QMainWindow(parent)
    , m_programFolder(programFolder)
    , m_presenter(presenter)
{
    if (!m_presenter) {
        m_ownPresenter = std::make_unique<MessageBoxPresenter>();
        m_presenter = m_ownPresenter.get();
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

    // Creation order is stacking order: the picture and the labels over it lie lowest, so a
    // stretched list panel covers them, as the panels cover everything they overlap.
    buildLowerHalf(central);
    buildPanels(central);
    buildMenus();

    m_scanProgress = new QProgressBar(central);
    m_scanProgress->setObjectName(QStringLiteral("scanProgress"));
    m_scanProgress->setGeometry(twipsRect(6720, 6120, 2175, 255));
    m_scanProgress->setTextVisible(false);
    m_scanProgress->hide();

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &MainWindow::showHelp);

    resize(twipsToPixels(ClientWidthTwips), twipsToPixels(ClientHeightTwips) + menuBar()->sizeHint().height());

    loadSettings();
    m_label4->setText(QString::fromUtf16(ApplicationTitle) + QStringLiteral(" Version ") + programVersionText());
    m_label6->setText(QStringLiteral("Every add-on aircraft of Flight Simulator 2004, listed at a keystroke."));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLowerHalf(QWidget *central)
{
    m_img1 = new QLabel(central);
    m_img1->setObjectName(QStringLiteral("img1"));
    m_img1->setGeometry(twipsRect(0, 1920, 4695, 4095));
    m_img1->setAlignment(Qt::AlignCenter);

    m_label7 = new QLabel(QStringLiteral("-NO IMAGE- Images from your aircraft directory are displayed here when you "
                                         "click an aircraft. Double-click here when an image is displayed to open the "
                                         "picture in your default JPG or GIF editor."),
                          central);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setGeometry(twipsRect(240, 3480, 4335, 1935));
    m_label7->setWordWrap(true);
    m_label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_label10 = new QLabel(QStringLiteral("You're in S t r e t c h mode.  CTRL-L to unstretch"), central);
    m_label10->setObjectName(QStringLiteral("Label10"));
    m_label10->setGeometry(twipsRect(120, 3240, 8775, 1215));
    m_label10->setFont(boldFont(m_label10, 13.5));
    m_label10->setWordWrap(true);
    m_label10->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label10->hide();

    m_lstImageFiles = new QListWidget(central);
    m_lstImageFiles->setObjectName(QStringLiteral("lstImageFiles"));
    m_lstImageFiles->setGeometry(twipsRect(4800, 1920, 4095, 960));
    m_lstImageFiles->setFont(fixedFont());

    // The full paths behind the picture names; never shown.
    m_lstImages = new QListWidget(central);
    m_lstImages->setObjectName(QStringLiteral("lstImages"));
    m_lstImages->setGeometry(twipsRect(4800, 2040, 4095, 735));
    m_lstImages->setFont(fixedFont());
    m_lstImages->hide();

    m_text4 = new QTextEdit(central);
    m_text4->setObjectName(QStringLiteral("Text4"));
    m_text4->setGeometry(twipsRect(4800, 2880, 4095, 3135));
    m_text4->setAcceptRichText(false);

    m_hscroll1 = new QScrollBar(Qt::Horizontal, central);
    m_hscroll1->setObjectName(QStringLiteral("HScroll1"));
    m_hscroll1->setGeometry(twipsRect(8040, 2880, 495, 255));
    m_hscroll1->setRange(0, 32767);
    m_hscroll1->setSingleStep(1);
    m_hscroll1->setPageStep(1);

    m_label3 = new ClickableLabel(central);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setText(QStringLiteral("Set Aircraft Directory Before Making List"));
    m_label3->setGeometry(twipsRect(120, 6120, 6495, 255));
    m_label3->setFont(boldFont(m_label3));
    m_label3->setStyleSheet(QStringLiteral("color: blue;"));
    m_label3->setCursor(Qt::PointingHandCursor);
    connect(m_label3, &ClickableLabel::clicked, this, [this] { showPanel(0); });

    m_label5 = new QLabel(QStringLiteral("0 Aircraft Listed"), central);
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->setGeometry(twipsRect(6720, 6120, 2175, 255));
}

void MainWindow::buildPanels(QWidget *central)
{
    m_directoryPanel = new DirectoryPickerPanel(central);
    m_formatPanel = new DataFormatPanel(central);
    auto *helpPanel = new QGroupBox(central);
    m_fieldListsPanel = new FieldListsPanel(central);
    auto *listPanel = new QGroupBox(central);
    m_panels = {m_directoryPanel, nullptr, m_formatPanel, helpPanel, m_fieldListsPanel, listPanel};

    for (const int element : PanelElements) {
        QGroupBox *panel = m_panels[static_cast<std::size_t>(element)];
        panel->setObjectName(QStringLiteral("setframes_%1").arg(element));
        panel->setGeometry(twipsRect(0, 0, 8895, 1935));
    }

    buildHelpPanel(helpPanel);

    listPanel->setToolTip(QStringLiteral("CTRL-L to stretch list view"));
    m_list2 = new QListWidget(listPanel);
    m_list2->setObjectName(QStringLiteral("List2"));
    m_list2->setGeometry(twipsRect(75, 240, 8700, 1635));
    m_list2->setFont(fixedFont());
    m_list2->setToolTip(QStringLiteral("Double Click to open aircraft.cfg"));
    // The scan hands the rows over already sorted; letting the list sort them again would
    // only cost time on a large collection.
    m_list2->setUniformItemSizes(true);

    connect(m_directoryPanel->directoryList(), &DirectoryListBox::pathChanged, this,
            &MainWindow::onDirectoryChanged);
    connect(m_fieldListsPanel, &FieldListsPanel::leadFieldChosen, this, &MainWindow::onLeadFieldChosen);
}

void MainWindow::buildHelpPanel(QGroupBox *panel)
{
    m_label4 = new QLabel(panel);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->setGeometry(twipsRect(1560, 240, 6015, 255));

    m_label6 = new QLabel(panel);
    m_label6->setObjectName(QStringLiteral("Label6"));
    m_label6->setGeometry(twipsRect(1560, 600, 6015, 255));

    m_text3 = new QLineEdit(QStringLiteral(HANGARDECK_WEB_ADDRESS), panel);
    m_text3->setObjectName(QStringLiteral("Text3"));
    m_text3->setGeometry(twipsRect(1560, 960, 6015, 375));
    m_text3->setReadOnly(true);
    m_text3->setStyleSheet(QStringLiteral("QLineEdit { color: blue; background-color: #C0C0C0; }"));
    m_text3->setCursor(Qt::PointingHandCursor);
    m_text3->setToolTip(QStringLiteral("Click to open the HANGARDECK web page"));
    m_text3->installEventFilter(this);

    m_command4 = new QPushButton(QStringLiteral("Help (F1)"), panel);
    m_command4->setObjectName(QStringLiteral("Command4"));
    m_command4->setGeometry(twipsRect(7440, 1440, 1215, 375));
    connect(m_command4, &QPushButton::clicked, this, &MainWindow::showHelp);
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    const auto addItem = [this](QWidget *menu, const char *name, const QString &caption,
                                const QKeySequence &shortcut = {}) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        menu->addAction(action);
        return action;
    };

    QMenu *fileMenu = bar->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    // Saving and reopening the list arrive with the saved-list stage; the items are inert.
    addItem(fileMenu, "mnuSave", QStringLiteral("&Save List to File"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(fileMenu, "mnuOpen", QStringLiteral("&Open Saved List File from Disk"), QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction *defaults = addItem(fileMenu, "mnuDefaults", QStringLiteral("&Set Default Settings"));
    connect(defaults, &QAction::triggered, this, &MainWindow::resetToDefaults);
    QAction *exitItem = addItem(fileMenu, "mnuExit", QStringLiteral("E&xit ALT+F4"));
    connect(exitItem, &QAction::triggered, this, [this] { showPanel(9); });

    QAction *pathItem = addItem(bar, "menuApath", QStringLiteral("Aircraft &Path"));
    connect(pathItem, &QAction::triggered, this, [this] { showPanel(0); });
    QAction *formatItem = addItem(bar, "mnuFormat", QStringLiteral("&Data Format"));
    connect(formatItem, &QAction::triggered, this, [this] { showPanel(1); });
    QAction *fieldsItem = addItem(bar, "mnuFields", QStringLiteral("&Fields"));
    connect(fieldsItem, &QAction::triggered, this, [this] { showPanel(4); });

    QMenu *listMenu = bar->addMenu(QStringLiteral("&Aircraft List"));
    listMenu->setObjectName(QStringLiteral("mnulst"));
    listMenu->menuAction()->setObjectName(QStringLiteral("mnulstAction"));
    // Opening the menu shows the list, whatever is chosen from it afterwards.
    connect(listMenu, &QMenu::aboutToShow, this, [this] { showPanel(5); });
    QAction *generate = addItem(listMenu, "mnuGenerate", QStringLiteral("&Generate List"), QKeySequence(Qt::Key_F5));
    connect(generate, &QAction::triggered, this, &MainWindow::generateList);
    m_mnuFSX = addItem(listMenu, "mnuFSX", QStringLiteral("&List Extra Fltsim.x also"));
    m_mnuFSX->setCheckable(true);
    connect(m_mnuFSX, &QAction::triggered, this, &MainWindow::onExtendedModeTriggered);
    addItem(listMenu, "mnuViewGen", QStringLiteral("&View Generated List"), QKeySequence(Qt::CTRL | Qt::Key_G));
    QAction *stretch = addItem(listMenu, "mnuStretch", QStringLiteral("&Stretch/Unstretch List View"),
                               QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(stretch, &QAction::triggered, this, &MainWindow::toggleStretch);
    addItem(listMenu, "mnuCancel", QStringLiteral("&Cancel"));

    QAction *helpItem = addItem(bar, "mnuhelp", QStringLiteral("&Help/About"));
    connect(helpItem, &QAction::triggered, this, [this] { showPanel(3); });
}

QGroupBox *MainWindow::panel(int element) const
{
    if (!core::isPanelElement(element)) {
        return nullptr;
    }
    return m_panels[static_cast<std::size_t>(element)];
}

void MainWindow::showPanel(int selector)
{
    std::optional<int> shown;
    switch (selector) {
    case 0:
        shown = 0;
        break;
    case 1:
        shown = 2;
        break;
    case 2:
        break;
    case 3:
    case 4:
    case 5:
        shown = selector;
        break;
    case 9:
        close();
        return;
    default:
        return;
    }
    for (const int element : PanelElements) {
        m_panels[static_cast<std::size_t>(element)]->setVisible(shown == element);
    }
}

bool MainWindow::isStretched() const
{
    return m_label5->isHidden();
}

QString MainWindow::settingsFilePath() const
{
    return core::settingsFilePath(m_programFolder);
}

QString MainWindow::helpFilePath() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("hangardeck-help.html"));
}

void MainWindow::showMessage(const QString &text)
{
    m_presenter->showMessage(this, text);
}

void MainWindow::generateList()
{
    if (m_scanning) {
        return;
    }

    core::FormatSettings settings;
    m_formatPanel->captureInto(settings);
    // With no button selected the lead field of the previous scan stays.
    if (const std::optional<int> lead = m_fieldListsPanel->selectedLeadField()) {
        m_lastLeadField = static_cast<core::LeadField>(*lead);
    }
    settings.leadField = m_lastLeadField;

    DirectoryListBox *dir1 = m_directoryPanel->directoryList();
    m_curpath = dir1->path();

    m_fieldListsPanel->manufacturerList()->clear();
    m_fieldListsPanel->typeList()->clear();
    m_fieldListsPanel->titleList()->clear();
    m_fieldListsPanel->subdirList()->clear();
    m_list2->clear();
    dir1->refresh();

    const WaitCursor waitCursor;
    m_scanning = true;
    QElapsedTimer clock;
    clock.start();
    qint64 lastPaintMs = -ProgressIntervalMs;
    const auto progress = [&](int foldersDone, int foldersTotal) {
        const qint64 now = clock.elapsed();
        if (now >= ProgressDelayMs && now - lastPaintMs >= ProgressIntervalMs) {
            lastPaintMs = now;
            m_scanProgress->setRange(0, foldersTotal);
            m_scanProgress->setValue(foldersDone);
            if (m_scanProgress->isHidden()) {
                m_scanProgress->show();
                m_scanProgress->raise();
            }
            // Repaint only: keys and clicks wait until the scan is over.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return !m_closeRequested;
    };
    m_lastScan = core::CatalogueScanner::scan(dir1->nativePath(), m_mnuFSX->isChecked(), settings, progress);
    if (!m_scanProgress->isHidden()) {
        // Filling a long list takes a moment of its own; the bar shows the reading done.
        m_scanProgress->setValue(m_scanProgress->maximum());
        m_scanProgress->repaint();
    }

    m_fieldListsPanel->manufacturerList()->addItems(m_lastScan.manufacturers());
    m_fieldListsPanel->typeList()->addItems(m_lastScan.types());
    m_fieldListsPanel->titleList()->addItems(m_lastScan.titles());
    m_fieldListsPanel->subdirList()->addItems(m_lastScan.subdirs());
    m_list2->addItems(m_lastScan.rows);
    m_scanProgress->hide();
    m_scanning = false;

    m_label5->setText(core::aircraftCountText(m_list2->count()));
    m_list2->setFocus();
    if (m_list2->count() > 0) {
        m_list2->setCurrentRow(0);
    }

    // A close asked for while the scan ran was held back until the lists were whole.
    if (m_closeRequested) {
        m_closeRequested = false;
        close();
    }
}

void MainWindow::onExtendedModeTriggered(bool checked)
{
    if (m_loadingSettings) {
        // The menu toggles its own check mark; while settings load, the click must not count.
        const QSignalBlocker blocker(m_mnuFSX);
        m_mnuFSX->setChecked(!checked);
        return;
    }
    // Switching on lists every entry at once; switching off waits for the next scan.
    if (checked) {
        generateList();
    }
}

void MainWindow::onLeadFieldChosen(int index)
{
    if (index == static_cast<int>(core::LeadField::Subdir)) {
        showMessage(QStringLiteral("The following is not available when subdir is NOT last field.\n"
                                   "Image Browsing\n"
                                   "Opening Aircraft.cfg w/double clicking\n"
                                   "Viewing extended details."));
    }
}

void MainWindow::onDirectoryChanged(const QString &path)
{
    m_label3->setText(path);
}

void MainWindow::toggleStretch()
{
    QGroupBox *listPanel = m_panels[5];
    const int statusHeight = m_label5->height();
    if (!isStretched()) {
        m_frameHeight = m_panels[0]->height();
        m_listHeight = m_list2->height();
        // The outer height, title bar and menu included: the panel may reach below the
        // client area, which is harmless since it is clipped there.
        const int panelHeight = frameGeometry().height() - 2 * statusHeight;
        if (panelHeight > 0) {
            listPanel->resize(listPanel->width(), panelHeight);
        }
        const int listHeight = listPanel->height() - statusHeight;
        if (listHeight > 0) {
            m_list2->resize(m_list2->width(), listHeight);
        }
        m_img1->hide();
        m_label10->show();
        m_lstImageFiles->hide();
        m_text4->hide();
        m_hscroll1->hide();
        m_label3->hide();
        m_label5->hide();
    } else {
        listPanel->resize(listPanel->width(), m_frameHeight);
        m_list2->resize(m_list2->width(), m_listHeight);
        m_label10->hide();
        m_img1->show();
        m_lstImageFiles->show();
        m_text4->show();
        m_hscroll1->show();
        m_label3->show();
        m_label5->show();
    }
}

void MainWindow::showHelp()
{
    if (!m_helpViewer) {
        m_helpViewer = new HelpViewer(this);
    }
    m_helpViewer->showPage(helpFilePath());
}

void MainWindow::openWebPage()
{
    // Nothing is reported when no browser takes the address.
    QDesktopServices::openUrl(QUrl(m_text3->text().trimmed()));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text3 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        openWebPage();
    }
    return QMainWindow::eventFilter(watched, event);
}

WindowGeometryTwips MainWindow::outerGeometryTwips() const
{
    const QRect frame = frameGeometry();
    WindowGeometryTwips geometry;
    geometry.top = static_cast<float>(frame.y() * TwipsPerPixel);
    geometry.left = static_cast<float>(frame.x() * TwipsPerPixel);
    geometry.height = static_cast<float>(frame.height() * TwipsPerPixel);
    geometry.width = static_cast<float>(frame.width() * TwipsPerPixel);
    return geometry;
}

void MainWindow::centreOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect screenRect = screen->geometry();
    const WindowGeometryTwips current = outerGeometryTwips();
    const WindowGeometryTwips centred = core::centredGeometry(
        static_cast<float>(screenRect.height() * TwipsPerPixel), static_cast<float>(screenRect.width() * TwipsPerPixel),
        current.height, current.width);
    move(static_cast<int>(std::lround(centred.left / TwipsPerPixel)),
         static_cast<int>(std::lround(centred.top / TwipsPerPixel)));
}

void MainWindow::loadSettings()
{
    const QString iniPath = settingsFilePath();
    const QString marker =
        core::Profile::fromFile(std::filesystem::path(iniPath.toStdU16String()))
            .settingsValue(core::SettingsSection, core::settingskey::sheep);
    centreOnScreen();
    m_directoryPanel->directoryList()->setPath(core::defaultAircraftDirectory());
    m_curpath = QStringLiteral("Z");
    showPanel(0);

    if (core::isFirstRun(marker)) {
        core::SettingsWriter(iniPath).writeFirstRun(outerGeometryTwips());
        showMessage(QStringLiteral("Welcome to HANGARDECK%1.%2\nPlease make sure you set/verify your TOP LEVEL "
                                   "\\Aircraft directory.")
                        .arg(HANGARDECK_VERSION_MAJOR)
                        .arg(HANGARDECK_VERSION_MINOR));
    }

    const core::StoredSettings stored =
        core::StoredSettings::fromProfile(core::Profile::fromFile(std::filesystem::path(iniPath.toStdU16String())));
    applyStoredSettings(stored);
    applyStoredGeometry(stored);
}

void MainWindow::applyStoredSettings(const core::StoredSettings &stored)
{
    // A directory that does not exist leaves the folder list where it is.
    m_directoryPanel->directoryList()->setPath(stored.aircraftDirectory);

    // A value outside a scroll bar's range is refused, not clamped.
    const auto setScrollValue = [](QScrollBar *bar, std::optional<int> value) {
        if (value && *value >= bar->minimum() && *value <= bar->maximum()) {
            bar->setValue(*value);
        }
    };
    setScrollValue(m_formatPanel->widthScrollBar(), stored.fieldWidthChars);
    setScrollValue(m_formatPanel->paddingScrollBar(), stored.paddingCount);

    if (stored.actualWidth != CheckChange::Keep) {
        m_formatPanel->actualWidthBox()->setChecked(stored.actualWidth == CheckChange::Check);
    }
    m_formatPanel->delimiterEdit()->setText(stored.delimiter);
    m_formatPanel->terminatorEdit()->setText(stored.terminator);

    if (stored.leadField && core::isLeadFieldIndex(*stored.leadField)) {
        m_fieldListsPanel->selectLeadField(*stored.leadField);
    }

    m_loadingSettings = true;
    if (stored.extendedMode != CheckChange::Keep) {
        m_mnuFSX->setChecked(stored.extendedMode == CheckChange::Check);
    }
    m_loadingSettings = false;

    showPanel(2);
    if (stored.frame && core::isPanelElement(*stored.frame)) {
        m_panels[static_cast<std::size_t>(*stored.frame)]->show();
    }
}

void MainWindow::applyStoredGeometry(const core::StoredSettings &stored)
{
    QPoint position = pos();
    if (const std::optional<int> top = pixelsOf(stored.topTwips)) {
        position.setY(*top);
    }
    if (const std::optional<int> left = pixelsOf(stored.leftTwips)) {
        position.setX(*left);
    }
    move(position);

    // A size the window cannot take (none at all, or a negative one) is refused.
    QSize outer = frameGeometry().size();
    if (const std::optional<int> height = pixelsOf(stored.heightTwips); height && *height > 0) {
        outer.setHeight(*height);
    }
    if (const std::optional<int> width = pixelsOf(stored.widthTwips); width && *width > 0) {
        outer.setWidth(*width);
    }
    m_pendingOuterSize = outer;
    applyPendingOuterSize();
}

void MainWindow::applyPendingOuterSize()
{
    if (!m_pendingOuterSize) {
        return;
    }
    // The settings hold the outer size; the frame is only known once the window is shown.
    const QSize frameExtra = frameGeometry().size() - size();
    resize((*m_pendingOuterSize - frameExtra).expandedTo(QSize(1, 1)));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        QTimer::singleShot(0, this, [this] {
            applyPendingOuterSize();
            m_pendingOuterSize.reset();
        });
    }
}

void MainWindow::saveSettings()
{
    core::ClosingState state;
    state.aircraftDirectory = m_directoryPanel->directoryList()->path();
    state.fieldWidthText = m_formatPanel->widthLabel()->text();
    state.paddingText = m_formatPanel->paddingLabel()->text();
    state.actualWidthState = m_formatPanel->actualWidthBox()->isChecked() ? 1 : 0;
    state.delimiter = m_formatPanel->delimiterEdit()->text();
    state.terminator = m_formatPanel->terminatorEdit()->text();
    state.leadField = m_fieldListsPanel->selectedLeadField();
    state.extendedMode = m_mnuFSX->isChecked();
    // The last visible panel in element order is the one kept.
    for (const int element : PanelElements) {
        if (!m_panels[static_cast<std::size_t>(element)]->isHidden()) {
            state.frame = element;
        }
    }
    state.geometry = outerGeometryTwips();
    core::SettingsWriter(settingsFilePath()).writeClosing(state);
}

void MainWindow::resetToDefaults()
{
    centreOnScreen();
    const WindowGeometryTwips centred = outerGeometryTwips();
    core::SettingsWriter(settingsFilePath()).writeReset(centred.top, centred.left);
    showMessage(QStringLiteral("Set defaults done, exiting. . . please restart HANGARDECK"));
    m_endWithoutSave = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_scanning) {
        // Finish the scan's bookkeeping first; generateList closes once it is done.
        m_closeRequested = true;
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
    event->accept();
}

} // namespace hangardeck::gui
