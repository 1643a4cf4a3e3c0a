// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/imagesoutput.h"

#include "cli/pathline.h"

#include "core/inspection/picturewalk.h"
#include "core/platform/nativepath.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace hangardeck::cli {

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
