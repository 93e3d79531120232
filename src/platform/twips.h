// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

namespace hueprint {

// Window geometry is designed in twips; 15 twips make one pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel.
constexpr int pixelsFromTwips(int twips) {
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -(kTwipsPerPixel / 2))) / kTwipsPerPixel;
}

constexpr QRect rectFromTwips(int left, int top, int width, int height) {
    return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width),
            pixelsFromTwips(height)};
}

} // namespace hueprint
