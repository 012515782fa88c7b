#pragma once
// Test mode: modal dialogs, message boxes, contextual menus and modal
// windows run as in the product, and the user's answer, queued beforehand
// and used in order, ends their modal loop; the browser is never started.
// What was shown is recorded.
//
// Without a queued answer: a file dialog is cancelled, a message box gives
// its first button, a contextual menu is dismissed, a modal window closes.
#include <functional>
#include <vector>

#include "fw/core/String.h"
#include "fw/gui/Screen.h"

namespace fw {

class Window;

namespace testing {

void Enable(bool on);
bool Enabled();
void Reset();  // empties the queues and the records

// The next open or save dialog returns this path ("" cancels).
void QueueDialogAnswer(const String& path);
// The next message box returns this button (AnswerOK, AnswerCancel, ...).
void QueueMsgBoxAnswer(int button);
// The next contextual menu chooses the item of this name ("" dismisses).
void QueueContextMenuChoice(const String& itemName);
// Runs inside the next window's ShowModal loop, which ends when the window
// closes or hides (the action must do one or the other).
void QueueModalAction(std::function<void(Window&)> action);
int PendingAnswers();  // queued answers of every kind not yet used

// ScreenCount and Screen report these instead of the machine's screens
// (Screen(0) is the first); an empty list gives the real ones back.
void FakeScreens(const std::vector<ScreenInfo>& screens);

struct DialogRecord {
    String kind;  // "open" or "save"
    String title;
    String filter;
    String initialDirectory;
    String suggestedName;
};
std::vector<String> ShownMessages();
std::vector<DialogRecord> ShownDialogs();
std::vector<String> ShownURLs();
std::vector<String> ShownModalTitles();

}  // namespace testing
}  // namespace fw
