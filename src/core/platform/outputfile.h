// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_OUTPUTFILE_H
#define HANGARDECK_CORE_OUTPUTFILE_H

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <filesystem>
#include <memory>

namespace hangardeck::core {

class AtomicFileWriter;

// Where a command's output goes: stdout; a FIFO, a device or a socket named by --output,
// written in place and never replaced; or a regular file (or a name not taken yet), replaced
// only once the output is complete. A symbolic link leads to what it points at: the file it names is
// replaced, the link stays.
class OutputFile final
{
public:
    // The file named; stdout when the path is empty.
    explicit OutputFile(std::filesystem::path file);
    ~OutputFile();
    Q_DISABLE_COPY_MOVE(OutputFile)

    // Opens the target; on a FIFO this waits until a reader opens the other end.
    bool open();

    // Writes the next bytes; false from the first failure on.
    bool write(QByteArrayView bytes);

    // Ends the output: closes what was written in place, or syncs the new file and renames
    // it over the old one.
    bool finish();

    // Why the last step failed, as the system names it: "No space left on device".
    QString errorText() const { return m_errorText; }

private:
    bool openReplacement();
    bool fail(int errorNumber);
#ifdef Q_OS_UNIX
    bool openInPlace(bool socket);
#endif

    std::filesystem::path m_file;
    std::unique_ptr<AtomicFileWriter> m_replacement;
    int m_fd = -1; // stdout or a node written in place
    bool m_ownsFd = false;
    QString m_errorText;
};

} // namespace hangardeck::core

#endif
