// The "Open Recent" submenu: order, capacity, uniqueness, choosing an entry
// and the list kept across runs.
#include "ShellTest.h"

#include "engine/quillet.h"
#include "fw/core/FolderItem.h"
#include "fw/gui/Gui.h"

namespace fs = std::filesystem;

namespace {

class RecentFilesTest : public ShellTest {
protected:
    static std::string pathOf(const fs::path& p) { return fw::GetFolderItem(p.string())->AbsolutePath().utf8(); }
    std::vector<std::string> recentMenu() { return itemTexts("FileOpenRecent"); }
    // The user opens "Open Recent" and picks the entry at `row` (0 on top).
    void chooseRecent(int row) {
        fw::MenuItemPtr entry = main().FileOpenRecent()->Item(row);
        ASSERT_NE(entry, nullptr);
        entry->Choose();
        processEvents();
    }
    // Written and loaded in order; returns their absolute paths.
    std::vector<std::string> load(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& n : names) {
            fs::path file = writeFile(n, "<p>" + n + "</p>");
            main().LoadFile(file.string());
            paths.push_back(pathOf(file));
        }
        return paths;
    }
    // Quits, then starts as a new process would, with the engine's state fresh.
    void restart() {
        stopVarnel();
        quillet::stringlength = 0;
        quillet::WordWrap = false;
        quillet::CurrentDocument = "";
        startVarnel();
    }
};

TEST_F(RecentFilesTest, NewestOnTopAndEachPathOnce) {
    startVarnel();
    EXPECT_TRUE(recentMenu().empty());
    auto p = load({"a.html", "b.html", "c.html"});
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{p[2], p[1], p[0]}));

    main().LoadFile(p[0]);
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{p[0], p[2], p[1]}));
    auto q = load({"d.html", "b.html"});
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{q[1], q[0], p[0], p[2]}));
    EXPECT_EQ(main().OpenRecentItems->Count(), 4);
}

TEST_F(RecentFilesTest, KeepsTheTenNewest) {
    startVarnel();
    std::vector<std::string> names;
    for (int i = 1; i <= 11; ++i) names.push_back("f" + std::to_string(i) + ".html");
    auto p = load(names);
    auto menu = recentMenu();
    ASSERT_EQ(menu.size(), 10u);
    EXPECT_EQ(menu.front(), p[10]);
    EXPECT_EQ(menu.back(), p[1]);

    // A path already listed in a full list takes no one else's place.
    main().LoadFile(p[5]);
    menu = recentMenu();
    ASSERT_EQ(menu.size(), 10u);
    EXPECT_EQ(menu.front(), p[5]);
    EXPECT_EQ(menu.back(), p[1]);
}

TEST_F(RecentFilesTest, ChoosingAnEntryOpensItAndMovesItToTheTop) {
    startVarnel();
    auto p = load({"a.html", "b.html", "c.html"});
    chooseRecent(2);
    EXPECT_EQ(text("EFSource"), "<p>a.html</p>");
    EXPECT_EQ(quillet::CurrentDocument.utf8(), p[0]);
    EXPECT_EQ(main().Title().utf8(), "Varnel - " + p[0]);
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{p[0], p[2], p[1]}));

    // The top entry reloads from disk; a new entry stands in its place.
    writeFile("a.html", "changed");
    fw::MenuItemPtr before = main().FileOpenRecent()->Item(0);
    chooseRecent(0);
    EXPECT_EQ(text("EFSource"), "changed");
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{p[0], p[2], p[1]}));
    EXPECT_NE(main().FileOpenRecent()->Item(0), before);
    EXPECT_EQ(before->Parent(), nullptr);
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(RecentFilesTest, AnEntryWhoseFileHasGoneStays) {
    startVarnel();
    auto p = load({"a.html", "b.html"});
    fs::remove(p[0]);
    chooseRecent(1);
    EXPECT_EQ(shownMessages(), std::vector<std::string>{"Error: not file found"});
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{p[1], p[0]}));
    EXPECT_EQ(text("EFSource"), "<p>b.html</p>");
    EXPECT_EQ(quillet::CurrentDocument.utf8(), p[1]);
}

TEST_F(RecentFilesTest, ListIsKeptAcrossRuns) {
    startVarnel();
    auto p = load({"a.html", "b.html", "c.html"});
    restart();
    EXPECT_EQ(savedSetting("OpenRecent"), p[0] + "|" + p[1] + "|" + p[2]);
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{p[2], p[1], p[0]}));
    chooseRecent(1);
    EXPECT_EQ(text("EFSource"), "<p>b.html</p>");
}

TEST_F(RecentFilesTest, StoredListIsReadWithTheListsRules) {
    const std::string a = pathOf(writeFile("a.html", "<p>a</p>"));
    const std::string twoBars = pathOf(writeFile("x||y.html", "<p>x</p>"));
    struct Case {
        std::string stored;
        std::vector<std::string> menu;
    };
    const Case cases[] = {
        {"", {}},
        {"/d/1|/d/2|/d/3|/d/4|/d/5|/d/6|/d/7|/d/8|/d/9|/d/10|/d/11|/d/12",
         {"/d/12", "/d/11", "/d/10", "/d/9", "/d/8", "/d/7", "/d/6", "/d/5", "/d/4", "/d/3"}},
        {"/d/a|/d/b|/d/a|/d/c", {"/d/c", "/d/a", "/d/b"}},
        // The separator inside a file name does not split the path.
        {"/d/x|y.html|/d/z.html", {"/d/z.html", "/d/x|y.html"}},
        // Empty fields are no entries and are glued to nothing.
        {"|||relative/path|" + a + "||", {a, "relative/path"}},
        // An existing file is not lengthened by the field after it ...
        {a + "|notes", {"notes", a}},
        // ... but a path whose name holds the separator twice stays whole.
        {twoBars + "|" + a, {a, twoBars}},
    };
    for (const Case& c : cases) {
        writeSettings("[common]\nopenrecent=" + c.stored + "\n");
        startVarnel();
        EXPECT_EQ(recentMenu(), c.menu) << c.stored;
        stopVarnel();
    }
    startVarnel();
    chooseRecent(0);
    EXPECT_EQ(text("EFSource"), "<p>a</p>");
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(RecentFilesTest, PathWithTheSeparatorSurvivesARestart) {
    startVarnel();
    auto p = load({"a|b.html", "c.html"});
    restart();
    EXPECT_EQ(recentMenu(), (std::vector<std::string>{p[1], p[0]}));
    chooseRecent(1);
    EXPECT_EQ(text("EFSource"), "<p>a|b.html</p>");
    EXPECT_TRUE(shownMessages().empty());
}

}  // namespace
