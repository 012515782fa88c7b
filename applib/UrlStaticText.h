#pragma once
// A label that works as a web link: underlined and blue once it opens, a
// pointing hand over it, and a click opens URL in the browser. Only absolute
// http, https and mailto addresses are opened. With an empty URL a click is
// passed on as "MouseDown"(x, y) -> bool.
// Events raised for its users: "MouseDown", "Open". Pointer moves only set
// the cursor and are not passed on.
#include "fw/core/String.h"
#include "fw/gui/StaticText.h"

class UrlStaticText : public fw::StaticText {
public:
    UrlStaticText();

    fw::String URL;

    void Event_MouseMove(int x, int y);
    bool Event_MouseDown(int x, int y);
    void Event_Open();
};

// True for an absolute http, https or mailto address without blanks or
// control characters.
bool IsOpenableUrl(const fw::String& url);
