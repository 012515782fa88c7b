#pragma once
// Helpers of the saved window and control bounds ("left,top,width,height"
// under name + ".Pos").
#include <cstdint>

#include "fw/core/String.h"

namespace VellBounds {

// The four numbers joined by "," as stored.
fw::String Format(int left, int top, int width, int height);

// Whether enough of the title strip above a window's client area (screen
// coordinates) lies on some screen for the user to grab it.
bool TitleStripOnScreen(int left, int top, int width);

inline constexpr int TitleStripHeight = 24;
inline constexpr int MinGrabWidth = 40;  // pixels of strip to grab, or all of a narrower one
inline constexpr int MinGrabHeight = 8;

}  // namespace VellBounds
