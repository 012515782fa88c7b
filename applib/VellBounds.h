#pragma once
// Helpers of the saved window and control bounds ("left,top,width,height"
// under name + ".Pos").
#include <cstdint>

#include "fw/core/String.h"
#include "fw/gui/Screen.h"

namespace VellBounds {

// The four numbers joined by "," as stored.
fw::String Format(int left, int top, int width, int height);

// Whether enough of the title strip above a window's client area (screen
// coordinates) lies on some screen for the user to grab it.
bool TitleStripOnScreen(int left, int top, int width);

// The screen that a window with these outer bounds (frame included) shows
// on: the one holding its top-left corner, else the one holding most of
// it, else the main screen.
fw::ScreenInfo ScreenFor(int left, int top, int width, int height);

inline constexpr int TitleStripHeight = 24;
inline constexpr int MinGrabWidth = 40;  // pixels of strip to grab, or all of a narrower one
inline constexpr int MinGrabHeight = 8;

}  // namespace VellBounds
