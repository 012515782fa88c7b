#pragma once
// Fixture of the windowed library's tests: a fresh Preferences folder and
// application folder (with its "lang" folder) per test, an executable named
// "varnel", so the user settings file is <prefs>/varnel.ini.
#include <filesystem>
#include <string>

#include "../gui/GuiTestBase.h"
#include "TestShell.h"
#include "applib/VellSettings.h"

class AppLibTest : public GuiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path prefsDir() const { return prefs_; }
    std::filesystem::path appDir() const { return app_; }
    std::filesystem::path settingsFile() const { return prefs_ / "varnel.ini"; }
    // Writes <app>/lang/<name> and returns its path.
    std::filesystem::path writeLanguageFile(const std::string& name, const std::string& text);
    void writeSettings(const std::string& text);
    // The user settings file as the next start reads it.
    VellSettings savedSettings() const;
    std::string savedSetting(const std::string& key) const;

    // The test application with a TestWindow as its default window.
    void startWithTestWindow();

private:
    std::filesystem::path prefs_, app_;
};
