// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_CHECKRUN_H
#define HANGARDECK_GUI_CHECKRUN_H

#include "core/check/collectioncheck.h"

#include <QObject>

#include <atomic>
#include <filesystem>
#include <memory>

class QThread;

namespace hangardeck::gui {

class FindingStore;

// One check of an Aircraft directory on a thread of its own, which leads the scan's reader
// threads; the findings reach the interface thread in batches a few times a second, so that
// the window stays responsive however many there are.
class CheckRun final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CheckRun)

public:
    CheckRun(std::filesystem::path aircraftDir, core::CheckScope scope, QObject *parent = nullptr);
    // Stops the check and waits for its threads.
    ~CheckRun() override;

    void start();
    // Asks the check to stop after the folder it is on; finished follows.
    void cancel() { m_stop = true; }

Q_SIGNALS:
    // The next findings in report order, and how far the check is.
    void findingsArrived(const std::shared_ptr<FindingStore> &batch, int foldersDone, int foldersTotal);
    // The check is over, whole or stopped (summary.stopped); every batch came before this.
    void finished(const core::CheckSummary &summary);

private:
    void run();

    std::filesystem::path m_aircraftDir;
    core::CheckScope m_scope;
    std::atomic<bool> m_stop{false};
    QThread *m_thread = nullptr;
};

} // namespace hangardeck::gui

#endif
