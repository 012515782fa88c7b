#pragma once
// The screens attached to the machine.

namespace fw {

struct ScreenInfo {
    int Left() const { return left; }
    int Top() const { return top; }
    int Width() const { return width; }
    int Height() const { return height; }
    int Depth() const { return depth; }  // bits per pixel
    // The part that windows may take: without the task bar and panels,
    // where the platform says where they are.
    int AvailableLeft() const { return availableLeft; }
    int AvailableTop() const { return availableTop; }
    int AvailableWidth() const { return availableWidth; }
    int AvailableHeight() const { return availableHeight; }
    int left = 0, top = 0, width = 0, height = 0, depth = 32;
    int availableLeft = 0, availableTop = 0, availableWidth = 0, availableHeight = 0;
};

int ScreenCount();
// Screen 0 is the main screen; an index out of range gives screen 0.
ScreenInfo Screen(int index);

}  // namespace fw
