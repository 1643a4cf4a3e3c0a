// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/windowgeometry.h"

#include <cmath>

namespace hangardeck::core {

namespace {

// The largest coordinate a window takes, as a 16-bit control coordinate.
constexpr double MaxWindowCoordinatePixels = 32767;

} // namespace

std::optional<int> pixelsFromTwips(std::optional<float> twips)
{
    if (!twips) {
        return std::nullopt;
    }
    const double pixels = std::round(double(*twips) / TwipsPerPixel);
    // NaN fails this test too.
    if (!(std::abs(pixels) <= MaxWindowCoordinatePixels)) {
        return std::nullopt;
    }
    return static_cast<int>(pixels);
}

float twipsFromPixels(int pixels)
{
    return static_cast<float>(double(pixels) * TwipsPerPixel);
}

WindowGeometryTwips centredGeometry(float screenHeightTwips, float screenWidthTwips, float windowHeightTwips,
                                    float windowWidthTwips)
{
    WindowGeometryTwips geometry;
    geometry.top = (screenHeightTwips - windowHeightTwips) / 2;
    geometry.left = (screenWidthTwips - windowWidthTwips) / 2;
    geometry.height = windowHeightTwips;
    geometry.width = windowWidthTwips;
    return geometry;
}

} // namespace hangardeck::core
