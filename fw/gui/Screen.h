#pragma once
// The screens attached to the machine.

namespace fw {

struct ScreenInfo {
    int Left() const { return left; }
    int Top() const { return top; }
    int Width() const { return width; }
    int Height() const { return height; }
    int Depth() const { return depth; }   // bits per pixel
    int left = 0, top = 0, width = 0, height = 0, depth = 32;
};

int ScreenCount();
// Screen 0 is the main screen; an index out of range gives screen 0.
ScreenInfo Screen(int index);

}  // namespace fw
