// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_SCANRUNNER_H
#define HANGARDECK_GUI_SCANRUNNER_H

#include "core/catalogue/cataloguescanner.h"
#include "core/platform/directorylisting.h"

#include <QObject>

#include <filesystem>
#include <vector>

namespace hangardeck::gui {

class StatusLine;

// What one "Generate List" read: the aircraft directory's folders, and the catalogue.
struct ScanOutcome {
    std::vector<core::DirectoryEntry> folders;
    core::CatalogueScan scan;
};

// Runs the scan on the user-interface thread with the wait cursor. A long scan shows its
// progress on the status line, repainting only: keys and clicks wait
// until the scan is over. A close asked for meanwhile stops the reading and is held back
// until the lists are whole.
class ScanRunner final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScanRunner)

public:
    // A scan shorter than this shows no progress.
    static constexpr qint64 DefaultProgressDelayMs = 500;

    explicit ScanRunner(StatusLine *statusLine, QObject *parent = nullptr,
                        qint64 progressDelayMs = DefaultProgressDelayMs);

    // Lists the directory once and reads every aircraft folder in it.
    ScanOutcome run(const std::filesystem::path &aircraftDir, bool extended, const core::FormatSettings &settings);

    bool isRunning() const { return m_running; }

    // A close arrived during the scan: stop reading and remember it.
    void holdClose() { m_closeHeld = true; }
    // Whether a close was held back; forgets it.
    bool takeHeldClose() { return std::exchange(m_closeHeld, false); }

private:
    StatusLine *m_statusLine;
    qint64 m_progressDelayMs;
    bool m_running = false;
    bool m_closeHeld = false;
};

} // namespace hangardeck::gui

#endif
