#pragma once
// Fixture of the application's tests: the application's folders (with the
// picture resources too) per test, and the application started as `make run`
// starts it, minus the blocking event loop.
#include <filesystem>
#include <string>

#include "../gui/GuiTestBase.h"
#include "shell/MainWindow.h"

class ShellTest : public AppFoldersTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // File types, application object with its menu bar, main window, then
    // the application's and the windows' Open.
    void startVarnel();
    // Quits as the user would and drops everything, ready for another start.
    void stopVarnel();
    MainWindow& main();
    // The user puts text on the clipboard and presses "Paste" (typing covers
    // ASCII only).
    void pasteSource(const std::string& utf8);

    // A setting of the file written at quit ("<none>" when absent).
    std::string savedSetting(const std::string& key) const;

    // Texts of a menu's children, in order.
    std::vector<std::string> itemTexts(const std::string& menuName);
};
