#include <gtest/gtest.h>

#include <string>

#include "applib/VellLanguage.h"
#include "tests/stores/TempApp.h"
#include "tests/support/TestFiles.h"

using testsupport::readFile;
using testsupport::writeFile;

using fw::String;

namespace {

class LanguageTest : public TempApp {
protected:
    std::string lng(VellLanguage& lang, const String& def, const String& key) {
        return VellText::Lng(lang, def, key).bytes();
    }
    std::string held(VellLanguage& lang, const char* key) {
        return lang.LangSet.Storage.Value(key).StringValue().bytes();
    }
};

TEST_F(LanguageTest, DefaultFileAndMissingFiles) {
    writeFile(appDir / "lang" / "default.lng", "[MainWindow]\nTitle=Fenêtre\n");
    for (const char* blank : {"", "   "}) {
        VellLanguage lang(blank);
        EXPECT_EQ(lang.LangFile.bytes(), "lang/default.lng");
        EXPECT_EQ(lng(lang, "Window", "MainWindow.Title"), "Fenêtre");
    }
    VellLanguage missing("lang/none.lng");
    EXPECT_EQ(missing.LangFile.bytes(), "lang/none.lng");
    EXPECT_EQ(missing.LangSet.Storage.Count(), 0);
    EXPECT_EQ(lng(missing, "Window", "MainWindow.Title"), "Window");
}

TEST_F(LanguageTest, FirstNonEmptyTextOfAKeyWins) {
    writeFile(appDir / "lang" / "t.lng", "Held=From file\nBlank=  \n");
    VellLanguage lang("lang/t.lng");
    EXPECT_EQ(lng(lang, "Other", "Held"), "From file");

    EXPECT_EQ(lng(lang, "", "Later"), "");
    EXPECT_FALSE(lang.LangSet.Storage.HasKey("common.later"));
    EXPECT_EQ(lng(lang, "first", "Later"), "first");
    EXPECT_EQ(lng(lang, "second", "Later"), "first");

    // A blank text in the file counts as missing and gets replaced.
    EXPECT_EQ(lng(lang, "default", "Blank"), "default");
    EXPECT_EQ(lng(lang, "again", "Blank"), "default");

    // Letter case and the implied "common." reach the same entry.
    for (const char* key : {"held", "HELD", "Common.Held", "common.held"}) {
        EXPECT_EQ(lng(lang, "x", key), "From file") << key;
    }
}

TEST_F(LanguageTest, LineBreaksAreHeldEscapedAndReturnedAsCRLF) {
    writeFile(appDir / "lang" / "t.lng", "Two=first\\nsecond\n");
    VellLanguage lang("lang/t.lng");
    EXPECT_EQ(lng(lang, "x", "Two"), "first\r\nsecond");

    struct Case {
        const char* def;
        const char* key;
        const char* shown;
        const char* stored;
    };
    const Case cases[] = {
        {"a\nb", "LF", "a\r\nb", "a\\nb"},
        {"a\r\nb\rc", "Mixed", "a\r\nb\r\nc", "a\\nb\\nc"},
        {"a\\nb", "Literal", "a\r\nb", "a\\nb"},
        {"a\n\nb\n", "Trailing", "a\r\n\r\nb\r\n", "a\\n\\nb\\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lng(lang, c.def, c.key), c.shown) << c.key;
        EXPECT_EQ(held(lang, (std::string("common.") + fw::Lowercase(c.key).bytes()).c_str()), c.stored) << c.key;
    }
}

TEST_F(LanguageTest, LoadReplacesTheWholeTable) {
    writeFile(appDir / "lang" / "fr.lng", "[Application]\nVendorSite=Site\n");
    VellLanguage lang("");
    lng(lang, "Varnel", "Application.ProgramName");
    EXPECT_EQ(lng(lang, "Program Name", "Application.ProgramName"), "Varnel");

    lang.Load("lang/fr.lng");
    EXPECT_EQ(lang.LangFile.bytes(), "lang/fr.lng");
    EXPECT_EQ(lng(lang, "Program Name", "Application.ProgramName"), "Program Name");
    EXPECT_EQ(lng(lang, "x", "Application.VendorSite"), "Site");
}

TEST_F(LanguageTest, AbsolutePathOfAChosenFileOpensItAgain) {
    writeFile(root / "elsewhere" / "de.lng", "Msg=Sprachdatei wählen\n");
    fw::FolderItem chosen(root / "elsewhere" / ".." / "elsewhere" / "de.lng");
    String path = chosen.AbsolutePath();
    VellLanguage lang("");
    lang.Load(path);
    // What the next start reads back from the settings.
    VellLanguage next(lang.LangFile);
    EXPECT_EQ(lng(next, "Select a Language Interface file", "Msg"), "Sprachdatei wählen");
}

TEST_F(LanguageTest, SaveWritesRecordedTextsThatReadBack) {
    VellLanguage lang("lang/out.lng");
    lng(lang, "Line one\nLine two", "Dialog.Text");
    lang.Set("Manual", "set");
    lang.Save("");
    EXPECT_EQ(readFile(appDir / "lang" / "out.lng"),
              "[dialog]\ntext=Line one\\nLine two\n\n[common]\nmanual=set\n\n");
    VellLanguage again("lang/out.lng");
    EXPECT_EQ(lng(again, "", "Dialog.Text"), "Line one\r\nLine two");
}

TEST_F(LanguageTest, DialogStartsInTheLanguageFolderWhenThereIsOne) {
    auto folder = VellText::LanguageFolder();
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->Path(), appDir / "lang");
    std::filesystem::remove_all(appDir / "lang");
    folder = VellText::LanguageFolder();
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->Path(), appDir);
}

TEST_F(LanguageTest, RestartNoticeHasAKeyOfItsOwn) {
    writeFile(appDir / "lang" / "t.lng", "Msg=Title\nRestartMsg=Restart now\n");
    VellLanguage lang("lang/t.lng");
    EXPECT_EQ(lng(lang, "Select a Language Interface file", "Msg"), "Title");
    EXPECT_EQ(lng(lang, "You should restart application to apply new interface language!",
                  VellText::RestartNoticeKey),
              "Restart now");
}

}  // namespace
