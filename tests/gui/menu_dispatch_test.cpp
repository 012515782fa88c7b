#include <QAction>
#include <QKeySequence>

#include "fw/gui/WindowPrivate.h"
#include "tests/gui/GuiTestBase.h"
#include "tests/gui/TestMenus.h"

namespace {

fw::MenuBarPtr makeBar() {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = menuItem("FileMenu", "&File");
    bar->Append(file);
    file->Append(menuItem("FileOpen", "Open...", "Cmd+O"));
    file->Append(menuItem("FileSaveas", "Save as...", "Cmd+Shift+S"));
    file->Append(menuItem("FileOpenRecent", "Open Recent"));
    file->Append(menuItem("UntitledSeparator", "-"));
    file->Append(quitMenuItem());
    auto edit = menuItem("EditMenu", "&Edit");
    bar->Append(edit);
    for (auto [n, t, k] : {std::tuple{"EditUndo", "&Undo", "Cmd+Z"},
                           {"EditCut", "Cu&t", "Cmd+X"},
                           {"EditCopy", "&Copy", "Cmd+C"},
                           {"EditPaste", "&Paste", "Cmd+V"},
                           {"EditClear", "Clear", ""},
                           {"EditSelectAll", "Select &All", "Cmd+A"}})
        edit->Append(menuItem(n, t, k));
    return bar;
}

fw::MenuBarPtr& sharedBar() {
    static fw::MenuBarPtr bar;
    return bar;
}

class MenuWindow : public fw::Window {
public:
    MenuWindow() {
        MenuBar(sharedBar());
        AddControls({
            fw::Row<fw::EditField>("EFOne", "", 10, 10, 200, 22, fw::LockL),
            fw::Row<fw::EditField>("EFTwo", "", 10, 40, 200, 22, fw::LockL),
        });
        AddMenuHandler("FileOpen", &MenuWindow::FileOpen_Action);
        Bind("EFOne", "TextChange", &MenuWindow::EFOne_TextChange);
    }
    bool FileOpen_Action() {
        ++opens;
        return false;
    }
    void EFOne_TextChange() { ++oneChanges; }
    int opens = 0, oneChanges = 0;
};

class OtherWindow : public fw::Window {
public:
    OtherWindow() { AddMenuHandler("FileOpen", &OtherWindow::FileOpen_Action); }
    bool FileOpen_Action() {
        ++opens;
        return true;
    }
    int opens = 0;
};

class MenuDispatchTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        sharedBar() = makeBar();
        startApp<fw::Application>([] {
            fw::GetAppObject()->MenuBar(sharedBar());
            fw::Implicit<MenuWindow>();
        });
    }
    void TearDown() override {
        GuiTest::TearDown();
        sharedBar().reset();
    }
    MenuWindow& win() { return fw::Implicit<MenuWindow>(); }
};

TEST_F(MenuDispatchTest, ItemGoesToTheFrontWindowsHandlerByName) {
    EXPECT_TRUE(chooseMenu("FileOpen"));
    EXPECT_EQ(win().opens, 1);
    auto& other = fw::Implicit<OtherWindow>();
    other.Activate();
    chooseMenu("FileOpen");
    EXPECT_EQ(other.opens, 1);
    EXPECT_EQ(win().opens, 1);
    EXPECT_FALSE(win().HandleMenu("FileSaveas"));  // nothing bound
}

TEST_F(MenuDispatchTest, ItemCanRemoveItselfInsideItsAction) {
    auto recent = sharedBar()->Lookup("FileOpenRecent");
    ASSERT_TRUE(recent);
    int chosen = 0;
    auto rebuild = [&] {
        while (recent->Count() > 0) recent->Item(0)->Close();
        for (const char* path : {"/a", "/b"}) {
            auto entry = menuItem("", path);
            entry->On("Action", std::function<bool()>([&, path] {
                          ++chosen;
                          // Rebuilding the submenu removes this very entry.
                          while (recent->Count() > 0) recent->Remove(0);
                          recent->Append(menuItem("", path));
                          return false;
                      }));
            recent->Insert(0, entry);
        }
    };
    rebuild();
    ASSERT_EQ(recent->Count(), 2);
    EXPECT_EQ(recent->Item(0)->Text().utf8(), "/b");
    recent->Item(0)->impl().action->trigger();
    processEvents();
    EXPECT_EQ(chosen, 1);
    ASSERT_EQ(recent->Count(), 1);
    EXPECT_EQ(recent->Item(0)->Text().utf8(), "/b");
}

TEST_F(MenuDispatchTest, TreeLookupAndShortcuts) {
    auto bar = sharedBar();
    EXPECT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Child("FileOpen"), nullptr);  // not a direct child
    ASSERT_TRUE(bar->Lookup("FileSaveas"));
    EXPECT_EQ(bar->Lookup("FileSaveas")->Parent(), bar->Child("FileMenu").get());
    EXPECT_EQ(bar->Lookup("nothing"), nullptr);
    // "Cmd" is Ctrl here.
    EXPECT_EQ(bar->Lookup("FileSaveas")->impl().action->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_TRUE(bar->Lookup("UntitledSeparator")->impl().action->isSeparator());
    EXPECT_EQ(menuTexts("FileMenu"), (std::vector<std::string>{"Open...", "Save as...", "Open Recent", "-", "Quit"}));
    EXPECT_EQ(win().MenuBar(), bar);  // one bar, shared with the application
    EXPECT_EQ(fw::GetAppObject()->MenuBar(), bar);
}

TEST_F(MenuDispatchTest, EditItemsActOnTheFocusedFieldOnce) {
    auto& one = win().Control<fw::EditField>("EFOne");
    one.Text("abc");
    win().oneChanges = 0;
    focus("EFOne");
    chooseMenu("EditSelectAll");
    chooseMenu("EditCopy");
    focus("EFTwo");
    chooseMenu("EditPaste");
    EXPECT_EQ(text("EFTwo"), "abc");
    focus("EFOne");
    chooseMenu("EditSelectAll");
    chooseMenu("EditCut");
    EXPECT_EQ(text("EFOne"), "");
    EXPECT_EQ(win().oneChanges, 1);
    chooseMenu("EditUndo");
    EXPECT_EQ(text("EFOne"), "abc");
}

TEST_F(MenuDispatchTest, QuitItemQuits) {
    chooseMenu("FileQuit");
    EXPECT_TRUE(fw::QuitDone());
}

class NoBarWindow : public fw::Window {};

TEST_F(MenuDispatchTest, WindowWithoutABarHasNone) {
    auto& w = fw::Implicit<NoBarWindow>();
    EXPECT_EQ(w.MenuBar(), nullptr);
    EXPECT_EQ(w.impl().menuHeight(), 0);
}

}  // namespace
