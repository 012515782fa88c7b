// The "Options" window: the string length field, Apply, Close and the
// window's close box.
#include "ShellTest.h"

#include "engine/quillet.h"
#include "fw/gui/Gui.h"
#include "shell/OptionWindow.h"

namespace {

class OptionsTest : public ShellTest {
protected:
    OptionWindow& openOptions() {
        click("PBOptions");
        processEvents();
        return fw::Implicit<OptionWindow>();
    }
    static bool optionsOpen() {
        for (fw::Window* w : fw::OpenWindows()) {
            if (dynamic_cast<OptionWindow*>(w)) return true;
        }
        return false;
    }
    void setLength(const std::string& typed) {
        auto& field = fw::Implicit<OptionWindow>().Control<fw::EditField>("EFStrLen");
        field.SelectAll();
        field.Clear();
        type("EFStrLen", typed);
    }
};

TEST_F(OptionsTest, OpensFromButtonAndMenuAsDesigned) {
    startVarnel();
    OptionWindow& w = openOptions();
    EXPECT_EQ(w.Title(), "Options");
    EXPECT_EQ(w.Width(), 459);
    EXPECT_EQ(w.Height(), 279);
    EXPECT_FALSE(w.Resizeable());
    EXPECT_EQ(w.MenuBar(), nullptr);
    EXPECT_EQ(text("EFStrLen"), "0");
    EXPECT_TRUE(w.Control<fw::PushButton>("PBOptionApply").Default());
    EXPECT_EQ(w.Control<fw::EditField>("EFStrLen").Alignment(), fw::EditField::AlignRight);
    EXPECT_EQ(text("StaticText1"), "set \"0\" for the one big string");
    w.Close();
    processEvents();
    ASSERT_TRUE(chooseMenu("FileOptions"));
    processEvents();
    EXPECT_TRUE(fw::Implicit<OptionWindow>().IsOpen());
}

TEST_F(OptionsTest, ApplyTakesTheTypedLength) {
    startVarnel();
    openOptions();
    struct Case {
        const char* typed;
        const char* shown;
        int32_t length;
    };
    const Case cases[] = {
        {"0076", "0076", 76}, {"9999", "9999", 9999},
        {"", "", 0},          {"12345", "1234", 1234},  // the mask holds four digits
        {"4x-2", "42", 42},                             // and digits only
    };
    for (const Case& c : cases) {
        quillet::stringlength = -7;
        setLength(c.typed);
        EXPECT_EQ(text("EFStrLen"), c.shown) << c.typed;
        click("PBOptionApply");
        EXPECT_EQ(quillet::stringlength, c.length) << c.typed;
    }
    // Return presses the default button.
    setLength("33");
    pressKey("EFStrLen", "Return");
    EXPECT_EQ(quillet::stringlength, 33);
    EXPECT_TRUE(fw::Implicit<OptionWindow>().IsOpen());
}

TEST_F(OptionsTest, CloseAppliesAndTheCloseBoxDoesNot) {
    startVarnel();
    openOptions();
    setLength("120");
    click("PBOptionClose");
    processEvents();
    EXPECT_FALSE(optionsOpen());
    EXPECT_EQ(quillet::stringlength, 120);

    OptionWindow& again = openOptions();
    EXPECT_EQ(text("EFStrLen"), "120");
    setLength("5");
    closeBox(again);
    processEvents();
    EXPECT_FALSE(optionsOpen());
    EXPECT_EQ(quillet::stringlength, 120);
}

TEST_F(OptionsTest, NextConversionUsesTheAppliedLength) {
    startVarnel();
    click("PBSourceClear");
    type("EFSource", std::string(50, 'x'));
    openOptions();
    setLength("10");
    click("PBOptionApply");
    click(main(), "PBConvert");
    EXPECT_EQ(main().RawOutput, quillet::Varnel(std::string(50, 'x'), "Javascript"));
    EXPECT_NE(main().RawOutput.bytes().find("xxxxxxxxxx"), std::string::npos);
    EXPECT_EQ(main().RawOutput.bytes().find("xxxxxxxxxxx"), std::string::npos);
}

TEST_F(OptionsTest, ApplyRestoresThePanesScrollBarsFromWordWrap) {
    for (bool wrap : {false, true}) {
        startVarnel();
        quillet::WordWrap = wrap;
        openOptions();
        click("PBOptionApply");
        EXPECT_EQ(main().Control<fw::EditField>("EFSource").ScrollBarHorizontal(), !wrap);
        EXPECT_EQ(main().Control<fw::EditField>("EFDest").ScrollBarHorizontal(), !wrap);
        stopVarnel();
    }
}

TEST_F(OptionsTest, StoredLengthOutsideTheMaskShowsAsItIs) {
    startVarnel();
    quillet::stringlength = -5;
    openOptions();
    EXPECT_EQ(text("EFStrLen"), "-5");
    click("PBOptionApply");
    EXPECT_EQ(quillet::stringlength, -5);
}

}  // namespace
