#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <deque>

#include "fw/gui/WindowPrivate.h"

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
const std::vector<ScreenInfo>* fakedScreens() {
    return ts().enabled && !ts().screens.empty() ? &ts().screens : nullptr;
}
template <class Q, class T>
static bool take(Q& q, T* out) {
    if (q.empty()) return false;
    *out = q.front();
    q.pop_front();
    return true;
}
void answerInLoop(QObject* context, std::function<void()> answer) {
    if (ts().enabled) QTimer::singleShot(0, context, [answer = std::move(answer)] { Guarded(answer); });
}
void answerModal(Window& w) {
    if (!ts().enabled) return;
    std::function<void(Window&)> action;
    if (!ts().modalActions.empty()) {
        action = std::move(ts().modalActions.front());
        ts().modalActions.pop_front();
    }
    // Unanswered, the window is closed as its close box would.
    if (!action) action = [](Window& win) { win.Close(); };
    answerInLoop(w.impl().frameWidget(), [&w, action] { action(w); });
}
void answerMenu(QMenu& menu, const std::vector<std::pair<QAction*, String>>& named) {
    answerInLoop(&menu, [&menu, named] {
        String name;
        take(ts().contextChoices, &name);
        for (auto& [a, n] : named)
            if (!name.empty() && n == name && menu.actions().contains(a)) {
                // As the user picks it: the item under the mouse, then Return.
                menu.setActiveAction(a);
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QCoreApplication::sendEvent(&menu, &press);
                return;
            }
        menu.close();
    });
}
void recordModal(const String& title) {
    if (ts().enabled) ts().modalTitles.push_back(title);
}
bool takeDialogAnswer(String* path) { return take(ts().dialogAnswers, path); }
bool takeMsgBoxAnswer(int* button) { return take(ts().msgBoxAnswers, button); }
void recordMessage(const String& text) {
    if (ts().enabled) ts().messages.push_back(text);
}
void recordDialog(const testing::DialogRecord& r) {
    if (ts().enabled) ts().dialogs.push_back(r);
}
void recordURL(const String& url) { ts().urls.push_back(url); }
}  // namespace gui_detail

}  // namespace fw
