#pragma once

#include <QRect>
#include <cmath>

namespace tarvos {

// Window geometry is kept in twips, as the window definitions give it; Tarvos maps 15 twips
// to one pixel, exactly.
inline constexpr int kTwipsPerPixel = 15;

inline int px(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}
inline int twips(int pixels) {
    return pixels * kTwipsPerPixel;
}
inline QRect pxRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace tarvos
