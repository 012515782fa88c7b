// What the main window keeps from one run to the next, and how it reads a
// settings file it did not write itself.
#include "ShellTest.h"

#include "engine/quillet.h"
#include "fw/core/FolderItem.h"
#include "fw/core/TextEncoding.h"
#include "fw/gui/Gui.h"
#include "shell/EncodingSelect.h"
#include "shell/OptionWindow.h"
#include "splitter/SmartSplitter.h"

namespace fs = std::filesystem;
using testsupport::readFile;

namespace {

class WindowSettingsTest : public ShellTest {
protected:
    // Starts as a new process would: the engine's state fresh.
    void freshStart() {
        quillet::stringlength = 0;
        quillet::WordWrap = false;
        quillet::CurrentDocument = "";
        startVarnel();
    }
    bool horizontalScrollBar(const char* pane) { return main().Control<fw::EditField>(pane).ScrollBarHorizontal(); }
    int barTop() { return control("SSHor").Top(); }
    // The bar and the two groups it divides stay in line.
    void expectGroupsFollowTheBar() {
        EXPECT_EQ(control("GroupBox2").Top(), barTop() + 9);
        EXPECT_EQ(control("GBSource").Top() + control("GBSource").Height(), barTop() - 3);
    }
};

TEST_F(WindowSettingsTest, WorkingStateComesBackAtTheNextStart) {
    fs::path doc = writeFile("page.html", "<p>page</p>");
    startVarnel();
    click("PBOptions");
    control<fw::EditField>("EFStrLen").Text("76");
    click("PBOptionClose");
    choosePopupRow("PMTypeOfConversion", "HTML page");
    choosePopupRow("EncodingSelectSource", "UTF8");
    choosePopupRow("EncodingSelectDest", "WindowsLatin1");
    main().LoadFile(doc.string());
    const std::string path = fw::GetFolderItem(doc.string())->AbsolutePath().utf8();
    dragBar("SSHor", 0, 40);
    ASSERT_EQ(barTop(), 275);
    stopVarnel();

    EXPECT_EQ(savedSetting("StringLength"), "76");
    EXPECT_EQ(savedSetting("CurrentDocument"), path);
    EXPECT_EQ(savedSetting("SelectLang"), "5");
    EXPECT_EQ(savedSetting("WordWrap"), "False");
    EXPECT_EQ(savedSetting("MainWindow.SSHor.Top"), "275");
    EXPECT_EQ(savedSetting("OpenRecent"), path);
    EXPECT_EQ(savedSetting("SSHorTop"), "<none>");
    const std::string file = readFile(settingsFile());
    EXPECT_NE(file.find("[mainwindow]"), std::string::npos);
    EXPECT_NE(file.find("sshor.top=275"), std::string::npos);

    freshStart();
    EXPECT_EQ(quillet::stringlength, 76);
    EXPECT_EQ(quillet::CurrentDocument.utf8(), path);
    EXPECT_EQ(text("PMTypeOfConversion"), "HTML page");
    EXPECT_EQ(control<EncodingSelect>("EncodingSelectSource").GetEncoding(), fw::Encodings::UTF8);
    EXPECT_EQ(control<EncodingSelect>("EncodingSelectDest").GetEncoding(), fw::Encodings::WindowsLatin1);
    EXPECT_EQ(barTop(), 275);
    expectGroupsFollowTheBar();
    EXPECT_EQ(itemTexts("FileOpenRecent"), std::vector<std::string>{path});

    // Re-open works at once, without a dialog.
    click("BBReopen");
    EXPECT_EQ(text("EFSource"), "<p>page</p>");
    EXPECT_TRUE(shownDialogs().empty());
}

TEST_F(WindowSettingsTest, WordWrapReachesBothPanesAndIsKept) {
    struct Case {
        const char* stored;  // nullptr: no settings file
        bool wrap;
    };
    const Case cases[] = {{nullptr, false}, {"True", true}, {"False", false}, {"1", true}, {"", false}};
    for (const Case& c : cases) {
        if (c.stored) writeSettings(std::string("[common]\nwordwrap=") + c.stored + "\n");
        freshStart();
        EXPECT_EQ(quillet::WordWrap, c.wrap);
        EXPECT_EQ(horizontalScrollBar("EFSource"), !c.wrap);
        EXPECT_EQ(horizontalScrollBar("EFDest"), !c.wrap);
        stopVarnel();
        EXPECT_EQ(savedSetting("WordWrap"), c.wrap ? "True" : "False");
    }
}

TEST_F(WindowSettingsTest, StoredConversionTypeIsRestoredOrFallsBackToTheFirst) {
    struct Case {
        const char* stored;
        const char* shown;
    };
    // clang-format off
    const Case cases[] = {
        {"4", "HTML"},       {"18", "ASCII to code"}, {"21", "Javascript"},
        {"-1", "Javascript"}, {"abc", "Javascript"},  {" ", "Javascript"},
    };
    // clang-format on
    for (const Case& c : cases) {
        writeSettings(std::string("[common]\nselectlang=") + c.stored + "\n");
        freshStart();
        EXPECT_EQ(text("PMTypeOfConversion"), c.shown) << c.stored;
        stopVarnel();
    }
    // The restored type takes effect as if chosen: the byte-wise page locks
    // the output pane.
    writeSettings("[common]\nselectlang=6\n");
    freshStart();
    EXPECT_EQ(text("PMTypeOfConversion"), "Pakkle");
    EXPECT_FALSE(control("EFDest").Enabled());
}

TEST_F(WindowSettingsTest, BarPositionFromEitherKeyMovesTheGroupsWithIt) {
    struct Case {
        const char* settings;
        int top;
    };
    const Case cases[] = {
        {"", 235},
        {"[mainwindow]\nsshor.top=300\n", 300},
        {"[mainwindow]\nsshor.top= \n", 235},
        {"[common]\nsshortop=300\n", 300},
        {"[common]\nsshortop=300\n[mainwindow]\nsshor.top=260\n", 260},
        {"[common]\nsshortop=300\n[mainwindow]\nsshor.top=\n", 300},
    };
    for (const Case& c : cases) {
        writeSettings(c.settings);
        freshStart();
        EXPECT_EQ(barTop(), c.top) << c.settings;
        expectGroupsFollowTheBar();
        stopVarnel();
    }
}

TEST_F(WindowSettingsTest, ResizingReappliesTheBarsLimits) {
    startVarnel();
    auto& bar = control<SmartSplitter>("SSHor");
    const int maxBefore = bar.MaxLimit;
    resize(main(), 614, 652);
    EXPECT_EQ(bar.MaxLimit, maxBefore + 100);
    EXPECT_EQ(barTop(), 235);
    // The bar can now be dragged into the new space.
    dragBar("SSHor", 0, 250);
    EXPECT_EQ(barTop(), 485);
    expectGroupsFollowTheBar();
}

TEST_F(WindowSettingsTest, HandEditedFileLoadsWhatItCan) {
    writeSettings(
        "garbage without a section\n"
        "[common]\n"
        "stringlength=12abc\n"
        "currentdocument=/nowhere/page.html\n"
        "this line has no equals sign\n"
        "wordwrap=perhaps\n"
        "selectlang=99999999999999999999\n"
        "openrecent=/nowhere/a.html||/nowhere/b.html\n"
        "[mainwindow\n"
        "sshor.top=-5000\n"
        "[mainwindow]\n"
        "sshor.top=not a number at all\n");
    freshStart();
    EXPECT_EQ(quillet::stringlength, 12);
    EXPECT_EQ(quillet::CurrentDocument, "/nowhere/page.html");
    EXPECT_FALSE(quillet::WordWrap);
    EXPECT_EQ(text("PMTypeOfConversion"), "Javascript");
    EXPECT_GE(barTop(), control<SmartSplitter>("SSHor").MinLimit);
    EXPECT_LE(barTop(), control<SmartSplitter>("SSHor").MaxLimit);
    auto recent = itemTexts("FileOpenRecent");
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(recent.front(), "/nowhere/b.html");

    // The current document has gone: Re-open says so and the run goes on.
    click("BBReopen");
    EXPECT_EQ(shownMessages(), std::vector<std::string>{"Error: not file found"});
    click("PBConvert");
    EXPECT_FALSE(text("EFDest").empty());
}

TEST_F(WindowSettingsTest, WindowsStoredBeyondTheScreenOpenWhollyOnIt) {
    fw::ScreenInfo screen;
    screen.width = screen.availableWidth = 1280;
    screen.height = 800;
    screen.availableTop = 30;  // a panel along the top
    screen.availableHeight = 770;
    fw::testing::FakeScreens({screen});
    auto expectOnScreen = [&](const fw::Window& w) {
        const fw::Window::Margins m = w.FrameMargins();
        EXPECT_GE(w.Left() - m.left, screen.AvailableLeft());
        EXPECT_GE(w.Top() - m.top, screen.AvailableTop());
        EXPECT_LE(w.Left() + w.Width() + m.right, screen.AvailableLeft() + screen.AvailableWidth());
        EXPECT_LE(w.Top() + w.Height() + m.bottom, screen.AvailableTop() + screen.AvailableHeight());
    };
    for (const char* pos : {"100,80,32000,32000", "99999999999,99999999999,99999999999,99999999999"}) {
        writeSettings(std::string("[mainwindow]\npos=") + pos + "\n[optionwindow]\npos=" + pos + "\n");
        freshStart();
        expectOnScreen(main());
        EXPECT_GT(main().Width(), 614);  // as large as the screen allows
        click("PBOptions");
        expectOnScreen(fw::Implicit<OptionWindow>());
        const std::string kept = std::to_string(main().Left()) + "," + std::to_string(main().Top()) + "," +
                                 std::to_string(main().Width()) + "," + std::to_string(main().Height());
        stopVarnel();
        EXPECT_EQ(savedSetting("MainWindow.Pos"), kept);
    }
}

TEST_F(WindowSettingsTest, ClosingTheMainWindowEndsTheRunAndWritesTheFile) {
    startVarnel();
    quillet::stringlength = 33;
    closeBox(main());
    EXPECT_TRUE(fw::QuitDone());
    EXPECT_EQ(savedSetting("StringLength"), "33");
    EXPECT_EQ(savedSetting("SelectLang"), "0");
}

}  // namespace
