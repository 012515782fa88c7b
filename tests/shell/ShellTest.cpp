#include "ShellTest.h"

#include "applib/VellClass.h"
#include "applib/VellSettings.h"
#include "engine/quillet.h"
#include "fw/core/FolderItem.h"
#include "fw/gui/Application.h"
#include "fw/gui/Desktop.h"
#include "fw/gui/Picture.h"
#include "shell/App.h"
#include "shell/Startup.h"

void ShellTest::SetUp() {
    AppFoldersTest::SetUp();
    const std::filesystem::path resources = appDir() / "resources";
    std::filesystem::create_directories(resources);
    std::filesystem::copy_file(VARNEL_REFRESH_ICON, resources / "168.png");
    fw::SetResourceFolder(resources.string());
    // Module state survives between tests in one process; a fresh start has
    // the engine's initial values.
    quillet::stringlength = 0;
    quillet::WordWrap = false;
    quillet::SourceEncoding = nullptr;
    quillet::DestEncoding = nullptr;
    quillet::CurrentDocument = "";
    quillet::SaveDocument = "";
}

void ShellTest::TearDown() {
    AppFoldersTest::TearDown();
    Vell.reset();
    ReleaseModuleObjects();
    fw::SetResourceFolder("");
}

void ShellTest::startVarnel() {
    InitFileTypes();
    std::unique_ptr<App> app = NewAppInstance();
    ApplicationAddMenuHandlers(*app);
    startApp(std::move(app), MakeDefaultView);
}

void ShellTest::stopVarnel() {
    quitApp();
    fw::EndApplication();
    processEvents();
    Vell.reset();
    ReleaseModuleObjects();
}

MainWindow& ShellTest::main() { return fw::Implicit<MainWindow>(); }

void ShellTest::pasteSource(const std::string& utf8) {
    fw::Clipboard().Text(utf8);
    click("PBSourcePaste");
}

std::string ShellTest::savedSetting(const std::string& key) const {
    return VellSettings("varnel.ini", true).Get(key, "<none>").StringValue().utf8();
}

// Every window shares the one menu bar.
std::vector<std::string> ShellTest::itemTexts(const std::string& menuName) { return menuTexts(menuName); }
