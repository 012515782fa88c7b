#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include <cxxabi.h>

#include <cstdlib>
#include <deque>
#include <typeinfo>

#include "fw/core/BackgroundTask.h"
#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace gui_detail {

GuiState& state() {
    static GuiState s;
    return s;
}

int& InputBlockDepth() {
    static int depth = 0;
    return depth;
}
int& PaintDepth() {
    static int depth = 0;
    return depth;
}

// Handlers that wait below the innermost modal loop don't count: the user
// acts inside that loop.
bool HandlerRunning() { return state().handlerDepth > state().modalBase; }

static std::deque<std::function<void()>>& idleQueue() {
    static std::deque<std::function<void()>> q;
    return q;
}

static void runIdleQueue() {
    while (!HandlerRunning() && !idleQueue().empty()) {
        auto f = std::move(idleQueue().front());
        idleQueue().pop_front();
        Guarded(f);
    }
}

void Dispatch(const std::function<void()>& f) {
    auto& st = state();
    ++st.handlerDepth;
    ++InputBlockDepth();
    Guarded(f);
    --InputBlockDepth();
    --st.handlerDepth;
    if (!HandlerRunning() && !idleQueue().empty()) Post(runIdleQueue);
    if (st.handlerDepth == 0) freeClosedWindowsLater();
}

void WhenIdle(std::function<void()> f) {
    if (!HandlerRunning()) return (void)Guarded(f);
    idleQueue().push_back(std::move(f));
}

void Post(std::function<void()> f) {
    QTimer::singleShot(0, qApp, [f = std::move(f)] { Guarded(f); });
}

ModalScope::ModalScope()
    : blocked_(std::exchange(InputBlockDepth(), 0)),
      base_(std::exchange(state().modalBase, state().handlerDepth)),
      active_(QApplication::activeWindow()) {}
ModalScope::~ModalScope() {
    InputBlockDepth() = blocked_;
    state().modalBase = base_;
    if (active_ && active_->isVisible()) active_->activateWindow();
}

// A closed window is deleted once nothing can be using it: no handler runs,
// not even one waiting below a modal loop (it may hold the window), and no
// ShowModal of it waits. Deleting from the event loop keeps it out of Qt's
// delivery of the window's own events.
static void freeClosedWindows() {
    auto& st = state();
    if (st.handlerDepth > 0) return;  // Dispatch asks again when the last one returns
    std::vector<std::unique_ptr<Window>> done;
    for (auto it = st.graveyard.begin(); it != st.graveyard.end();) {
        if ((*it)->impl().modalDepth > 0) {
            ++it;
            continue;
        }
        done.push_back(std::move(*it));
        it = st.graveyard.erase(it);
    }
}

void freeClosedWindowsLater() {
    if (qApp && !state().graveyard.empty()) QTimer::singleShot(0, qApp, freeClosedWindows);
}

}  // namespace gui_detail

static void yieldToEvents() {
    // Painting may call the yield; events must not run inside a paint.
    if (PaintDepth() > 0 || !qApp) return;
    auto flags = InputBlockDepth() > 0 ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
    QCoreApplication::processEvents(flags, 5);
}

struct Application::Impl {
    MenuBarPtr menuBar;
    MenuHandlers menuHandlers;
};

Application::Application() : impl_(std::make_unique<Impl>()) {}
Application::~Application() = default;

MenuBarPtr Application::MenuBar() const { return impl_->menuBar; }
void Application::MenuBar(MenuBarPtr bar) { impl_->menuBar = std::move(bar); }

FolderItemPtr Application::ExecutableFile() const { return ApplicationExecutable(); }
int Application::MajorVersion() const { return VARNEL_VERSION_MAJOR; }
int Application::MinorVersion() const { return VARNEL_VERSION_MINOR; }
int Application::BugVersion() const { return VARNEL_VERSION_BUG; }
int Application::NonReleaseVersion() const { return VARNEL_VERSION_NONRELEASE; }

void Application::AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    impl_->menuHandlers.emplace_back(itemName, std::move(handler));
}
bool Application::HandleMenu(const String& itemName) { return runMenuHandler(impl_->menuHandlers, itemName); }

const std::type_info* Application::EventSignature(std::string_view e) const {
    if (e == "Open" || e == "Close") return &typeid(void());
    return nullptr;
}

Application* GetAppObject() { return state().app.get(); }

void UnhandledException(std::exception_ptr e) {
    String what = "unknown";
    String cls = "Exception";
    try {
        std::rethrow_exception(e);
    } catch (const NilObjectException& x) {
        cls = "NilObjectException";
        what = x.what();
    } catch (const std::exception& x) {
        int status = 0;
        char* name = abi::__cxa_demangle(typeid(x).name(), nullptr, nullptr, &status);
        cls = status == 0 && name ? name : typeid(x).name();
        std::free(name);
        what = x.what();
    } catch (...) {
    }
    MsgBox("An exception of class " + cls + " was not handled: " + what, MsgBoxStop);
}

bool Guarded(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (...) {
        auto e = std::current_exception();
        try {
            UnhandledException(e);
        } catch (...) {
        }
        return false;
    }
}

// The Qt application object, from InitGui to EndGui.
static std::unique_ptr<QApplication>& qtApplication() {
    static std::unique_ptr<QApplication> app;
    return app;
}

void InitGui(int& argc, char** argv) {
    if (!qApp) {
        static int s_argc = argc;
        qtApplication() = std::make_unique<QApplication>(s_argc, argv);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    SetBackgroundTaskHook(yieldToEvents);
}

void StartApplication(std::unique_ptr<Application> app, const std::function<void()>& makeDefaultView) {
    auto& st = state();
    st.app = std::move(app);
    st.started = false;
    st.quitting = st.quitDone = false;
    if (makeDefaultView) makeDefaultView();
    Dispatch([&] { st.app->Fire<void()>("Open"); });
    st.started = true;
    // Windows built so far (and any a window's Open makes) open now.
    for (size_t i = 0; i < st.windows.size(); ++i) {
        Window* w = st.windows[i].get();
        openWindow(*w);
    }
}

int RunEventLoop() {
    auto& st = state();
    if (st.quitDone) return 0;
    st.loopRunning = true;
    int r = QApplication::exec();
    st.loopRunning = false;
    return r;
}

void EndApplication() {
    auto& st = state();
    st.graveyard.clear();
    st.implicit.clear();
    st.windows.clear();
    st.app.reset();
    st.started = false;
    st.quitting = false;
    st.quitDone = false;
}

void EndGui() {
    // What waits for deletion goes while Qt is still there.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qtApplication().reset();
}

void Quit() {
    auto& st = state();
    if (st.closeHandlerDepth > 0) return Post(Quit);
    if (st.quitting) return;
    st.quitting = true;
    ++st.closeHandlerDepth;
    for (Window* w : OpenWindows()) w->Close();
    if (st.app) Dispatch([&] { st.app->Fire<void()>("Close"); });
    --st.closeHandlerDepth;
    st.quitDone = true;
    if (st.loopRunning) QApplication::exit(0);
}

bool QuitDone() { return state().quitDone; }

}  // namespace fw
