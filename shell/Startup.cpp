#include "shell/Startup.h"

#include "fw/gui/Application.h"
#include "fw/gui/Window.h"
#include "shell/App.h"
#include "shell/HtmlFiles.h"
#include "shell/MainWindow.h"
#include "shell/MenuBar1.h"
#include "shell/refresh.h"

void _InitFileTypes() { HtmlFiles::_Initialize(); }

std::unique_ptr<class App> _NewAppInstance() {
    auto app = std::make_unique<class App>();
    app->MenuBar(MenuBar1());
    return app;
}

// Every menu command is handled by a window.
void _ApplicationAddMenuHandlers(class App&) {}

void _MakeDefaultView() { fw::Implicit<MainWindow>(); }

void StartUp() {
    _InitFileTypes();
    std::unique_ptr<class App> app = _NewAppInstance();
    _ApplicationAddMenuHandlers(*app);
    // Registers the application, builds the default view, then raises the
    // application's Open before any window's.
    fw::StartApplication(std::move(app), _MakeDefaultView);
}

void ReleaseModuleObjects() {
    releaseRefreshPicture();
    releaseMenuBar1();
    HtmlFiles::_Release();
}

int _Main(int argc, char** argv) {
    fw::InitGui(argc, argv);
    int status = 0;
    // An escape skips the remaining steps; the release below still runs.
    fw::Guarded([&] {
        StartUp();
        status = fw::RunEventLoop();
    });
    fw::EndApplication();
    ReleaseModuleObjects();
    fw::EndGui();
    return status;
}
