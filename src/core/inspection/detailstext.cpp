// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/detailstext.h"

#include "core/catalogue/catalogueentry.h"
#include "core/inspection/descriptionscan.h"
#include "core/platform/nativepath.h"
#include "core/platform/profile.h"
#include "core/platform/textdecoding.h"

#include <QFile>
#include <QStringDecoder>

#include <array>
#include <new>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hangardeck::core {

namespace {

// Opens a regular file only: O_NONBLOCK keeps a FIFO named aircraft.cfg from blocking the
// window, and a directory or a device reads as missing.
bool openRegularFile(QFile &file, const std::filesystem::path &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    file.setFileName(fromNativePath(path));
    return file.open(QIODevice::ReadOnly);
#endif
}

// The bytes of an aircraft.cfg, at most MaxExaminedBytes of them and then only whole lines,
// as the profile reader examines them; nullopt when the file cannot be read.
std::optional<QByteArray> readConfigBytes(const std::filesystem::path &path)
{
    try {
        QFile file;
        if (!openRegularFile(file, path)) {
            return std::nullopt;
        }
        const bool whole = file.size() <= MaxExaminedBytes;
        QByteArray bytes = file.read(whole ? file.size() : MaxExaminedBytes);
        if (file.error() != QFileDevice::NoError) {
            return std::nullopt;
        }
        if (!whole) {
            qsizetype end = bytes.size();
            while (end > 0 && bytes[end - 1] != '\n' && bytes[end - 1] != '\r') {
                --end;
            }
            bytes.truncate(end);
        }
        return bytes;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

// The file as text for the description scan, decoded as the profile reader decodes it: a
// UTF-16 file by its byte-order mark, else UTF-8 when valid, else Windows-1252.
QString configText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return decoder.decode(bytes.sliced(2));
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    return decodeText(bytes);
}

} // namespace

EntryDetails readEntryDetails(const std::filesystem::path &aircraftCfg, const QString &entryText)
{
    const QString empty = QString::fromUtf16(EmptyValueText);
    EntryDetails details{empty, empty, empty, empty, entryText};
    const std::optional<QByteArray> bytes = readConfigBytes(aircraftCfg);
    if (!bytes) {
        return details;
    }
    const QString section = u"fltsim." + entryText;
    const QByteArray sectionName = section.toUtf8();
    static constexpr std::array<QByteArrayView, 3> keys = {"title", "ui_manufacturer", "ui_type"};
    std::array<std::optional<QString>, 3> values;
    Profile::fromBytes(*bytes).aircraftValues(sectionName, keys, values);
    details.title = values[0].value_or(empty);
    details.manufacturer = values[1].value_or(empty);
    details.type = values[2].value_or(empty);
    details.description = scanDescription(configText(*bytes), section);
    return details;
}

QString detailsText(const EntryDetails &details)
{
    return details.title + u"\r\n\r\n" + details.manufacturer + u"\r\n\r\n" + details.type + u"\r\n\r\n"
           + details.description + u"\r\n[fltsim." + details.entryText + u']';
}

} // namespace hangardeck::core
