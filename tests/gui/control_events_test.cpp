#include "tests/gui/GuiTestBase.h"
#include "tests/gui/TestMenus.h"

namespace {

class FormWindow : public fw::Window {
public:
    FormWindow() {
        Width(400);
        Height(300);
        AddControls({
            fw::Row<fw::EditField>("EFText", "", 10, 10, 200, 100, fw::LockL | fw::LockT,
                                   [](fw::EditField& e) { e.MultiLine(true); }),
            fw::Row<fw::EditField>("EFLine", "", 10, 120, 200, 22, fw::LockL | fw::LockT),
            fw::Row<fw::PopupMenu>("PMKind", "", 220, 10, 150, 25, fw::LockL | fw::LockT,
                                   [](fw::PopupMenu& p) {
                                       p.InitialValue("Javascript\rHTML\r\rPlain text");
                                       p.ListIndex(0);
                                   }),
            fw::Row<fw::PushButton>("PBGo", "", 220, 50, 80, 22, fw::LockL | fw::LockT,
                                    [](fw::PushButton& b) { b.Default(true); }),
            fw::Row<fw::PushButton>("PBStop", "", 220, 80, 80, 22, fw::LockL | fw::LockT,
                                    [](fw::PushButton& b) { b.Cancel(true); }),
            fw::Row<fw::GroupBox>("GBOne", "", 10, 150, 180, 100, fw::LockL | fw::LockT),
            fw::Row<fw::RadioButton>("RBA", "GBOne", 20, 170, 80, 20, fw::LockL | fw::LockT),
            fw::Row<fw::RadioButton>("RBB", "GBOne", 20, 200, 80, 20, fw::LockL | fw::LockT),
            fw::Row<fw::RadioButton>("RBC", "", 220, 170, 80, 20, fw::LockL | fw::LockT),
            fw::Row<fw::TabPanel>("TPPages", "", 200, 200, 190, 90, fw::LockL | fw::LockT,
                                  [](fw::TabPanel& t) { t.Captions("One\rTwo"); }),
            fw::Row<fw::PushButton>("PBOnTwo", "TPPages", 210, 240, 80, 22, fw::LockL | fw::LockT,
                                    [](fw::PushButton& b) { b.TabPanelIndex(1); }),
        });
        Bind("EFText", "TextChange", &FormWindow::EFText_TextChange);
        Bind("PMKind", "Change", &FormWindow::PMKind_Change);
        Bind("PBGo", "Action", &FormWindow::PBGo_Action);
        Bind("PBStop", "Action", &FormWindow::PBStop_Action);
    }
    void EFText_TextChange() { ++textChanges; }
    void PMKind_Change() { ++changes; }
    void PBGo_Action() { ++go; }
    void PBStop_Action() { ++stop; }
    int textChanges = 0, changes = 0, go = 0, stop = 0;
};

class ControlEventsTest : public GuiTest {
protected:
    FormWindow& win() { return fw::Implicit<FormWindow>(); }
    void SetUp() override {
        GuiTest::SetUp();
        startApp<fw::Application>([] { fw::Implicit<FormWindow>(); });
    }
};

TEST_F(ControlEventsTest, TextChangeOnEveryChangeFromCodeAndTyping) {
    auto& ef = win().Control<fw::EditField>("EFText");
    ef.Text("abc");
    EXPECT_EQ(win().textChanges, 1);
    ef.Text("abc");  // setting the same text is still a change request
    EXPECT_EQ(win().textChanges, 2);
    int before = win().textChanges;
    type("EFText", "xy");
    EXPECT_EQ(win().textChanges, before + 2);
    EXPECT_EQ(text("EFText"), "abcxy");
}

TEST_F(ControlEventsTest, EachLineBreakShowsOnce) {
    auto& ef = win().Control<fw::EditField>("EFText");
    struct Case {
        const char* in;
        const char* shown;
    } cases[] = {{"a\rb", "a\nb"}, {"a\nb", "a\nb"}, {"a\r\nb", "a\nb"}, {"a\r\n\r\nb\r", "a\n\nb\n"}};
    for (const Case& c : cases) {
        ef.Text(c.in);
        EXPECT_EQ(ef.Text().utf8(), c.shown) << c.in;
    }
}

TEST_F(ControlEventsTest, SelectionAndEditingCommands) {
    auto& ef = win().Control<fw::EditField>("EFLine");
    ef.Text("hello world");
    ef.SelStart(6);
    ef.SelLength(5);
    EXPECT_EQ(ef.SelText().utf8(), "world");
    ef.Cut();
    EXPECT_EQ(ef.Text().utf8(), "hello ");
    EXPECT_EQ(fw::Clipboard().Text().utf8(), "world");
    ef.SelectAll();
    ef.Paste();
    EXPECT_EQ(ef.Text().utf8(), "world");
    ef.SelStart(100);  // past the end: the end
    EXPECT_EQ(ef.SelStart(), 5);
}

TEST_F(ControlEventsTest, ListIndexRaisesChangeWhenTheIndexChanges) {
    auto& pm = win().Control<fw::PopupMenu>("PMKind");
    EXPECT_EQ(pm.ListCount(), 4);
    EXPECT_EQ(pm.Text().utf8(), "Javascript");
    pm.ListIndex(1);
    EXPECT_EQ(win().changes, 1);
    pm.ListIndex(1);
    EXPECT_EQ(win().changes, 1);
    choosePopupRow("PMKind", "Plain text");
    EXPECT_EQ(win().changes, 2);
    EXPECT_EQ(pm.Text().utf8(), "Plain text");
    pm.ListIndex(99);
    EXPECT_EQ(pm.ListIndex(), -1);
    EXPECT_EQ(pm.Text().utf8(), "");
    EXPECT_EQ(pm.List(2).utf8(), "");  // the separator row
}

TEST_F(ControlEventsTest, FreshPopupHasNoRowUntilOneIsChosen) {
    fw::PopupMenu pm;
    pm.AddRows({"a", "b"});
    EXPECT_EQ(pm.ListIndex(), -1);
    EXPECT_EQ(pm.Text().utf8(), "");
}

TEST_F(ControlEventsTest, ReturnAndEscapePressDefaultAndCancel) {
    focus("EFLine");
    pressKey("Return");
    EXPECT_EQ(win().go, 1);
    pressKey("Escape");
    EXPECT_EQ(win().stop, 1);
}

TEST_F(ControlEventsTest, DisabledButtonIgnoresClicks) {
    win().Control("PBGo").Enabled(false);
    click("PBGo");
    EXPECT_EQ(win().go, 0);
    win().Control("PBGo").Enabled(true);
    click("PBGo");
    EXPECT_EQ(win().go, 1);
}

TEST_F(ControlEventsTest, RadioButtonsExcludeWithinTheirParentOnly) {
    auto& a = win().Control<fw::RadioButton>("RBA");
    auto& b = win().Control<fw::RadioButton>("RBB");
    auto& c = win().Control<fw::RadioButton>("RBC");
    a.Value(true);
    c.Value(true);
    EXPECT_TRUE(a.Value());
    b.Value(true);
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(c.Value());
}

TEST_F(ControlEventsTest, PanelShowsOnlyTheControlsOfItsPage) {
    auto& tp = win().Control<fw::TabPanel>("TPPages");
    EXPECT_EQ(tp.PanelCount(), 2);
    EXPECT_EQ(tp.Caption(1).utf8(), "Two");
    EXPECT_EQ(tp.Value(), 0);
    click("PBOnTwo");  // hidden on page 0: nothing happens, and nothing breaks
    tp.Value(1);
    EXPECT_TRUE(fw::IsA<fw::PagePanel>(&tp));
    EXPECT_FALSE(fw::IsA<fw::TabPanel>(static_cast<fw::RectControl*>(nullptr)));
}

}  // namespace

namespace {

class MenuField : public fw::EditField {
public:
    MenuField() {
        On("ConstructContextualMenu", this, &MenuField::Event_ConstructContextualMenu);
        On("ContextualMenuAction", this, &MenuField::Event_ContextualMenuAction);
    }
    bool Event_ConstructContextualMenu(fw::MenuItem& base, int, int) {
        for (const char* n : {"Copy", "-", "Paste"}) base.Append(menuItem(n, n));
        return true;
    }
    bool Event_ContextualMenuAction(fw::MenuItem& hit) {
        chosen.push_back(hit.Name().utf8());
        return true;
    }
    std::vector<std::string> chosen;
};

class ExtrasWindow : public fw::Window {
public:
    ExtrasWindow() {
        AddControls({
            fw::Row<MenuField>("EFMenu", "", 10, 10, 100, 22, fw::LockL),
            fw::Row<fw::StaticText>("STLink", "", 10, 40, 100, 20, fw::LockL,
                                    [](fw::StaticText& s) { s.Text("link"); }),
            fw::Row<fw::Listbox>("LBList", "", 10, 70, 200, 100, fw::LockL,
                                 [](fw::Listbox& l) {
                                     l.ColumnCount(3);
                                     l.HasHeading(true);
                                     l.Heading(0, "Name");
                                 }),
        });
        Bind("STLink", "MouseDown", &ExtrasWindow::STLink_MouseDown);
        Bind("STLink", "MouseMove", &ExtrasWindow::STLink_MouseMove);
        Bind("STLink", "MouseExit", &ExtrasWindow::STLink_MouseExit);
    }
    bool STLink_MouseDown(int x, int y) {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    void STLink_MouseMove(int, int) { log.push_back("move"); }
    void STLink_MouseExit() { log.push_back("exit"); }
    std::vector<std::string> log;
};

class ExtrasTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        startApp<fw::Application>([] { fw::Implicit<ExtrasWindow>(); });
    }
    ExtrasWindow& win() { return fw::Implicit<ExtrasWindow>(); }
};

TEST_F(ExtrasTest, ContextualMenuIsBuiltAndItsChoiceReported) {
    chooseNextContextMenu("Paste");
    contextClick("EFMenu", 5, 5);
    chooseNextContextMenu("");  // dismissed
    contextClick("EFMenu", 5, 5);
    EXPECT_EQ(win().Control<MenuField>("EFMenu").chosen, (std::vector<std::string>{"Paste"}));
}

TEST_F(ExtrasTest, LabelMouseEvents) {
    mouseMove("STLink", 3, 4);
    mouseDown("STLink", 7, 8);
    mouseUp("STLink", 7, 8);
    mouseExit("STLink");
    EXPECT_EQ(win().log, (std::vector<std::string>{"move", "down 7,8", "exit"}));
}

TEST_F(ExtrasTest, ListboxHeadings) {
    auto& lb = win().Control<fw::Listbox>("LBList");
    EXPECT_TRUE(lb.HasHeading());
    EXPECT_EQ(lb.ColumnCount(), 3);
    EXPECT_EQ(lb.Heading(0).utf8(), "Name");
    EXPECT_EQ(lb.Heading(3).utf8(), "");
    lb.AddRow("a");
    lb.Cell(0, 2, "c");
    EXPECT_EQ(lb.Cell(0, 2).utf8(), "c");
    EXPECT_EQ(lb.Cell(5, 0).utf8(), "");
}

TEST_F(ExtrasTest, PictureResourcesComeFromTheResourceFolder) {
    auto pic = fw::NewPicture(4, 3);
    pic->Graphics().ForeColor(fw::RGB(1, 2, 3));
    pic->Graphics().FillRect(0, 0, 4, 3);
    ASSERT_TRUE(pic->Save((tempDir() / "168.png").string()));
    fw::SetResourceFolder(tempDir().string());
    auto loaded = fw::ResourcePicture(168);
    fw::SetResourceFolder("");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Width(), 4);
    EXPECT_EQ(loaded->Pixel(3, 2), fw::RGB(1, 2, 3));
}

}  // namespace
