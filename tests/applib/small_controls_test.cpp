// The link label and the pane edit field.
#include "AppLibTest.h"
#include "applib/UrlStaticText.h"
#include "applib/VellEdit.h"
#include "fw/gui/Gui.h"

using SmallControls = AppLibTest;

TEST_F(SmallControls, LinkStyleReplacesTheDesignAtOpen) {
    startWithTestWindow();
    auto& link = fw::Implicit<TestWindow>().Control<UrlStaticText>("USTLink");
    EXPECT_TRUE(link.Underline());
    EXPECT_EQ(link.TextColor().Hex(), 0x0000FFu);
    mouseMove("USTLink", 3, 3);
    ASSERT_NE(link.MouseCursor(), nullptr);
    EXPECT_EQ(link.MouseCursor()->shape, fw::Cursor::Shape::FingerPointer);
}

TEST_F(SmallControls, ClickOpensOnlyWebAndMailAddresses) {
    startWithTestWindow();
    auto& link = fw::Implicit<TestWindow>().Control<UrlStaticText>("USTLink");
    int passedOn = 0;
    link.On("MouseDown", std::function<bool(int, int)>([&](int, int) { return ++passedOn, true; }));
    struct Case {
        const char* url;
        bool opens;
    } cases[] = {
        {"https://varnel.example/", true},
        {"HTTP://Example.org/a?b#c", true},
        {"mailto:me@example.org", true},
        {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},
        {"javascript:alert(1)", false},
        {"http://", false},
        {"   ", false},
        {"https://a b/", false},
        {"mailto:", false},
        {"Vendor Site Url", false},
        {"http:/x", false},
    };
    for (const Case& c : cases) {
        fw::testing::Reset();
        link.URL = c.url;
        click("USTLink");
        EXPECT_EQ(shownURLs(), c.opens ? std::vector<std::string>{c.url} : std::vector<std::string>{}) << c.url;
    }
    EXPECT_EQ(passedOn, 0);  // an address, opened or not, is never passed on
}

TEST_F(SmallControls, EmptyAddressPassesTheClickOn) {
    startWithTestWindow();
    auto& link = fw::Implicit<TestWindow>().Control<UrlStaticText>("USTLink");
    link.URL = "";
    EXPECT_FALSE(link.Fire<bool(int, int)>("MouseDown", 4, 5));  // no user handler
    int gotX = -1, gotY = -1;
    link.On("MouseDown", std::function<bool(int, int)>([&](int x, int y) {
                gotX = x;
                gotY = y;
                return true;
            }));
    EXPECT_TRUE(link.Fire<bool(int, int)>("MouseDown", 4, 5));
    EXPECT_EQ(gotX, 4);
    EXPECT_EQ(gotY, 5);
    EXPECT_TRUE(shownURLs().empty());
}

TEST_F(SmallControls, PaneContextMenuAddsNothingOfItsOwn) {
    startWithTestWindow();
    auto& pane = fw::Implicit<TestWindow>().Control<VellEdit>("EFSource");
    fw::MenuItem base;
    EXPECT_FALSE(pane.Fire<bool(fw::MenuItem&, int, int)>("ConstructContextualMenu", base, 1, 1));
    EXPECT_EQ(base.Count(), 0);
    EXPECT_FALSE(pane.Fire<bool(fw::MenuItem&)>("ContextualMenuAction", base));
    contextClick("EFSource", 5, 5);
    EXPECT_EQ(pane.Text().utf8(), "typed text");
}
