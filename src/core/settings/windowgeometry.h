// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_WINDOWGEOMETRY_H
#define HANGARDECK_CORE_WINDOWGEOMETRY_H

#include <optional>

namespace hangardeck::core {

// Window geometry in twips, the outer frame: distance from the screen's top and left edge,
// outer height and width.
struct WindowGeometryTwips {
    float top = 0;
    float left = 0;
    float height = 0;
    float width = 0;
};

// Twips in one logical pixel.
inline constexpr int TwipsPerPixel = 15;

// A stored coordinate in logical pixels, rounded to the nearest pixel; nullopt for no value
// and for one beyond +-32,767 pixels, which a window refuses as a control refuses a value
// out of its range.
std::optional<int> pixelsFromTwips(std::optional<float> twips);

// A coordinate in logical pixels as twips: 100 gives 1500.
float twipsFromPixels(int pixels);

// Top and left that centre a window of the given outer size on a screen, in twips:
// (screen - window) / 2, in single precision.
WindowGeometryTwips centredGeometry(float screenHeightTwips, float screenWidthTwips, float windowHeightTwips,
                                    float windowWidthTwips);

} // namespace hangardeck::core

#endif
