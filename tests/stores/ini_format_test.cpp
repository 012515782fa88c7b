#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "applib/VellSettings.h"
#include "tests/stores/TempApp.h"
#include "tests/support/TestFiles.h"

using testsupport::readFile;
using testsupport::writeFile;

using fw::String;
using fw::Variant;

namespace {

class IniFormatTest : public TempApp {
protected:
    // A store over `bytes`, written as the user settings file "t.ini".
    VellSettings storeOf(const std::string& bytes) {
        writeFile(prefsDir / "t.ini", bytes);
        return VellSettings("t.ini", true);
    }
    static std::string raw(const VellSettings& s, const char* key) {
        return s.Storage.Value(key).StringValue().bytes();
    }
};

TEST_F(IniFormatTest, LinesReadAsTheirKeys) {
    struct Case {
        std::string file;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"k=a=b", "common.k", "a=b"},
        {"[MainWindow]\nPos=1", "mainwindow.pos", "1"},
        {"[a.b]\nc=1", "a.b.c", "1"},
        {"  [ sp ]\t\nk=v", " sp .k", "v"},
        {"[x]y]\nk=v", "x]y.k", "v"},
        {" k=v", "common. k", "v"},
        {"k=  v ", "common.k", "  v "},
        {"no value here", "common.no value here", ""},
        {"=v", "common.", "v"},
        {"[]\nk=v", ".k", "v"},
        {"k=1\nk=2", "common.k", "2"},
        {"[A]\nk=1\n[a]\nk=2", "a.k", "2"},
        {"k=v\r\nj=w", "common.k", "v\r"},  // only LF ends a line
        {"[s]=v", "common.[s]", "v"},       // not a header: it ends in "v"
        {"Caf\xC3\xA9=\xC3\xA9t\xC3\xA9", "common.caf\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
        {"\xEF\xBB\xBFk=v", "common.k", "v"},                    // an editor's byte-order mark
        {std::string("\xFF\xFEk\0=\0v\0", 8), "common.k", "v"},  // UTF-16 with its mark
    };
    for (const Case& c : cases) {
        VellSettings s = storeOf(c.file);
        EXPECT_TRUE(s.Storage.HasKey(c.key)) << c.file;
        EXPECT_EQ(raw(s, c.key), c.value) << c.file;
    }
}

TEST_F(IniFormatTest, EmptyFilesGiveEmptyStores) {
    for (const char* file : {"", "\n\n  \n\t\n", "[only a header]\n", "\xEF\xBB\xBF"}) {
        EXPECT_EQ(storeOf(file).Storage.Count(), 0) << file;
    }
}

TEST_F(IniFormatTest, GetAppliesTheKeyRuleAndBlankRule) {
    VellSettings s = storeOf("top=1\n[Common]\nmid=2\n[common]\nlow=3\n[W]\nblank=   \n");
    for (const char* key : {"top", "TOP", "Common.Top", "common.top"}) {
        EXPECT_EQ(s.Get(key, "d").StringValue().bytes(), "1") << key;
    }
    EXPECT_EQ(s.Get("Mid", "d").StringValue().bytes(), "2");
    EXPECT_EQ(s.Get("low", "d").StringValue().bytes(), "3");
    // Blank and missing values give the default, of the type given.
    Variant d = s.Get("W.Blank", 7);
    EXPECT_TRUE(d.IsInteger());
    EXPECT_EQ(d.IntegerValue(), 7);
    EXPECT_TRUE(s.Get("W.Missing", false).IsBoolean());

    // Stored numbers come back as text, even 0 against a non-zero default.
    s.Set("Zero", 0);
    Variant z = s.Get("zero", 5);
    EXPECT_TRUE(z.IsString());
    EXPECT_EQ(z.StringValue().bytes(), "0");
    s.Set("Flag", true);
    EXPECT_TRUE(s.Get("flag", false).BooleanValue());
    s.Set("Flag", false);
    EXPECT_FALSE(s.Get("flag", true).BooleanValue());
}

TEST_F(IniFormatTest, SavesSectionsInTheWrittenForm) {
    VellSettings s("t.ini", true);
    s.Set("Language", "lang/default.lng");
    s.Set("MainWindow.Pos", "20,40,614,552");
    s.Set("MainWindow.State", 0);
    s.SaveSettings("");
    EXPECT_EQ(readFile(prefsDir / "t.ini"),
              "[common]\nlanguage=lang/default.lng\n\n"
              "[mainwindow]\npos=20,40,614,552\nstate=0\n\n");
    EXPECT_EQ(s.StorageName.bytes(), "t.ini");

    s.Clear();
    s.SaveSettings("");
    EXPECT_EQ(readFile(prefsDir / "t.ini"), "");
}

TEST_F(IniFormatTest, DottedKeysSplitAtTheirFirstDotAndReadBack) {
    VellSettings s = storeOf("[a.b]\nc=1\n");
    s.Set("MainWindow.SSHor.Top", 120);
    s.SaveSettings("");
    EXPECT_EQ(readFile(prefsDir / "t.ini"), "[a]\nb.c=1\n\n[mainwindow]\nsshor.top=120\n\n");
    VellSettings again("t.ini", true);
    EXPECT_EQ(again.Get("a.b.c", "").StringValue().bytes(), "1");
    EXPECT_EQ(again.Get("mainwindow.sshor.top", "").StringValue().bytes(), "120");
}

// Every kind of awkward entry survives a save and a reload, or is left out
// of the file without disturbing anything else.
TEST_F(IniFormatTest, AwkwardValuesRoundTrip) {
    VellSettings s("t.ini", true);
    struct Kept {
        const char* key;
        Variant value;
        const char* readBack;
    };
    const std::vector<Kept> kept = {
        {"plain", "value", "value"},
        {"eq", "a=b=c", "a=b=c"},
        {"blanks", "   ", "   "},
        {"padded", "  x  ", "  x  "},
        {"empty", "", ""},
        {"num", 42, "42"},
        {"neg", -7, "-7"},
        {"flag", true, "True"},
        {"real", 2.5, "2.5"},
        {"utf8", "日本語 ü", "日本語 ü"},
        {"cr", "ends in CR\r", "ends in CR\r"},
        {"Multi.Dot.Key", "m", "m"},
        {" sp .  name ", "s", "s"},
        {"brackets.[x", "open", "open"},
        {"[x", "kept", "kept"},
        {"lines", "one\ntwo\r\nthree", "one\\ntwo\\nthree"},
        {"inject", "x\n[common]\nplain=hijacked", "x\\n[common]\\nplain=hijacked"},
    };
    for (const Kept& k : kept) s.Set(k.key, k.value);
    // Keys the format can't hold.
    const char* const dropped[] = {"bad=name", "bad.na=me", "line\nkey", "sec\ntion.k", "w.", ".nosection"};
    for (const char* k : dropped) s.Set(k, "lost");
    s.Set("hdr.[x", "]");  // would read back as a header
    s.SaveSettings("");

    VellSettings again("t.ini", true);
    for (const Kept& k : kept) {
        String key = k.key;
        if (String(k.key).bytes().find('.') == std::string::npos) key = String("common.") + key;
        EXPECT_EQ(again.Storage.Value(fw::Lowercase(key)).StringValue().bytes(), k.readBack) << k.key;
    }
    EXPECT_EQ(again.Storage.Count(), static_cast<int64_t>(kept.size()));
    // The dropped keys stay in memory.
    EXPECT_EQ(s.Get("bad=name", "").StringValue().bytes(), "lost");
}

TEST_F(IniFormatTest, LoadMergesAndClearKeepsTheName) {
    writeFile(prefsDir / "one.ini", "a=1\nb=1\n");
    writeFile(prefsDir / "two.ini", "b=2\nc=2\n");
    VellSettings s("one.ini", true);
    s.LoadSettings("two.ini");
    EXPECT_EQ(s.Get("a", "").StringValue().bytes(), "1");
    EXPECT_EQ(s.Get("b", "").StringValue().bytes(), "2");
    EXPECT_EQ(s.Get("c", "").StringValue().bytes(), "2");
    EXPECT_EQ(s.StorageName.bytes(), "two.ini");
    s.Clear();
    EXPECT_EQ(s.Storage.Count(), 0);
    EXPECT_EQ(s.StorageName.bytes(), "two.ini");
}

TEST_F(IniFormatTest, FileNamesAndFolders) {
    // A blank name is the executable's name plus ".ini".
    writeFile(prefsDir / "varnel.ini", "where=prefs\n");
    writeFile(appDir / "varnel.ini", "where=app\n");
    VellSettings user("  ", true);
    VellSettings app("", false);
    EXPECT_EQ(user.StorageName.bytes(), "varnel.ini");
    EXPECT_EQ(user.Get("where", "").StringValue().bytes(), "prefs");
    EXPECT_EQ(app.Get("where", "").StringValue().bytes(), "app");

    // Saving under another name leaves StorageName; the name isn't trimmed.
    user.SaveSettings(" copy.ini");
    EXPECT_EQ(readFile(prefsDir / " copy.ini"), "[common]\nwhere=prefs\n\n");
    EXPECT_EQ(user.StorageName.bytes(), "varnel.ini");

    // Relative names go under the application's folder, absolute ones stand.
    writeFile(appDir / "lang" / "x.lng", "k=rel\n");
    EXPECT_EQ(VellSettings("lang/x.lng", false).Get("k", "").StringValue().bytes(), "rel");
    EXPECT_EQ(VellSettings(String((appDir / "lang" / "x.lng").string()), false).Get("k", "").StringValue().bytes(),
              "rel");
}

TEST_F(IniFormatTest, MissingFileLoadsEmptyAndFirstSaveCreatesIt) {
    VellSettings s("new.ini", true);
    EXPECT_EQ(s.Storage.Count(), 0);
    s.Set("k", "v");
    s.SaveSettings("");
    EXPECT_EQ(readFile(prefsDir / "new.ini"), "[common]\nk=v\n\n");
}

TEST_F(IniFormatTest, ReadOnlyAndFailedSavesLeaveTheFileAlone) {
    writeFile(prefsDir / "t.ini", "k=old\n");
    VellSettings s("t.ini", true);
    s.Set("k", "new");
    s.SetReadOnly(true);
    s.SaveSettings("");
    EXPECT_EQ(readFile(prefsDir / "t.ini"), "k=old\n");
    s.SetReadOnly(false);

    // Unwritable targets: a folder in the file's place, a missing folder.
    std::filesystem::create_directory(prefsDir / "dir.ini");
    s.SaveSettings("dir.ini");
    EXPECT_TRUE(std::filesystem::is_directory(prefsDir / "dir.ini"));
    s.SaveSettings("missing/t.ini");
    EXPECT_FALSE(std::filesystem::exists(prefsDir / "missing"));
    EXPECT_EQ(readFile(prefsDir / "t.ini"), "k=old\n");
    EXPECT_EQ(s.Get("k", "").StringValue().bytes(), "new");
}

TEST_F(IniFormatTest, WithoutPreferencesFolderTheStoreLivesInMemory) {
    writeFile(root / "file", "");
    ::setenv("XDG_CONFIG_HOME", (root / "file" / "x").c_str(), 1);
    ::setenv("HOME", (root / "file").c_str(), 1);
    VellSettings s("t.ini", true);
    s.Set("k", "v");
    s.SaveSettings("");
    EXPECT_EQ(s.Get("k", "").StringValue().bytes(), "v");
}

TEST_F(IniFormatTest, GarbageAndFoldersLoadWhatTheyCan) {
    std::mt19937 rng(7);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(rng());
    garbage[0] = 'x';
    garbage += "\n[common]\nlast=ok";
    VellSettings g = storeOf(garbage);
    EXPECT_EQ(g.Get("last", "").StringValue().bytes(), "ok");
    g.SaveSettings("again.ini");
    VellSettings reread("again.ini", true);
    EXPECT_EQ(reread.Get("last", "").StringValue().bytes(), "ok");

    std::filesystem::create_directory(prefsDir / "folder.ini");
    EXPECT_EQ(VellSettings("folder.ini", true).Storage.Count(), 0);
}

TEST_F(IniFormatTest, LargeFileLoadsEveryLine) {
    std::string file;
    for (int sec = 0; sec < 20; ++sec) {
        file += "[s" + std::to_string(sec) + "]\n";
        for (int i = 0; i < 1000; ++i) file += "k" + std::to_string(i) + "=" + std::to_string(sec * i) + "\n";
    }
    VellSettings s = storeOf(file);
    EXPECT_EQ(s.Storage.Count(), 20000);
    EXPECT_EQ(s.Get("S19.K999", "").StringValue().bytes(), std::to_string(19 * 999));
    s.SaveSettings("");
    EXPECT_EQ(VellSettings("t.ini", true).Storage.Count(), 20000);
}

}  // namespace
