// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/scanrunner.h"

#include "gui/shell/statusline.h"

#include <QApplication>
#include <QElapsedTimer>

namespace hangardeck::gui {

namespace {

// The progress bar repaints at most this often.
constexpr qint64 ProgressIntervalMs = 50;

// Restores the normal mouse pointer however the scan ends.
class WaitCursor final
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(WaitCursor)
};

} // namespace

ScanRunner::ScanRunner(StatusLine *statusLine, QObject *parent, qint64 progressDelayMs)
    : QObject(parent),
      m_statusLine(statusLine),
      m_progressDelayMs(progressDelayMs)
{
}

ScanOutcome ScanRunner::run(const std::filesystem::path &aircraftDir, bool extended,
                            const core::FormatSettings &settings)
{
    const WaitCursor waitCursor;
    m_running = true;
    QElapsedTimer clock;
    clock.start();
    qint64 lastPaintMs = -ProgressIntervalMs;
    bool progressShown = false;
    const auto progress = [&](int foldersDone, int foldersTotal) {
        const qint64 now = clock.elapsed();
        if (now >= m_progressDelayMs && now - lastPaintMs >= ProgressIntervalMs) {
            lastPaintMs = now;
            m_statusLine->showProgress(foldersDone, foldersTotal);
            progressShown = true;
            // Repaint only; a close request from the window manager still gets through.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return !m_closeHeld;
    };

    ScanOutcome outcome;
    outcome.folders = core::listSubfolders(aircraftDir);
    outcome.scan = core::scanFolders(outcome.folders, extended, settings, progress);
    if (progressShown) {
        // Filling a long list takes a moment of its own; the bar shows the reading done.
        m_statusLine->showProgress(int(outcome.folders.size()), int(outcome.folders.size()));
    }
    m_running = false;
    return outcome;
}

} // namespace hangardeck::gui
