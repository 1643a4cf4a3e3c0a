// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_BENCH_BENCHSUPPORT_H
#define HANGARDECK_BENCH_BENCHSUPPORT_H

#include "gui/shell/messagepresenter.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cstdio>

namespace hangardeck::bench {

// A message box would stop the clock on a dialog: it is counted, and the run then fails.
class FailingPresenter final : public gui::MessagePresenter
{
public:
    explicit FailingPresenter(const char *program)
        : m_program(program)
    {
    }
    void showMessage(QWidget *, const QString &text) override
    {
        std::fprintf(stderr, "%s: unexpected message: %s\n", m_program, qPrintable(text));
        ++count;
    }
    int count = 0;

private:
    const char *m_program;
};

// The window programs run offscreen unless a platform is chosen, so that they need no display.
inline void offscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// "VmRSS:\t  123456 kB" from /proc/self/status, in MB of 2^20 bytes; -1 where it cannot be read.
inline double procStatusMb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // /proc files report a size of 0; readAll() reads on to the end regardless.
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size()).simplified().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return -1;
}

} // namespace hangardeck::bench

#endif
