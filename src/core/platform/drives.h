// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_DRIVES_H
#define HANGARDECK_CORE_DRIVES_H

#include <QString>
#include <QStringList>

namespace hangardeck::core {

// The roots a drive list offers: the drive letters on Windows ("C:\"); elsewhere "/" first,
// then every mounted volume that is valid and ready, each once.
QStringList driveRoots();

// The root among roots that holds path, the longest when several do; -1 when none does.
int driveIndexOf(const QStringList &roots, const QString &path);

} // namespace hangardeck::core

#endif
