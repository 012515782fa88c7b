#include "AppLibTest.h"

#include <cstdlib>
#include <fstream>

#include "applib/VellClass.h"
#include "fw/core/FolderItem.h"

void AppLibTest::SetUp() {
    GuiTest::SetUp();
    const std::filesystem::path root = tempDir();
    prefs_ = root / "prefs";
    app_ = root / "app";
    std::filesystem::create_directories(prefs_);
    std::filesystem::create_directories(app_ / "lang");
    setenv("XDG_CONFIG_HOME", prefs_.c_str(), 1);
    fw::SetApplicationExecutable(app_ / "varnel");
    EventLog().clear();
}

void AppLibTest::TearDown() {
    GuiTest::TearDown();
    Vell.reset();
}

std::filesystem::path AppLibTest::writeLanguageFile(const std::string& name, const std::string& text) {
    const std::filesystem::path p = app_ / "lang" / name;
    std::ofstream(p, std::ios::binary) << text;
    return p;
}

void AppLibTest::writeSettings(const std::string& text) {
    std::ofstream(settingsFile(), std::ios::binary) << text;
}

VellSettings AppLibTest::savedSettings() const { return VellSettings("varnel.ini", true); }

std::string AppLibTest::savedSetting(const std::string& key) const {
    return savedSettings().Get(key, "<none>").StringValue().utf8();
}

void AppLibTest::startWithTestWindow() {
    startApp<TestApp>([] { fw::Implicit<TestWindow>(); });
}
