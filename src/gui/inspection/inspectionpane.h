// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_INSPECTIONPANE_H
#define HANGARDECK_GUI_INSPECTIONPANE_H

#include "core/catalogue/catalogueentry.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QImage;
class QLabel;
class QListWidget;
class QScrollBar;
class QTextEdit;

namespace hangardeck::core {
class LatestJobWorker;
struct PictureFile;
} // namespace hangardeck::core

namespace hangardeck::gui {

class Launcher;

// The lower half of the main window, where the selected aircraft is shown: its picture
// (img1, with Label7 when there is none), the picture files (lstImageFiles, and the hidden
// lstImages with their paths), the extended details (Text4) and the entry stepper (HScroll1).
// The pictures are found and decoded on worker threads: the window answers while a link to a
// huge tree is walked, and what arrives for a row no longer selected is dropped.
class InspectionPane final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectionPane)

public:
    // The aircraft directory as it is now (Dir1's path): inspections read it afresh.
    using AircraftDirectory = std::function<std::filesystem::path()>;

    InspectionPane(Launcher *launcher, AircraftDirectory aircraftDirectory, QWidget *parent = nullptr);
    // Stops the picture walk and waits for it to see that.
    ~InspectionPane() override;

    // Stretch mode hides the picture, the file list, the details and the stepper; the
    // picture notice and the hidden path list are left as they are.
    void setStretched(bool stretched);

    // A list was generated from this directory, or (empty) none is any longer: the marker
    // the saved list and opening aircraft.cfg test.
    void setListPath(const QString &path);
    bool hasList() const { return m_curpath != u"Z"; }

    // The row-selection behaviour for a row of the generated list: the pictures below the
    // row's folder, and the details of the entry it lists. Where the row names the folder and
    // entry the list made it from (it does unless its layout hides them), that entry's folder
    // on disk is read, so a name that is not valid text opens too.
    void inspectRow(const QString &row, const std::optional<core::ListedEntry> &entry = std::nullopt);

    // The open behaviour: the row's aircraft.cfg in the desktop's editor; nothing before a
    // list exists.
    void openAircraftCfg(const QString &row, const std::optional<core::ListedEntry> &entry = std::nullopt);

Q_SIGNALS:
    // A row named no folder and no list exists: "Nothing selected".
    void nothingSelected();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<std::filesystem::path> folderOf(const QString &row, const std::optional<core::ListedEntry> &entry);
    struct PictureInbox;
    void listPictures(const std::filesystem::path &folder);
    void takePictures(quint64 walk, const std::shared_ptr<PictureInbox> &inbox);
    void endPictures(bool bounded);
    void showPicture(int index);
    void showDecoded(quint64 decode, const QString &path, const QImage &image);
    void clearPicture();
    void showEntry(const std::optional<std::filesystem::path> &folder, const QString &entryText);
    void onStep(int value);

    Launcher *m_launcher;
    AircraftDirectory m_aircraftDirectory;
    QLabel *m_img1 = nullptr;
    bool m_releaseEndsDoubleClick = false;
    QLabel *m_label7 = nullptr;
    QListWidget *m_lstImageFiles = nullptr;
    QListWidget *m_lstImages = nullptr;
    QTextEdit *m_text4 = nullptr;
    QScrollBar *m_hscroll1 = nullptr;

    std::unique_ptr<core::LatestJobWorker> m_walker;
    std::unique_ptr<core::LatestJobWorker> m_decoder;
    quint64 m_walk = 0;     // the walk whose pictures are wanted: each row's walk has a new number
    quint64 m_decode = 0;   // the same for the picture decoded
    QString m_shownPicture; // the path of the picture on show, which a click opens

    // "Z" until a list is generated; then the list's directory, then the folder text of the
    // last inspected row ("\b747").
    QString m_curpath = QStringLiteral("Z");
    // The folder's name on disk behind m_curpath, when the row named its entry's folder.
    std::optional<std::filesystem::path::string_type> m_folderName;
    QString m_row;                            // the row inspected last, which the stepper steps through
    std::optional<core::ListedEntry> m_entry; // and its entry
};

} // namespace hangardeck::gui

#endif
