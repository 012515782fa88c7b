#pragma once
// The application object and start-up.
//
//     class App : public VellApp {                 // VellApp derives from fw::Application
//     public:
//         App() { MenuBar(TheMenuBar1()); On("Open", this, &App::Event_Open); }
//         void Event_Open() { ... }
//     };
//     int main(int argc, char** argv) {
//         return fw::RunApplication<App>(argc, argv, [] { fw::Implicit<MainWindow>(); });
//     }
//
// Start-up order: the application object exists; the default window
// is built (its constructor: values, controls, handlers); the application's
// Open runs; then every window built so far opens (controls' Open, the
// window's Open), then the event loop runs until Quit.
// Quit closes every open window (each raising Close) before the
// application's Close; a Quit called inside a Close handler is queued and
// runs after it.
// Events (bind with On): "Open", "Close".
// An exception that escapes any handler reaches UnhandledException, which
// shows it in a message box; the application goes on.
#include <exception>
#include <functional>
#include <memory>

#include "fw/core/FolderItem.h"
#include "fw/gui/EventTarget.h"
#include "fw/gui/MenuItem.h"

namespace fw {

class Application : public EventTarget {
public:
    Application();
    ~Application() override;

    MenuBarPtr MenuBar() const;
    void MenuBar(MenuBarPtr bar);

    FolderItemPtr ExecutableFile() const;
    int MajorVersion() const;
    int MinorVersion() const;
    int BugVersion() const;
    int NonReleaseVersion() const;

    // Menu handlers of the application, used when the active window has none.
    void AddMenuHandler(const String& itemName, std::function<bool()> handler);
    bool HandleMenu(const String& itemName);

    const std::type_info* EventSignature(std::string_view event) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The registered application object, nullptr before start and after end.
Application* GetAppObject();

// Reports an exception nothing caught in a message box and returns.
void UnhandledException(std::exception_ptr e);
// Runs f; an escaping exception goes to UnhandledException. True when none.
bool Guarded(const std::function<void()>& f);

// Start-up in steps (RunApplication runs them all; tests run the first and
// then drive the windows without a blocking loop).
// Makes the Qt application object once per process.
void InitGui(int& argc, char** argv);
// Registers the application, builds the default view, raises the
// application's Open, then opens every window built so far.
void StartApplication(std::unique_ptr<Application> app, const std::function<void()>& makeDefaultView);
// Runs the event loop until Quit has finished; the process's exit status.
int RunEventLoop();
// Drops every window and the application object (after the loop).
void EndApplication();
// Deletes the Qt application object that InitGui made (after EndApplication).
void EndGui();
// Closes every window, then raises the application's Close, then ends the
// loop. Queued when called inside a Close handler.
void Quit();
bool QuitDone();  // the quit sequence has run

template <class App>
int RunApplication(int argc, char** argv, const std::function<void()>& makeDefaultView = {}) {
    InitGui(argc, argv);
    int status = 0;
    Guarded([&] {
        StartApplication(std::make_unique<App>(), makeDefaultView);
        status = RunEventLoop();
    });
    EndApplication();
    EndGui();
    return status;
}

}  // namespace fw
