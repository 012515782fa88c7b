#pragma once
// A base for tests that drive real windows, headless (QT_QPA_PLATFORM=
// offscreen). Verbs act as the user would: a click on a disabled button does
// nothing, typing goes through the keyboard, a menu item is chosen through
// the menu dispatch of the front window.
//
// Controls are named as on the window; a name is looked up in `win`, or
// when no window is given in the front window, then in every open window
// (front to back). A name that no window has fails the test.
//
//     class MainWindowTest : public GuiTest {};
//     TEST_F(MainWindowTest, ConvertsTypedText) {
//         startApp<App>([] { fw::Implicit<MainWindow>(); });
//         type("EFSource", "<b>hi</b>");
//         choosePopupRow("PMTypeOfConversion", "HTML");
//         click("PBConvert");
//         EXPECT_EQ(text("EFDest"), "...");
//         answerNextDialog(tmp / "out.html");
//         chooseMenu("FileSaveas");
//     }
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fw/gui/Gui.h"
#include "fw/gui/TestSupport.h"
#include "tests/support/TestFiles.h"

// A rectangle: a window's on the screen, a control's in its window.
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Box&, const Box&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Box& b) {
        return o << b.left << "," << b.top << "," << b.width << "," << b.height;
    }
};
inline Box boundsOf(const fw::Window& w) { return {w.Left(), w.Top(), w.Width(), w.Height()}; }
inline Box boundsOf(const fw::RectControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Quits a started application, closes leftover windows, and fails the
    // test when queued answers were left unused.
    void TearDown() override;

    // Start-up in the application's order (fw/gui/Application.h), without a blocking event loop.
    template <class App>
    void startApp(const std::function<void()>& makeDefaultView = {}) {
        startApp(std::make_unique<App>(), makeDefaultView);
    }
    void startApp(std::unique_ptr<fw::Application> app, const std::function<void()>& makeDefaultView = {});
    // Runs the quit sequence (every window's Close, then the application's).
    void quitApp();

    // Lets queued events, deferred closes and paints run.
    void processEvents();

    fw::Window& front();  // fails when none
    fw::RectControl& control(const std::string& name);
    fw::RectControl& control(fw::Window& win, const std::string& name);
    template <class T>
    T& control(const std::string& name) {
        auto* c = dynamic_cast<T*>(&control(name));
        if (!c) throw fw::NilObjectException("control " + name + " has another class");
        return *c;
    }

    // Mouse and keyboard.
    void click(const std::string& name);
    void click(fw::Window& win, const std::string& name);
    void type(const std::string& name, const std::string& text);  // focuses, types at the end
    void pressKey(const std::string& keys);  // to the focused widget: "Return", "Escape", "Ctrl+A", "Backspace"
    void pressKey(const std::string& name, const std::string& keys);
    void focus(const std::string& name);
    std::string text(const std::string& name);  // EditField, StaticText, PopupMenu text, button caption

    // Press, drag and release on a control; x and y relative to the control
    // (may lie outside it). The button stays held between press and release.
    void mouseDown(const std::string& name, int x, int y);
    void mouseDrag(const std::string& name, int x, int y);
    void mouseUp(const std::string& name, int x, int y);
    void mouseMove(const std::string& name, int x, int y);  // no button held
    void mouseExit(const std::string& name);
    // The user drags a splitter bar by (dx, dy) from a point inside it.
    void dragBar(const std::string& name, int dx, int dy);

    // What the user sees of a control: the box around its shown part, in
    // window coordinates; width 0 when none of it shows.
    Box shownBox(const std::string& name);
    // The control that a click at (x, y) of the window's client area
    // reaches, nullptr when it reaches none.
    fw::RectControl* controlAt(fw::Window& win, int x, int y);

    // Menus, pop-ups.
    bool chooseMenu(const std::string& itemName);  // false when absent or disabled
    void choosePopupRow(const std::string& name, const std::string& rowText);
    void choosePopupRow(const std::string& name, int row);
    std::vector<std::string> menuTexts(const std::string& itemName);  // its children's texts

    // Dialogs, message boxes, contextual menus, modal windows: the product's
    // own modal loop runs and the queued answer ends it. A modal window's
    // action plays the user while it is shown and must close or hide it;
    // unanswered, the window is closed.
    void answerNextDialog(const std::filesystem::path& file);
    void cancelNextDialog();
    void answerNextMsgBox(int button);  // fw::AnswerOK, AnswerCancel, AnswerYes, AnswerNo
    void chooseNextContextMenu(const std::string& itemName);
    void onNextModal(std::function<void(fw::Window&)> action);
    std::vector<std::string> shownMessages();
    std::vector<fw::testing::DialogRecord> shownDialogs();
    std::vector<std::string> shownURLs();
    void contextClick(const std::string& name, int x, int y);

    // Files dropped by the user on a window (anywhere outside its controls)
    // or on a control.
    void dropFiles(fw::Window& win, const std::vector<std::filesystem::path>& files);
    void dropFiles(const std::string& controlName, const std::vector<std::filesystem::path>& files);

    // The user resizes the window with the mouse (within its limits).
    void resize(fw::Window& win, int width, int height);
    // The user closes the window with its close box.
    void closeBox(fw::Window& win);

    // The window's client area as it shows now.
    fw::PicturePtr grab(fw::Window& win);
    fw::PicturePtr grab(const std::string& controlName);
    void grabToPNG(fw::Window& win, const std::filesystem::path& png);

    // A fresh temporary folder for the test, removed afterwards.
    std::filesystem::path tempDir();
    std::filesystem::path writeFile(const std::string& name, const std::string& bytes);

private:
    std::optional<testsupport::TempFolder> tmp_;
    bool started_ = false;
};

// For tests of the application and its library: a fresh Preferences folder
// (XDG_CONFIG_HOME) and application folder with its "lang" folder per test,
// and an executable named "varnel", so the user settings file is
// <prefs>/varnel.ini.
class AppFoldersTest : public GuiTest {
protected:
    void SetUp() override;

    std::filesystem::path prefsDir() const { return prefs_; }
    std::filesystem::path appDir() const { return app_; }
    std::filesystem::path settingsFile() const { return prefs_ / "varnel.ini"; }
    void writeSettings(const std::string& text);
    // Writes <app>/lang/<name> and returns its path.
    std::filesystem::path writeLanguageFile(const std::string& name, const std::string& text);

private:
    std::filesystem::path prefs_, app_;
};
