// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_ATOMICFILE_H
#define HANGARDECK_CORE_ATOMICFILE_H

#include <QByteArray>
#include <QString>

namespace hangardeck::core {

// Replaces a file's whole content through a temporary file in the same folder, flushed to
// disk and renamed over the file, so readers see the old content or the new, never half of
// it, even after a power cut. Returns false and leaves the old file when writing fails;
// errorText then says why.
bool writeFileAtomically(const QString &filePath, const QByteArray &content, QString *errorText = nullptr);

} // namespace hangardeck::core

#endif
