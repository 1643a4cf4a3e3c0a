// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_DETAILSOUTPUT_H
#define HANGARDECK_CLI_DETAILSOUTPUT_H

#include "cli/clioptions.h"

#include <QByteArray>

namespace hangardeck::cli {

// What `details` prints, as UTF-8. Text: the details box's text for the entry, CR LF line
// ends included, then "\n". JSON: one object with the folder and every entry up to the first
// without a title:
//   {"entries": [{"description": "Twin jet", "entry": 0, "manufacturer": "Boeing",
//                 "section": "fltsim.0", "title": "Boeing 747", "type": "747-400"}],
//    "folder": "b747"}
QByteArray detailsOutput(const DetailsOptions &options);

} // namespace hangardeck::cli

#endif
