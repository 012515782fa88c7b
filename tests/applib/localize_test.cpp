// Localisation: keys built from the window's name, a word for the element's
// class and the element's name; the element's own text is the default.
#include "AppLibTest.h"
#include "applib/VellClass.h"
#include "applib/VellEdit.h"
#include "fw/gui/Gui.h"
#include "tests/gui/TestMenus.h"

namespace {

std::string recorded(const char* key) { return Vell->Lang->LangSet.Get(key, "<none>").StringValue().utf8(); }

std::string menuText(fw::Window& w, const char* item) { return w.MenuBar()->Lookup(item)->Text().utf8(); }

}  // namespace

using Localization = AppLibTest;

TEST_F(Localization, OpeningRecordsEveryTextUnderItsKey) {
    startWithTestWindow();
    struct Case {
        const char* key;
        const char* text;  // nullptr: never asked, or asked with an empty default
    } cases[] = {
        {"MainWindow.Title", "Test Window"},
        {"MainWindow.Help", "The test window"},
        {"MainWindow.Menu.FileMenu", "&File"},
        {"MainWindow.Menu.FileMenu.FileOpen", "Open..."},
        {"MainWindow.Menu.FileMenu.FileLanguage", "Language..."},
        {"MainWindow.Menu.FileMenu.FileQuit", "Quit"},
        {"MainWindow.Menu.FileMenu.UntitledSeparator", nullptr},
        {"MainWindow.Menu.FileMenu.UntitledSeparator0", nullptr},
        {"MainWindow.Menu.HelpMenu", "Help"},
        {"MainWindow.Menu.HelpMenu.HelpAbout", "About"},
        {"MainWindow.GroupBox.GBSource", "Source"},
        {"MainWindow.GroupBox.GBSource.Help", "Source group"},
        {"MainWindow.EditField.EFSource", nullptr},
        {"MainWindow.EditField.EFSource.Help", "Source text"},
        {"MainWindow.PushButton.PBConvert", "Convert to"},
        {"MainWindow.PushButton.PBConvert.Help", "Convert the text"},
        {"MainWindow.StaticText.STInfo", "Info"},
        {"MainWindow.StaticText.STInfo.Help", nullptr},
        {"MainWindow.StaticText.USTLink", "Link"},
        {"MainWindow.BevelButton.BBReopen", "R"},
        {"MainWindow.BevelButton.BBReopen.Help", "Re-open"},
        {"MainWindow.CheckBox.CBWrap", "Wrap"},
        {"MainWindow.RadioButton.RBOne", "One"},
        {"MainWindow.ListBox.LBFiles.0", "Name"},
        {"MainWindow.ListBox.LBFiles.1", "Size"},
        {"MainWindow.ListBox.LBFiles.2", "Date"},
        {"MainWindow.ListBox.LBFiles.Help", nullptr},
        {"MainWindow.ListBox.LBPlain.0", nullptr},
        {"MainWindow.TabPanel.TPOptions.0", "General"},
        {"MainWindow.TabPanel.TPOptions.1", "Advanced"},
        {"MainWindow.TabPanel.TPOptions.Help", nullptr},
        {"MainWindow.ComboBox.CMBName.Help", "Combo"},
        {"MainWindow.PopupMenu.CMBName.Help", nullptr},
        {"MainWindow.PopupMenu.PMTypeOfConversion.Help", "Kind"},
    };
    for (const Case& c : cases) EXPECT_EQ(recorded(c.key), c.text ? c.text : "<none>") << c.key;

    // Page panels and canvases have no row: nothing of theirs is asked for.
    const fw::Dictionary& table = Vell->Lang->LangSet.Storage;
    for (int64_t i = 0; i < table.Count(); ++i) {
        const std::string key = table.Key(i).utf8();
        EXPECT_EQ(key.find("pppages"), std::string::npos) << key;
        EXPECT_EQ(key.find("cvdraw"), std::string::npos) << key;
    }
}

TEST_F(Localization, LanguageFileRenamesButtonsMenusHelpTagsHeadingsAndTabs) {
    writeLanguageFile("default.lng",
                      "[MainWindow]\n"
                      "Title=Testfenster\n"
                      "Menu.FileMenu=&Datei\n"
                      "Menu.FileMenu.FileOpen=Öffnen...\n"
                      "Menu.FileMenu.UntitledSeparator=not a separator\n"
                      "PushButton.PBConvert=Umwandeln\n"
                      "PushButton.PBConvert.Help=   \n"
                      "EditField.EFSource=replaced text\n"
                      "EditField.EFSource.Help=Quelltext\n"
                      "StaticText.STInfo.Help=Line one\\nline two\n"
                      "[mainwindow.listbox.lbfiles]\n"
                      "1=Größe\n"
                      "[MAINWINDOW]\n"
                      "TabPanel.TPOptions.1=Erweitert\n"
                      "ComboBox.CMBName.Help=Kombi\n"
                      "PopupMenu.CMBName.Help=wrong row\n");
    startWithTestWindow();
    auto& w = fw::Implicit<TestWindow>();
    EXPECT_EQ(w.Title().utf8(), "Testfenster");
    EXPECT_EQ(menuText(w, "FileMenu"), "&Datei");
    EXPECT_EQ(menuText(w, "FileOpen"), "Öffnen...");
    EXPECT_EQ(menuText(w, "UntitledSeparator"), "-");
    EXPECT_EQ(menuText(w, "HelpAbout"), "About");
    EXPECT_EQ(w.Control<fw::PushButton>("PBConvert").Caption().utf8(), "Umwandeln");
    EXPECT_EQ(w.Control<fw::PushButton>("PBConvert").HelpTag().utf8(), "Convert the text");  // blank: missing
    EXPECT_EQ(w.Control<VellEdit>("EFSource").Text().utf8(), "typed text");
    EXPECT_EQ(w.Control<VellEdit>("EFSource").HelpTag().utf8(), "Quelltext");
    EXPECT_EQ(w.Control<fw::StaticText>("STInfo").HelpTag().utf8(), "Line one\r\nline two");
    EXPECT_EQ(w.Control<fw::Listbox>("LBFiles").Heading(0).utf8(), "Name");
    EXPECT_EQ(w.Control<fw::Listbox>("LBFiles").Heading(1).utf8(), "Größe");
    EXPECT_EQ(w.Control<fw::TabPanel>("TPOptions").Caption(1).utf8(), "Erweitert");
    EXPECT_EQ(w.Control<fw::ComboBox>("CMBName").HelpTag().utf8(), "Kombi");
    EXPECT_EQ(w.Control<fw::PopupMenu>("PMTypeOfConversion").List(0).utf8(), "HTML");
}

TEST_F(Localization, EmptyNameGivesKeysWithoutPrefix) {
    startWithTestWindow();
    auto& w = fw::Implicit<TestWindow>();
    Vell->Lang->Load((appDir() / "lang" / "none.lng").string());
    Vell->Localize(w, "");
    EXPECT_EQ(recorded("Title"), "Test Window");
    EXPECT_EQ(recorded("Common.Help"), "The test window");
    EXPECT_EQ(recorded("Menu.FileMenu.FileOpen"), "Open...");
    EXPECT_EQ(recorded("PushButton.PBConvert"), "Convert to");
    EXPECT_EQ(recorded("ListBox.LBFiles.2"), "Date");
    EXPECT_EQ(recorded(".Title"), "<none>");
}

TEST_F(Localization, MenuWalkSkipsSeparatorSubtreesButNotTopLevelSeparators) {
    startWithTestWindow();
    auto top = menuItem("Sep", "-");
    auto sep = menuItem("Inner", "-");
    sep->Append(menuItem("Hidden", "Hidden"));
    auto unnamed = menuItem("", "Unnamed");
    unnamed->Append(menuItem("Deep", "Deep"));
    top->Append(sep);
    top->Append(unnamed);

    Vell->LocalizeMenu(*top, "K");
    EXPECT_EQ(recorded("K"), "-");
    EXPECT_EQ(recorded("K.Inner"), "<none>");
    EXPECT_EQ(recorded("K.Inner.Hidden"), "<none>");
    EXPECT_EQ(recorded("K."), "Unnamed");
    EXPECT_EQ(recorded("K..Deep"), "Deep");
}
