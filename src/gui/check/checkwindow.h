// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_CHECKWINDOW_H
#define HANGARDECK_GUI_CHECKWINDOW_H

#include "core/check/checkreport.h"
#include "core/check/collectioncheck.h"

#include <QWidget>

#include <filesystem>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableView;
class QThread;
class QTimer;

namespace hangardeck::gui {

class CheckRun;
class FindingStore;
class FindingsModel;
class Launcher;

// "Check Collection": the findings of a check of the Aircraft directory in a table, a count
// per kind that also picks the kind shown, a text filter, and the scan report above them. The
// check runs on threads of its own; the window and the main window stay usable meanwhile.
class CheckWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CheckWindow)

public:
    // launcher opens aircraft.cfg files (Enter on a finding).
    explicit CheckWindow(Launcher *launcher, QWidget *parent = nullptr);
    ~CheckWindow() override;

    // Checks the directory, every listed [fltsim.N] when extended, else [fltsim.0] only; a
    // check still running stops first.
    void check(const std::filesystem::path &aircraftDir, bool extended);
    const std::filesystem::path &directory() const { return m_directory; }
    bool isExtended() const { return m_extended; }
    bool isRunning() const { return m_run != nullptr; }

    // Writes the findings of the last whole check to file as hangardeck-cli check prints
    // them, on a thread of its own; the status line says how it went.
    void saveReport(const std::filesystem::path &file, core::CheckReportFormat format);

Q_SIGNALS:
    // A finding was double-clicked: show the variation's row in the list.
    void entryRequested(const std::filesystem::path &aircraftDir, const QString &subdir, int entry);
    // A check ended, whole or cancelled, every finding of it in the table.
    void checkFinished();
    // A report was written, or failed (the status line says why).
    void reportSaved(bool ok);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restart();
    void onFindings(const std::shared_ptr<FindingStore> &batch, int foldersDone, int foldersTotal);
    void onFinished(const core::CheckSummary &summary);
    void showCounts();
    void applyFilter();
    void chooseReportFile();
    void requestEntry(const QModelIndex &index);
    void openAircraftCfg(const QModelIndex &index);

    Launcher *m_launcher;
    FindingsModel *m_model = nullptr;
    QLabel *m_report = nullptr;
    QCheckBox *m_thumbnails = nullptr;
    QPushButton *m_again = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancel = nullptr;
    QListWidget *m_kinds = nullptr;
    QLineEdit *m_filter = nullptr;
    QTimer *m_filterDelay = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_save = nullptr;

    std::filesystem::path m_directory;
    bool m_extended = false;
    std::unique_ptr<CheckRun> m_run;
    std::optional<core::CheckSummary> m_summary; // of the last whole check
    int m_foldersDone = 0;                       // of the check running or last run
    QThread *m_saving = nullptr;
    QString m_reportFolder; // where the last report went
};

} // namespace hangardeck::gui

#endif
