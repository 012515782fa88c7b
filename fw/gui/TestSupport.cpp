#include <deque>

#include "fw/gui/GuiPrivate.h"

namespace fw {

namespace {
struct TestState {
    bool enabled = false;
    std::deque<String> dialogAnswers;
    std::deque<int> msgBoxAnswers;
    std::deque<String> contextChoices;
    std::deque<std::function<void(Window&)>> modalActions;
    std::vector<String> messages, urls, modalTitles;
    std::vector<testing::DialogRecord> dialogs;
    std::vector<ScreenInfo> screens;
};
TestState& ts() {
    static TestState s;
    return s;
}
}  // namespace

namespace testing {
void Enable(bool on) { ts().enabled = on; }
bool Enabled() { return ts().enabled; }
void Reset() {
    bool on = ts().enabled;
    ts() = TestState{};
    ts().enabled = on;
}
void QueueDialogAnswer(const String& path) { ts().dialogAnswers.push_back(path); }
void QueueMsgBoxAnswer(int button) { ts().msgBoxAnswers.push_back(button); }
void QueueContextMenuChoice(const String& name) { ts().contextChoices.push_back(name); }
void QueueModalAction(std::function<void(Window&)> action) { ts().modalActions.push_back(std::move(action)); }
int PendingAnswers() {
    auto& s = ts();
    return int(s.dialogAnswers.size() + s.msgBoxAnswers.size() + s.contextChoices.size() + s.modalActions.size());
}
void FakeScreens(const std::vector<ScreenInfo>& screens) { ts().screens = screens; }
std::vector<String> ShownMessages() { return ts().messages; }
std::vector<DialogRecord> ShownDialogs() { return ts().dialogs; }
std::vector<String> ShownURLs() { return ts().urls; }
std::vector<String> ShownModalTitles() { return ts().modalTitles; }
}  // namespace testing

namespace gui_detail {
std::function<void(Window&)> takeModalAction() {
    if (ts().modalActions.empty()) return {};
    auto f = std::move(ts().modalActions.front());
    ts().modalActions.pop_front();
    return f;
}
const std::vector<ScreenInfo>* fakedScreens() {
    return ts().enabled && !ts().screens.empty() ? &ts().screens : nullptr;
}
void recordModal(const String& title) { ts().modalTitles.push_back(title); }
template <class Q, class T>
static bool take(Q& q, T* out) {
    if (q.empty()) return false;
    *out = q.front();
    q.pop_front();
    return true;
}
bool takeDialogAnswer(String* path) { return take(ts().dialogAnswers, path); }
bool takeMsgBoxAnswer(int* button) { return take(ts().msgBoxAnswers, button); }
bool takeContextChoice(String* name) { return take(ts().contextChoices, name); }
void recordMessage(const String& text) { ts().messages.push_back(text); }
void recordDialog(const testing::DialogRecord& r) { ts().dialogs.push_back(r); }
void recordURL(const String& url) { ts().urls.push_back(url); }
}  // namespace gui_detail

}  // namespace fw
