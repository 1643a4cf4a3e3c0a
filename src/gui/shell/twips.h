// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_TWIPS_H
#define HANGARDECK_GUI_TWIPS_H

#include "core/settings/windowgeometry.h"

#include <QRect>

#include <cmath>

namespace hangardeck::gui {

// Layouts are given in twips, core::TwipsPerPixel to a logical pixel.

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / core::TwipsPerPixel));
}

// A (left, top, width, height) rectangle in twips as logical pixels.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace hangardeck::gui

#endif
