// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_REGULARFILE_H
#define HANGARDECK_CORE_REGULARFILE_H

#include <QByteArray>

#include <filesystem>
#include <limits>

namespace hangardeck::core {

// Most bytes a reader of the add-on's files takes from one file; a real aircraft.cfg is well
// under 1 MiB.
inline constexpr qsizetype MaxExaminedBytes = 16 * 1024 * 1024;

// A cap that takes a file whole, whatever its size: for our own settings file, which every
// close replaces and so must be read as a whole.
inline constexpr qsizetype WholeFile = std::numeric_limits<qsizetype>::max();

// What reading one file gave.
struct FileRead {
    enum Status {
        Read,       // bytes holds the file, or its first capBytes when whole is false
        Missing,    // no such file (or a dangling link)
        Directory,  // the name is a folder
        Unreadable, // there, but not a regular file that could be read: a FIFO, a device, a
                    // socket, a link loop, no permission, a read error
    };
    Status status = Missing;
    QByteArray bytes;
    bool whole = true; // false: the file goes on past the bytes read
};

// Reads a regular file, following links. It never blocks on a FIFO or a device, reads at most
// capBytes, and never allocates more than the bytes it reads, whatever size the file claims
// (a sparse file may claim terabytes).
FileRead readRegularFile(const std::filesystem::path &path, qsizetype capBytes = MaxExaminedBytes);

} // namespace hangardeck::core

#endif
