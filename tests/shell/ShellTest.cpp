#include "ShellTest.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

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
    GuiTest::SetUp();
    const std::filesystem::path root = tempDir();
    prefs_ = root / "prefs";
    app_ = root / "app";
    std::filesystem::create_directories(prefs_);
    std::filesystem::create_directories(app_ / "lang");
    std::filesystem::create_directories(app_ / "resources");
    std::filesystem::copy_file(VARNEL_REFRESH_ICON, app_ / "resources" / "168.png");
    setenv("XDG_CONFIG_HOME", prefs_.c_str(), 1);
    fw::SetApplicationExecutable(app_ / "varnel");
    fw::SetResourceFolder((app_ / "resources").string());
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
    GuiTest::TearDown();
    Vell.reset();
    ReleaseModuleObjects();
    fw::SetResourceFolder("");
}

void ShellTest::startVarnel() {
    _InitFileTypes();
    std::unique_ptr<class App> app = _NewAppInstance();
    _ApplicationAddMenuHandlers(*app);
    startApp(std::move(app), _MakeDefaultView);
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

void ShellTest::writeSettings(const std::string& text) {
    std::ofstream(settingsFile(), std::ios::binary) << text;
}

std::filesystem::path ShellTest::writeLanguageFile(const std::string& name, const std::string& text) {
    const std::filesystem::path p = app_ / "lang" / name;
    std::ofstream(p, std::ios::binary) << text;
    return p;
}

std::string ShellTest::savedSetting(const std::string& key) const {
    return VellSettings("varnel.ini", true).Get(key, "<none>").StringValue().utf8();
}

std::string ShellTest::readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> ShellTest::itemTexts(const std::string& menuName) {
    std::vector<std::string> texts;
    fw::MenuItemPtr menu = main().MenuBar()->Lookup(menuName);
    for (int i = 0; menu && i < menu->Count(); ++i) texts.push_back(menu->Item(i)->Text().utf8());
    return texts;
}
