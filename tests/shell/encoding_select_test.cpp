// The two encoding pop-ups: their rows, their stored choices, GetEncoding.
#include "ShellTest.h"

#include "fw/gui/Gui.h"
#include "shell/EncodingSelect.h"

namespace {

class EncodingSelectTest : public ShellTest {};

TEST_F(EncodingSelectTest, EveryRowNamesItsFrameworkEncoding) {
    startVarnel();
    auto& popup = control<EncodingSelect>("EncodingSelectSource");
    ASSERT_EQ(popup.ListCount(), 85);
    ASSERT_EQ(fw::Encodings::Count(), 85);
    for (int i = 0; i < 85; ++i) {
        popup.ListIndex(i);
        const fw::TextEncoding* enc = popup.GetEncoding();
        ASSERT_NE(enc, nullptr) << i;
        EXPECT_EQ(enc, fw::Encodings::ByName(popup.List(i).utf8())) << i;
        EXPECT_EQ(enc->index, i) << popup.List(i).utf8();
    }
    EXPECT_EQ(popup.List(84), "WindowsVietnamese");
    // Rows 3 to 84 are alphabetical, ignoring case.
    for (int i = 4; i < 85; ++i) EXPECT_LT(StrComp(popup.List(i - 1), popup.List(i), 1), 0) << i;
}

TEST_F(EncodingSelectTest, TextOutsideTheListGivesSystemDefault) {
    EncodingSelect loose;  // never opened: no rows
    EXPECT_EQ(loose.Text(), "");
    EXPECT_EQ(loose.GetEncoding(), fw::Encodings::SystemDefault);
    EXPECT_EQ(loose.EncodingsList.size(), 85u);
}

TEST_F(EncodingSelectTest, StoredRowsComeBackPerPopup) {
    struct Case {
        const char* stored;
        const char* shown;
    };
    const Case cases[] = {
        {"84", "WindowsVietnamese"}, {"85", "SystemDefault"},  {"-1", "SystemDefault"},
        {"", "SystemDefault"},       {"abc", "SystemDefault"}, {"81", "WindowsLatin1"},
    };
    for (const Case& c : cases) {
        writeSettings(std::string("[common]\nencodingselectsource=") + c.stored + "\nencodingselectdest=1\n");
        startVarnel();
        EXPECT_EQ(text("EncodingSelectSource"), c.shown) << c.stored;
        EXPECT_EQ(text("EncodingSelectDest"), "UTF8") << c.stored;
        stopVarnel();
    }
}

TEST_F(EncodingSelectTest, ChoicesAreSavedAtQuit) {
    startVarnel();
    choosePopupRow("EncodingSelectSource", "UTF8");
    choosePopupRow("EncodingSelectDest", "WindowsLatin1");
    quitApp();
    EXPECT_EQ(savedSetting("EncodingSelectSource"), "1");
    EXPECT_EQ(savedSetting("EncodingSelectDest"), "81");
}

}  // namespace
