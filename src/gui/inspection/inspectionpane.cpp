// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/inspection/inspectionpane.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/inspection/detailstext.h"
#include "core/inspection/entryrange.h"
#include "core/inspection/picturewalk.h"
#include "core/inspection/rowfolderrule.h"
#include "core/platform/nativepath.h"
#include "core/platform/regularfile.h"
#include "gui/shell/launcher.h"
#include "gui/shell/twips.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextEdit>

#include <utility>

namespace hangardeck::gui {

namespace fs = std::filesystem;

namespace {

// The pane's own place on the window; its controls are placed relative to it.
constexpr int TopTwips = 1920;
// A picture file larger than this is not shown: no add-on ships one, and reading it whole
// would hold the window.
constexpr qsizetype MaxPictureBytes = 64 * 1024 * 1024;
constexpr int PathRole = Qt::UserRole;

QRect placeInPane(int left, int top, int width, int height)
{
    return twipsRect(left, top - TopTwips, width, height);
}

// Text4 shows the details text's lines; the description's own carriage return, which stands
// just before the line end, is not drawn as a line of its own.
QString shownText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).remove(u'\r');
}

} // namespace

InspectionPane::InspectionPane(Launcher *launcher, AircraftDirectory aircraftDirectory, QWidget *parent)
    : QWidget(parent),
      m_launcher(launcher),
      m_aircraftDirectory(std::move(aircraftDirectory))
{
    setObjectName(QStringLiteral("inspectionPane"));
    setGeometry(twipsRect(0, TopTwips, 8895, 4095));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    m_img1 = new QLabel(this);
    m_img1->setObjectName(QStringLiteral("img1"));
    m_img1->setGeometry(placeInPane(0, 1920, 4695, 4095));
    m_img1->setAlignment(Qt::AlignCenter);
    m_img1->installEventFilter(this);

    m_label7 = new QLabel(QStringLiteral("-NO IMAGE- Images from your aircraft directory are displayed here when you "
                                         "click an aircraft. Double-click here when an image is displayed to open the "
                                         "picture in your default JPG or GIF editor."),
                          this);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setGeometry(placeInPane(240, 3480, 4335, 1935));
    m_label7->setWordWrap(true);
    m_label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_lstImageFiles = new QListWidget(this);
    m_lstImageFiles->setObjectName(QStringLiteral("lstImageFiles"));
    m_lstImageFiles->setGeometry(placeInPane(4800, 1920, 4095, 960));
    m_lstImageFiles->setFont(fixed);

    // The full paths behind the picture names; never shown.
    m_lstImages = new QListWidget(this);
    m_lstImages->setObjectName(QStringLiteral("lstImages"));
    m_lstImages->setGeometry(placeInPane(4800, 2040, 4095, 735));
    m_lstImages->setFont(fixed);
    m_lstImages->hide();

    m_text4 = new QTextEdit(this);
    m_text4->setObjectName(QStringLiteral("Text4"));
    m_text4->setGeometry(placeInPane(4800, 2880, 4095, 3135));
    m_text4->setAcceptRichText(false);
    m_text4->setTabChangesFocus(true); // the details are read, not typed into: Tab moves on

    m_hscroll1 = new QScrollBar(Qt::Horizontal, this);
    m_hscroll1->setObjectName(QStringLiteral("HScroll1"));
    m_hscroll1->setGeometry(placeInPane(8040, 2880, 495, 255));
    m_hscroll1->setRange(0, 32767);
    m_hscroll1->setSingleStep(1);
    m_hscroll1->setPageStep(1);
    m_hscroll1->setFocusPolicy(Qt::StrongFocus); // Tab reaches the stepper; the arrows step
    m_hscroll1->installEventFilter(this);

    connect(m_lstImageFiles, &QListWidget::currentRowChanged, m_lstImages,
            [this](int row) { m_lstImages->setCurrentRow(row); });
    connect(m_lstImages, &QListWidget::currentRowChanged, this, &InspectionPane::showPicture);
    connect(m_hscroll1, &QScrollBar::valueChanged, this, &InspectionPane::onStep);
}

void InspectionPane::setStretched(bool stretched)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_img1), static_cast<QWidget *>(m_lstImageFiles),
                            static_cast<QWidget *>(m_text4), static_cast<QWidget *>(m_hscroll1)}) {
        widget->setHidden(stretched);
    }
}

void InspectionPane::setListPath(const QString &path)
{
    m_curpath = path.isEmpty() ? QStringLiteral("Z") : path;
}

// The row's folder below the aircraft directory as it is now. A row without a backslash
// keeps the folder inspected before; before any, there is none.
std::optional<fs::path> InspectionPane::folderOf(const QString &row, const std::optional<core::ListedEntry> &entry)
{
    if (const std::optional<QString> folder = core::rowFolder(row)) {
        m_curpath = *folder;
        const bool agrees =
            entry && entry->subdir == *folder && core::rowEntryText(row) == QString::number(entry->fltsimIndex);
        m_folderName = agrees ? std::optional(entry->folderName) : std::nullopt;
    }
    if (!m_curpath.startsWith(u'\\')) {
        return std::nullopt;
    }
    return m_aircraftDirectory() / (m_folderName ? fs::path(*m_folderName) : core::toNativePath(m_curpath.mid(1)));
}

void InspectionPane::inspectRow(const QString &row, const std::optional<core::ListedEntry> &entry)
{
    m_row = row;
    m_entry = entry;
    const std::optional<fs::path> folder = folderOf(row, entry);
    listPictures(folder.value_or(fs::path()));
    if (m_curpath == u"Z") {
        Q_EMIT nothingSelected();
        return;
    }
    showEntry(folder, core::rowEntryText(row).value_or(QStringLiteral("0")));
    if (m_lstImageFiles->count() > 0) {
        m_lstImageFiles->setCurrentRow(0);
        m_label7->hide();
    } else {
        m_label7->show();
        m_img1->clear();
        m_img1->repaint();
    }
}

void InspectionPane::openAircraftCfg(const QString &row, const std::optional<core::ListedEntry> &entry)
{
    if (m_curpath == u"Z") {
        return;
    }
    if (const std::optional<fs::path> folder = folderOf(row, entry)) {
        m_launcher->openFile(core::fromNativePath(core::aircraftConfigPath(*folder)));
    }
}

void InspectionPane::listPictures(const fs::path &folder)
{
    m_lstImages->clear();
    m_lstImageFiles->clear();
    if (folder.empty()) {
        return;
    }
    for (const core::PictureFile &picture : core::findPictures(folder)) {
        auto *path = new QListWidgetItem(core::fromNativePath(picture.path), m_lstImages);
        path->setData(PathRole, QVariant::fromValue(picture.path));
        m_lstImageFiles->addItem(picture.name);
    }
}

// Decoded at the size it is shown: a photo of 4000 x 3000 pixels is not decoded whole to be
// shrunk afterwards. A picture that cannot be decoded shows the notice, never the picture of
// the aircraft before.
void InspectionPane::showPicture(int index)
{
    const QListWidgetItem *item = m_lstImages->item(index);
    if (!item) {
        return;
    }
    // Never blocks on a FIFO or a device named like a picture.
    QByteArray bytes = core::readRegularFile(item->data(PathRole).value<fs::path>(), MaxPictureBytes).bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid()) {
        reader.setScaledSize(size.scaled(m_img1->size(), Qt::KeepAspectRatio));
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        m_img1->clear();
        m_label7->show();
        return;
    }
    m_img1->setPixmap(QPixmap::fromImage(image));
    m_label7->hide();
}

void InspectionPane::showEntry(const std::optional<fs::path> &folder, const QString &entryText)
{
    const core::Profile profile = folder ? core::readAircraftConfig(*folder).profile : core::Profile();
    m_text4->setPlainText(shownText(core::detailsText(core::entryDetails(profile, entryText))));
}

// The stepper shows entry v of the aircraft of the row inspected last; past the last entry
// it says so and goes back to entry 0, which shows entry 0 at once.
void InspectionPane::onStep(int value)
{
    const std::optional<fs::path> folder = folderOf(m_row, m_entry);
    const core::Profile profile = folder ? core::readAircraftConfig(*folder).profile : core::Profile();
    const int end = core::endOfEntries(profile);
    if (value > end) {
        m_text4->setPlainText(core::lastEntryMessage(end));
        m_hscroll1->setValue(0);
        return;
    }
    m_text4->setPlainText(shownText(core::detailsText(core::entryDetails(profile, QString::number(value)))));
}

bool InspectionPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_hscroll1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            m_hscroll1->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                           : QAbstractSlider::SliderSingleStepSub);
            return true;
        }
    }
    // A double-click ends with a second release: the picture opens once for it, as for a click.
    if (watched == m_img1 && event->type() == QEvent::MouseButtonDblClick) {
        m_releaseEndsDoubleClick = true;
    }
    if (watched == m_img1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const bool second = std::exchange(m_releaseEndsDoubleClick, false);
        const QListWidgetItem *item = m_lstImages->currentItem();
        // Only a picture on show opens: not one that could not be decoded.
        if (!second && item && !m_img1->pixmap().isNull()) {
            m_launcher->openFile(item->text());
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace hangardeck::gui
