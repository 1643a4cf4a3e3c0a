// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_IMAGESOUTPUT_H
#define HANGARDECK_CLI_IMAGESOUTPUT_H

#include "cli/clioptions.h"

#include <QByteArray>

namespace hangardeck::cli {

// What `images` prints: the aircraft's pictures in the window's order, one full path per line
// (DIR as given, "/", FOLDER, "/" and the path below it), or as JSON:
//   [{"name": "thumbnail.jpg", "path": "Aircraft/b747/thumbnail.jpg"}]
QByteArray imagesOutput(const ImagesOptions &options);

} // namespace hangardeck::cli

#endif
