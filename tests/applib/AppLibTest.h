#pragma once
// Fixture of the windowed library's tests, in the application's folders.
#include <filesystem>
#include <string>

#include "../gui/GuiTestBase.h"
#include "TestShell.h"
#include "applib/VellSettings.h"

class AppLibTest : public AppFoldersTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The user settings file as the next start reads it.
    VellSettings savedSettings() const;
    std::string savedSetting(const std::string& key) const;

    // The test application with a TestWindow as its default window.
    void startWithTestWindow();
};
