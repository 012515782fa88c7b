#include "shell/Startup.h"

#include "fw/gui/Application.h"
#include "fw/gui/Window.h"
#include "shell/App.h"
#include "shell/HtmlFiles.h"
#include "shell/MainWindow.h"
#include "shell/MenuBar1.h"
#include "shell/refresh.h"

void InitFileTypes() { HtmlFiles::Initialize(); }

std::unique_ptr<App> NewAppInstance() {
    auto app = std::make_unique<App>();
    app->MenuBar(TheMenuBar1());
    return app;
}

// Every menu command is handled by a window.
void ApplicationAddMenuHandlers(App&) {}

void MakeDefaultView() { fw::Implicit<MainWindow>(); }

void StartUp() {
    InitFileTypes();
    std::unique_ptr<App> app = NewAppInstance();
    ApplicationAddMenuHandlers(*app);
    // Registers the application, builds the default view, then raises the
    // application's Open before any window's.
    fw::StartApplication(std::move(app), MakeDefaultView);
}

void ReleaseModuleObjects() {
    releaseRefreshPicture();
    releaseMenuBar1();
    HtmlFiles::Release();
}

int Main(int argc, char** argv) {
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
