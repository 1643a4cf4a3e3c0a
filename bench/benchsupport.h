// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_BENCH_BENCHSUPPORT_H
#define HANGARDECK_BENCH_BENCHSUPPORT_H

#include "gui/shell/messagepresenter.h"

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

} // namespace hangardeck::bench

#endif
