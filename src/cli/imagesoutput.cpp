// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/imagesoutput.h"

#include "core/inspection/picturewalk.h"
#include "core/platform/nativepath.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace hangardeck::cli {

namespace {

// A path as one line: its bytes as they are, so that a script can open it, but a control
// character (C0, DEL, or a C1 control in UTF-8) shows as U+FFFD: a line break in a name
// cannot split the line, an escape sequence never reaches the terminal.
void appendPathLine(QByteArray &out, const std::filesystem::path &path)
{
#ifdef Q_OS_UNIX
    const std::string &native = path.native();
    const QByteArrayView bytes(native.data(), qsizetype(native.size()));
#else
    const QByteArray utf8 = core::fromNativePath(path).toUtf8();
    const QByteArrayView bytes(utf8);
#endif
    constexpr QByteArrayView Replacement = "\xEF\xBF\xBD";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool c1 = byte == 0xC2 && i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) >= 0x80
                        && static_cast<unsigned char>(bytes[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1) {
            out.append(Replacement);
            i += c1 ? 1 : 0;
        } else {
            out.append(char(byte));
        }
    }
    out.append('\n');
}

} // namespace

QByteArray imagesOutput(const ImagesOptions &options)
{
    const std::vector<core::PictureFile> pictures = core::findPictures(options.aircraft.path());
    if (options.format == ImagesFormat::Lines) {
        QByteArray out;
        for (const core::PictureFile &picture : pictures) {
            appendPathLine(out, picture.path);
        }
        return out;
    }
    QJsonArray list;
    for (const core::PictureFile &picture : pictures) {
        list.append(QJsonObject{{QStringLiteral("name"), picture.name},
                                {QStringLiteral("path"), core::fromNativePath(picture.path)}});
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

} // namespace hangardeck::cli
