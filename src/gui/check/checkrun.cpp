// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/check/checkrun.h"

#include "gui/check/findingstore.h"

#include <QElapsedTimer>
#include <QThread>

namespace hangardeck::gui {

namespace {

// Batches go to the window this often, or sooner when they grow this large.
constexpr qint64 BatchIntervalMs = 100;
constexpr qsizetype BatchFindings = 50000;

} // namespace

CheckRun::CheckRun(std::filesystem::path aircraftDir, core::CheckScope scope, QObject *parent)
    : QObject(parent),
      m_aircraftDir(std::move(aircraftDir)),
      m_scope(scope)
{
}

CheckRun::~CheckRun()
{
    if (m_thread) {
        m_stop = true;
        m_thread->wait();
        delete m_thread;
    }
}

void CheckRun::start()
{
    if (m_thread) {
        return;
    }
    m_thread = QThread::create([this] { run(); });
    m_thread->start();
}

// On the check's thread: only m_stop, the directory and the scope are shared, and they do not
// change. What the window gets is posted to this object, so a batch still on its way when the
// run is deleted is dropped with it.
void CheckRun::run()
{
    auto batch = std::make_shared<FindingStore>();
    QElapsedTimer sinceSent;
    sinceSent.start();
    int done = 0;
    int total = 0;
    const auto send = [&] {
        QMetaObject::invokeMethod(
            this, [this, sent = std::move(batch), done, total] { Q_EMIT findingsArrived(sent, done, total); },
            Qt::QueuedConnection);
        batch = std::make_shared<FindingStore>();
        sinceSent.restart();
    };
    const core::CheckSummary summary = core::checkCollection(
        m_aircraftDir, m_scope,
        [&](const core::Finding &finding) {
            batch->add(finding);
            if (batch->size() >= BatchFindings) {
                send();
            }
        },
        0,
        [&](int foldersDone, int foldersTotal) {
            done = foldersDone;
            total = foldersTotal;
            if (sinceSent.elapsed() >= BatchIntervalMs) {
                send();
            }
            return !m_stop;
        });
    send();
    QMetaObject::invokeMethod(
        this, [this, summary] { Q_EMIT finished(summary); }, Qt::QueuedConnection);
}

} // namespace hangardeck::gui
