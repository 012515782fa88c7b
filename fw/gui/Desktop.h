#pragma once
// Message boxes, the clipboard and the browser.
#include "fw/core/String.h"

namespace fw {

// The buttons of a message box, plus at most one icon (MsgBoxYesNo +
// MsgBoxCaution); the numbers are the framework's.
enum : int {
    MsgBoxOK = 0,
    MsgBoxOKCancel = 1,
    MsgBoxYesNoCancel = 3,
    MsgBoxYesNo = 4,
    MsgBoxStop = 16,
    MsgBoxQuestion = 32,
    MsgBoxCaution = 48,
    MsgBoxNote = 64,
};
// The button that closed a message box.
enum : int { AnswerOK = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };
int MsgBox(const String& text, int buttons = MsgBoxOK, const String& title = "");

class Clipboard {
public:
    String Text() const;
    void Text(const String& t);
    void Close() {}
};

// Opens the address in the default browser.
void ShowURL(const String& url);

}  // namespace fw
