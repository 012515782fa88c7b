#pragma once
// A developer overlay for the window's splitters.
//
// Placed anywhere in a window that holds SmartSplitter bars; a bar whose
// Debug flag is set at open adopts the first overlay of its window. At open
// the overlay covers the whole window and locks to its four edges. Marks are
// drawn into an off-screen picture of the main screen's size (made once, on
// the first clear while debugging) and the part of it that holds
// rectangles is painted over the window: each attached control boxed in
// red (crossed out while hidden), the bar boxed in green with its range and
// limits, and its limit offsets in blue.
#include <string_view>

#include "fw/core/String.h"
#include "fw/gui/Canvas.h"
#include "fw/gui/Graphics.h"
#include "fw/gui/Picture.h"
#include "fw/gui/RectControl.h"

class SmartSplitter;

class CanvasSmartSplitterDebugger : public fw::Canvas {
public:
    CanvasSmartSplitterDebugger();
    ~CanvasSmartSplitterDebugger() override;

    fw::PicturePtr p;  // nullptr until made
    int lastWidth = 0;
    int lastHeight = 0;
    bool debug = false;  // set and cleared by SmartSplitter::setDebug
    int boxHeight = 0;
    // The box that holds every rectangle drawn since the last clear;
    // inverted (min beyond max) right after a clear.
    int minXdrawn = 0;
    int minYdrawn = 0;
    int maxXdrawn = 0;
    int maxYdrawn = 0;
    bool alreadyWarned = false;  // the out-of-memory message was shown

    virtual void Event_Open();
    virtual void Event_Paint(fw::Graphics& g);
    virtual void clearP();
    virtual void markControl(fw::RectControl* control);
    virtual void markSplitter(SmartSplitter* splitter, int minLimit, int maxLimit, bool vertical);
    // alignment 1 centres the box on x, 2 ends it at x, anything else starts it at x.
    virtual void drawBoxedString(const fw::String& text, int x, int y, int alignment);
    virtual void drawX(fw::RectControl* control);
    virtual void drawBox(fw::RectControl* control);
    virtual void drawLine(int x1, int y1, int x2, int y2);
    virtual void drawRect(int x, int y, int width, int height);
    // True when there is no picture after the call: the caller skips drawing.
    virtual bool createP();

protected:
    // Makes the off-screen picture; nullptr when it can't be made.
    virtual fw::PicturePtr newPicture(int width, int height, int depth);

private:
    fw::Graphics& pg();
};
