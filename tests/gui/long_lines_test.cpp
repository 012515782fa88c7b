#include <string>

#include "tests/gui/GuiTestBase.h"

namespace {

class PaneWindow : public fw::Window {
public:
    PaneWindow() {
        Width(400);
        Height(300);
        AddControl<fw::EditField>("EFPane", "", 10, 10, 380, 280).MultiLine(true);
    }
};

class LongLinesTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        startApp<fw::Application>([] { fw::Implicit<PaneWindow>(); });
    }
    fw::EditField& pane() { return fw::Implicit<PaneWindow>().Control<fw::EditField>("EFPane"); }
};

std::string run(char c, size_t n) { return std::string(n, c); }

TEST_F(LongLinesTest, LongLinesReadBackExactly) {
    const std::string emoji = "\xF0\x9F\x98\x80";  // two UTF-16 units
    const std::string cases[] = {
        "",
        run('a', 4096),
        run('a', 4097),
        run('b', 10000) + "\n" + run('c', 3) + "\n\n" + run('d', 8193) + "\n",
        run('e', 4095) + emoji + run('f', 5000),  // a pair across the cut
        "\n" + run('g', 12288),
    };
    for (const std::string& text : cases) {
        pane().Text(text);
        EXPECT_EQ(pane().Text().utf8(), text) << text.size();
    }
}

TEST_F(LongLinesTest, SelectionCountsCharactersAcrossTheCuts) {
    const std::string text = run('a', 5000) + "XY" + run('b', 5000) + "\nlast";
    pane().Text(text);
    pane().SelStart(5000);
    pane().SelLength(2);
    EXPECT_EQ(pane().SelText().utf8(), "XY");
    EXPECT_EQ(pane().SelStart(), 5000);
    EXPECT_EQ(pane().SelLength(), 2);
    pane().SelStart(4090);
    pane().SelLength(20);
    EXPECT_EQ(pane().SelText().utf8(), run('a', 20));  // spans the first cut
    pane().SelStart(10000);
    pane().SelLength(6);
    EXPECT_EQ(pane().SelText().utf8(), "bb\nlas");
    pane().SelStart(4000);
    pane().SelLength(200);
    pane().Copy();
    EXPECT_EQ(fw::Clipboard().Text().utf8(), run('a', 200));
}

TEST_F(LongLinesTest, EditingAtACutLosesNothing) {
    const std::string text = run('a', 4096) + run('b', 100);
    pane().Text(text);
    // The caret at the cut; Backspace removes one character, Return adds a break.
    pane().SelStart(4096);
    pressKey("EFPane", "Backspace");
    EXPECT_EQ(pane().Text().utf8(), run('a', 4095) + run('b', 100));
    pane().SelStart(4095);
    pressKey("EFPane", "Return");
    EXPECT_EQ(pane().Text().utf8(), run('a', 4095) + "\n" + run('b', 100));
    pane().Text(text);
    pane().SelStart(4097);
    pressKey("EFPane", "Return");
    EXPECT_EQ(pane().Text().utf8(), run('a', 4096) + "b\n" + run('b', 99));
    // Delete just before a cut, and typing over a selection across it.
    pane().Text(text);
    pane().SelStart(4095);
    pressKey("EFPane", "Delete");
    EXPECT_EQ(pane().Text().utf8(), run('a', 4095) + run('b', 100));
    pane().Text(text + "\nz");
    pane().SelStart(4090);
    pane().SelLength(10);
    pane().SelText("Z");
    EXPECT_EQ(pane().Text().utf8(), run('a', 4090) + "Z" + run('b', 96) + "\nz");
}

// An edit that joins a cut piece of a long line with a whole line, or a whole
// line with a piece, changes only the text it touches, and so do its undo and
// redo.
TEST_F(LongLinesTest, JoiningAcrossACutKeepsTheOtherBreaks) {
    const std::string head = "first\n", a = run('a', 4096), b = run('b', 4096), c = run('c', 100);
    const std::string text = head + a + b + c + "\nlast";
    const int32_t last = int32_t(text.size()) - 4, cut = int32_t(head.size() + a.size());
    struct Case {
        int32_t start, length;
        const char* key;  // none: Cut
        std::string want;
    };
    const Case cases[] = {
        {last, 0, "Backspace", head + a + b + c + "last"},
        {last - 1, 0, "Delete", head + a + b + c + "last"},
        {last - 101, 101, "Delete", head + a + b + "last"},
        {last - 51, 53, nullptr, head + a + b + run('c', 50) + "st"},
        {8, 5000, "x", head + "aax" + run('b', 4096 - 906) + c + "\nlast"},
    };
    for (const Case& k : cases) {
        pane().Text(text);
        pane().SelStart(k.start);
        pane().SelLength(k.length);
        if (k.key) pressKey("EFPane", k.key);
        else pane().Cut();
        EXPECT_EQ(pane().Text().utf8(), k.want) << k.start;
        pane().Undo();
        EXPECT_EQ(pane().Text().utf8(), text) << k.start;
        pressKey("EFPane", "Ctrl+Shift+Z");
        EXPECT_EQ(pane().Text().utf8(), k.want) << k.start;
    }
    EXPECT_EQ(fw::Clipboard().Text().utf8(), run('c', 50) + "\nla");
    // Shift+Left from a cut selects the cut alone, which is no character.
    pane().Text(text);
    pane().SelStart(cut);
    pressKey("EFPane", "Shift+Left");
    pressKey("EFPane", "Return");
    EXPECT_EQ(pane().Text().utf8(), head + a + "\n" + b + c + "\nlast");
}

// Short lines are packed several to a block; every reading side still sees
// them as lines, and a U+2028 of the text's own stays what it is.
TEST_F(LongLinesTest, PackedShortLinesReadAndEditAsLines) {
    const std::string sep = "\xE2\x80\xA8";  // U+2028
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i) + "\n";
    text += run('x', 9000) + "\nend\n\n";
    pane().Text(text);
    EXPECT_EQ(pane().Text().utf8(), text);
    pane().SelStart(5);
    pane().SelLength(9);
    EXPECT_EQ(pane().SelText().utf8(), "0\nline 1\n");
    pane().Copy();
    EXPECT_EQ(fw::Clipboard().Text().utf8(), "0\nline 1\n");
    // Breaking a line and joining two.
    pane().SelStart(2);
    pressKey("EFPane", "Return");
    EXPECT_EQ(pane().Text().utf8(), "li\nne 0\n" + text.substr(7));
    pane().SelStart(8);
    pressKey("EFPane", "Backspace");
    EXPECT_EQ(pane().Text().utf8(), "li\nne 0line 1\n" + text.substr(14));
    // A U+2028 that arrives later, or that the text brings, is kept.
    pane().Text(text);
    pane().SelStart(0);
    pane().SelText("a" + sep + "b");
    EXPECT_EQ(pane().Text().utf8(), "a" + sep + "b" + text);
    pane().Text(text);
    fw::Clipboard().Text("p" + sep);
    pane().SelStart(3);
    pane().Paste();
    EXPECT_EQ(pane().Text().utf8(), "linp" + sep + text.substr(3));
    pane().Text(sep + text);
    EXPECT_EQ(pane().Text().utf8(), sep + text);
}

}  // namespace
