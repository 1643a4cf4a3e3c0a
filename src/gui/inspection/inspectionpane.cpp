// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/inspection/inspectionpane.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/inspection/detailstext.h"
#include "core/inspection/entryrange.h"
#include "core/inspection/picturewalk.h"
#include "core/inspection/rowfolderrule.h"
#include "core/platform/nativepath.h"
#include "core/platform/parallel.h"
#include "core/platform/regularfile.h"
#include "gui/shell/fixedfont.h"
#include "gui/shell/launcher.h"
#include "gui/shell/twips.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextEdit>

#include <algorithm>
#include <mutex>
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
// The window takes at most this many found pictures into its lists at a time, then lets
// painting and input in before it takes more.
constexpr std::size_t PicturesPerTurn = 250;

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
      m_aircraftDirectory(std::move(aircraftDirectory)),
      m_walker(std::make_unique<core::LatestJobWorker>()),
      m_decoder(std::make_unique<core::LatestJobWorker>())
{
    setObjectName(QStringLiteral("inspectionPane"));
    setGeometry(twipsRect(0, TopTwips, 8895, 4095));
    const QFont fixed = fixedWidthFont();

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
    m_lstImageFiles->setUniformItemSizes(true); // thousands of names lay out at once

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

InspectionPane::~InspectionPane()
{
    // Before the widgets go: a job still running may yet post to them, and the posts die with
    // this object.
    m_walker.reset();
    m_decoder.reset();
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
    // The previous aircraft's picture goes now; the notice stays as it was until the walk
    // shows a picture or finds none, so that it does not blink between two aircraft.
    clearPicture();
}

void InspectionPane::openAircraftCfg(const QString &row, const std::optional<core::ListedEntry> &entry)
{
    if (m_curpath == u"Z") {
        return;
    }
    if (const std::optional<fs::path> folder = folderOf(row, entry)) {
        m_launcher->openTextFile(core::fromNativePath(core::aircraftConfigPath(*folder)));
    }
}

// What one walk found and the window has not yet taken. The walk only tells the window when
// nothing told is pending, so however fast it finds, the window is woken once per turn.
struct InspectionPane::PictureInbox {
    std::mutex mutex;
    std::vector<core::PictureFile> pictures;
    std::size_t taken = 0; // of pictures, already in the lists
    bool told = false;     // a call to take them is on its way
    bool ended = false;    // the walk came to its end
    bool bounded = false;  // and there were more than it lists
};

// Clears the lists and walks the folder on the walker's thread; the window takes the pictures
// as they come, a turn at a time, from an inbox of this walk's own, so that a later row's walk
// never mixes with it.
void InspectionPane::listPictures(const fs::path &folder)
{
    m_lstImages->clear();
    m_lstImageFiles->clear();
    const quint64 walk = ++m_walk;
    ++m_decode;
    m_decoder->stop();
    if (folder.empty()) {
        m_walker->stop();
        endPictures(false);
        return;
    }
    for (QWidget *widget :
         {static_cast<QWidget *>(m_img1), static_cast<QWidget *>(m_label7), static_cast<QWidget *>(m_lstImageFiles)}) {
        widget->setCursor(Qt::BusyCursor);
    }
    const auto inbox = std::make_shared<PictureInbox>();
    m_walker->run([this, walk, folder, inbox](std::stop_token stop) {
        // Called with the inbox locked.
        const auto tell = [&] {
            if (!std::exchange(inbox->told, true)) {
                QMetaObject::invokeMethod(
                    this, [this, walk, inbox] { takePictures(walk, inbox); }, Qt::QueuedConnection);
            }
        };
        core::PictureWalkCallbacks callbacks;
        callbacks.found = [&](core::PictureFile &&picture) {
            const std::lock_guard lock(inbox->mutex);
            inbox->pictures.push_back(std::move(picture));
            tell();
        };
        callbacks.entering = [&] { return !stop.stop_requested(); };
        const core::PictureWalkEnd end = core::walkPictures(folder, callbacks);
        if (end == core::PictureWalkEnd::Stopped) {
            return;
        }
        const std::lock_guard lock(inbox->mutex);
        inbox->ended = true;
        inbox->bounded = end == core::PictureWalkEnd::Bounded;
        tell();
    });
}

void InspectionPane::takePictures(quint64 walk, const std::shared_ptr<PictureInbox> &inbox)
{
    if (walk != m_walk) {
        return; // found for a row no longer selected
    }
    std::vector<core::PictureFile> turn;
    bool more = false;
    bool ended = false;
    bool bounded = false;
    {
        const std::lock_guard lock(inbox->mutex);
        const std::size_t count = std::min(PicturesPerTurn, inbox->pictures.size() - inbox->taken);
        const auto from = inbox->pictures.begin() + std::ptrdiff_t(inbox->taken);
        turn.assign(std::make_move_iterator(from), std::make_move_iterator(from + std::ptrdiff_t(count)));
        inbox->taken += count;
        more = inbox->taken < inbox->pictures.size();
        ended = inbox->ended && !more;
        bounded = inbox->bounded;
        inbox->told = more; // without more, the walk tells again once it finds some
    }
    const bool first = m_lstImageFiles->count() == 0;
    for (const core::PictureFile &picture : turn) {
        auto *path = new QListWidgetItem(core::fromNativePath(picture.path), m_lstImages);
        path->setData(PathRole, QVariant::fromValue(picture.path));
        m_lstImageFiles->addItem(picture.name);
    }
    if (first && m_lstImageFiles->count() > 0) {
        m_lstImageFiles->setCurrentRow(0);
    }
    if (more) {
        // Taken on the event loop's next turn, after the painting and input waiting there.
        QMetaObject::invokeMethod(
            this, [this, walk, inbox] { takePictures(walk, inbox); }, Qt::QueuedConnection);
    } else if (ended) {
        endPictures(bounded);
    }
}

void InspectionPane::endPictures(bool bounded)
{
    for (QWidget *widget :
         {static_cast<QWidget *>(m_img1), static_cast<QWidget *>(m_label7), static_cast<QWidget *>(m_lstImageFiles)}) {
        widget->unsetCursor();
    }
    if (bounded) {
        // A line that names no file, in both lists so that their items still pair up; it
        // cannot be selected.
        const QString notice = QStringLiteral("(only the first %1 pictures are listed)")
                                   .arg(QLocale(QLocale::English).toString(qulonglong(core::MaxListedPictures)));
        for (QListWidget *list : {m_lstImages, m_lstImageFiles}) {
            auto *item = new QListWidgetItem(list == m_lstImageFiles ? notice : QString(), list);
            item->setFlags(Qt::NoItemFlags);
        }
    }
    if (m_lstImageFiles->count() == 0) {
        m_label7->show();
        clearPicture();
    }
}

// Read through the regular-file reader and decoded on the decoder's thread at the size it is
// shown: a photo of 4000 x 3000 pixels is not decoded whole to be shrunk afterwards. A picture
// that cannot be decoded shows the notice, never the picture of the aircraft before.
void InspectionPane::showPicture(int index)
{
    const QListWidgetItem *item = m_lstImages->item(index);
    if (!item || !item->data(PathRole).isValid()) {
        return;
    }
    const quint64 decode = ++m_decode;
    const fs::path path = item->data(PathRole).value<fs::path>();
    const QString text = item->text();
    const QSize area = m_img1->size();
    m_decoder->run([this, decode, path, text, area](std::stop_token stop) {
        // Never blocks on a FIFO or a device named like a picture.
        QByteArray bytes = core::readRegularFile(path, MaxPictureBytes).bytes;
        if (stop.stop_requested()) {
            return;
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        const QSize size = reader.size();
        if (size.isValid()) {
            reader.setScaledSize(size.scaled(area, Qt::KeepAspectRatio));
        }
        const QImage image = reader.read();
        QMetaObject::invokeMethod(
            this, [this, decode, text, image] { showDecoded(decode, text, image); }, Qt::QueuedConnection);
    });
}

void InspectionPane::showDecoded(quint64 decode, const QString &path, const QImage &image)
{
    if (decode != m_decode) {
        return; // another picture or another row was chosen meanwhile
    }
    if (image.isNull()) {
        m_label7->show();
        clearPicture();
        return;
    }
    m_img1->setPixmap(QPixmap::fromImage(image));
    m_shownPicture = path;
    m_label7->hide();
}

void InspectionPane::clearPicture()
{
    m_img1->clear();
    m_shownPicture.clear();
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
        // Only a picture on show opens: not one that could not be decoded.
        if (!second && !m_shownPicture.isEmpty()) {
            m_launcher->openFile(m_shownPicture);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace hangardeck::gui
