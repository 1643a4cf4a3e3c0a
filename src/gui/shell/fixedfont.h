// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_FIXEDFONT_H
#define HANGARDECK_GUI_FIXEDFONT_H

#include <QFont>
#include <QFontDatabase>

namespace hangardeck::gui {

// The system's fixed-width font, asked for as fixed-pitch as well: where the system lacks the
// font of that name (Wine without its own fonts has no Courier New), the nearest font is then
// another fixed-width one, and the list's columns still line up.
inline QFont fixedWidthFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace hangardeck::gui

#endif
