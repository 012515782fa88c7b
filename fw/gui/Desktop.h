#pragma once
// Message boxes, the clipboard and the browser.
#include "fw/core/String.h"

namespace fw {

// Buttons: 0 OK; 1 OK, Cancel; 3 Yes, No, Cancel; 4 Yes, No. Add 16, 32, 48
// or 64 for an icon. Result: 1 OK, 2 Cancel, 6 Yes, 7 No.
int MsgBox(const String& text, int buttons = 0, const String& title = "");

class Clipboard {
public:
    String Text() const;
    void Text(const String& t);
    void Close() {}
};

// Opens the address in the default browser.
void ShowURL(const String& url);

}  // namespace fw
