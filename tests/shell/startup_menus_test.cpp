// First start, the menu bar and the identity texts.
#include "ShellTest.h"

#include "applib/VellClass.h"
#include "fw/gui/Gui.h"
#include "shell/App.h"
#include "shell/EncodingSelect.h"
#include "shell/HtmlFiles.h"
#include "shell/MenuBar1.h"
#include "shell/refresh.h"

namespace {

class StartupTest : public ShellTest {};

TEST_F(StartupTest, FirstStartWithoutSettings) {
    startVarnel();
    MainWindow& w = main();
    EXPECT_EQ(w.Title(), "Varnel - one click converter html to javascript code and more...");
    EXPECT_EQ(w.Width(), 614);
    EXPECT_EQ(w.Height(), 552);
    EXPECT_EQ(text("EFSource"), "Paste here html code from clipboard or load html file by click \"Open...\" button");
    EXPECT_EQ(text("EFDest"), "");
    EXPECT_EQ(text("PMTypeOfConversion"), "Javascript");
    auto& types = control<fw::PopupMenu>("PMTypeOfConversion");
    ASSERT_EQ(types.ListCount(), 21);
    EXPECT_EQ(types.List(3), "");
    EXPECT_EQ(types.List(20), "Suggest new (open browser)");
    for (const char* name : {"EncodingSelectSource", "EncodingSelectDest"}) {
        auto& popup = control<EncodingSelect>(name);
        EXPECT_EQ(popup.ListCount(), 85) << name;
        EXPECT_EQ(popup.Text(), "SystemDefault") << name;
        EXPECT_EQ(popup.GetEncoding(), fw::Encodings::SystemDefault) << name;
    }
    EXPECT_TRUE(w.CloseAppOnExit);
    ASSERT_NE(w.OpenRecentItems, nullptr);
    EXPECT_EQ(w.OpenRecentItems->Count(), 0);
}

TEST_F(StartupTest, ControlsStandWhereDesigned) {
    startVarnel();
    MainWindow& w = main();
    ASSERT_EQ(w.ControlCount(), 21);
    // clang-format off
    const char* order[] = {"GroupBox2", "GBSource", "EFSource", "PBOpen", "PBSourcePaste", "PBConvert",
                           "PBSourceClear", "SSHor", "PBSaveAs", "PBDestCopy", "PBOptions", "PBDestClear",
                           "EFDest", "EncodingSelectSource", "EncodingSelectDest", "PMTypeOfConversion",
                           "STEncodingSource", "STEncodingDest", "PBPasteCode", "PBSave", "BBReopen"};
    // clang-format on
    for (int i = 0; i < 21; ++i) EXPECT_EQ(w.Control(i)->Name(), order[i]) << i;

    auto& convert = control<fw::PushButton>("PBConvert");
    EXPECT_TRUE(convert.Bold());
    EXPECT_EQ(convert.Parent(), &control("GBSource"));
    for (int i = 0; i < w.ControlCount(); ++i) {
        if (w.Control(i) != &convert) {
            EXPECT_FALSE(w.Control(i)->Bold()) << w.Control(i)->Name().utf8();
        }
    }
    auto& reopen = control<fw::BevelButton>("BBReopen");
    EXPECT_EQ(reopen.HelpTag(), "Reload current file");
    EXPECT_EQ(reopen.Icon(), refresh());
    EXPECT_NE(reopen.Icon(), nullptr);

    // Shrinking stops at the minimum; the right-hand column keeps its margin.
    resize(w, 400, 300);
    EXPECT_EQ(w.Width(), 546);
    EXPECT_EQ(w.Height(), 450);
    EXPECT_EQ(control("PBOpen").Left(), 491 - 68);
    EXPECT_EQ(control("EFSource").Width(), 434 - 68);
    EXPECT_EQ(control("SSHor").Width(), 574 - 68);
    EXPECT_EQ(control("PBConvert").Left(), 39);
}

TEST_F(StartupTest, MenusReadAsDesigned) {
    startVarnel();
    EXPECT_EQ(itemTexts("FileMenu"),
              (std::vector<std::string>{"Open...", "Re-open", "Open Recent", "Save", "Save as...", "Options...", "-",
                                        "Language...", "-", "Quit"}));
    EXPECT_EQ(itemTexts("EditMenu"),
              (std::vector<std::string>{"&Undo", "-", "Cu&t", "&Copy", "&Paste", "Clear", "-", "Select &All"}));
    EXPECT_EQ(itemTexts("HelpMenu"), (std::vector<std::string>{"About"}));

    MainWindow& w = main();
    const std::pair<fw::MenuItemPtr, const char*> shortcuts[] = {
        {w.FileOpen(), "Cmd+O"},      {w.FileReOpen(), "Cmd+R"},
        {w.FileSave(), "Cmd+S"},      {w.FileSaveas(), "Cmd+Shift+S"},
        {w.FileOptions(), ""},        {w.FileLanguage(), ""},
        {w.FileQuit(), ""},           {w.EditUndo(), "Cmd+Z"},
        {w.EditCut(), "Cmd+X"},       {w.EditCopy(), "Cmd+C"},
        {w.EditPaste(), "Cmd+V"},     {w.EditClear(), ""},
        {w.EditSelectAll(), "Cmd+A"}, {w.HelpAbout(), ""},
        {w.FileOpenRecent(), ""},     {w.FileMenu(), ""},
        {w.EditMenu(), ""},           {w.HelpMenu(), ""},
    };
    for (const auto& [item, keys] : shortcuts) {
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->KeyboardShortcut(), keys) << item->Name().utf8();
        EXPECT_TRUE(item->AutoEnable()) << item->Name().utf8();
    }
    for (auto sep : {w.UntitledSeparator(), w.UntitledSeparator0(), w.UntitledMenu0(), w.UntitledMenu1()}) {
        ASSERT_NE(sep, nullptr);
        EXPECT_EQ(sep->Text(), "-");
    }
    EXPECT_NE(w.FileQuit(), nullptr);
    EXPECT_EQ(w.FileOpenRecent()->Count(), 0);
    EXPECT_EQ(w.FileReOpen()->Icon(), refresh());
    // One bar for the application and the window.
    EXPECT_EQ(fw::GetAppObject()->MenuBar(), w.MenuBar());
    EXPECT_EQ(w.MenuBar(), TheMenuBar1());
}

TEST_F(StartupTest, IdentityTextsAndFileTypes) {
    startVarnel();
    const fw::String url = TheApp()->ProgramUrl;
    EXPECT_TRUE(url.bytes().starts_with("https://"));
    EXPECT_TRUE(url.bytes().ends_with("/"));
    EXPECT_EQ(Vell->Lng("x", "Application.ProgramName"), "Varnel");
    EXPECT_EQ(Vell->Lng("x", "Application.SupportUrl"), url + "support");
    EXPECT_EQ(Vell->Lng("x", "Application.VendorSite"), url);
    EXPECT_EQ(Vell->Lng("x", "Application.VendorSiteUrl"), url);
    EXPECT_EQ(Vell->Lng("x", "Application.ProgramUrl"), url);
    EXPECT_NE(Vell->Lng("", "Application.VendorEmail").utf8().find('@'), std::string::npos);

    EXPECT_EQ(StrComp(HtmlFiles::All(), "HTML files;All files;Text files;", 0), 0);
    ASSERT_NE(HtmlFiles::HTMLFiles(), nullptr);
    EXPECT_EQ(HtmlFiles::HTMLFiles()->Extensions(), ".htm;.html");
    EXPECT_TRUE(HtmlFiles::HTMLFiles()->Matches("page.HTML"));
    const fw::FileType* all = fw::FileType::Find("All files");
    const fw::FileType* txt = fw::FileType::Find("Text files");
    ASSERT_TRUE(all && txt);
    EXPECT_TRUE(all->Matches("anything.bin"));
    EXPECT_EQ(txt->MacType(), "TEXT");
}

TEST_F(StartupTest, MissingPictureLeavesIconsEmptyAndRetries) {
    std::filesystem::remove(appDir() / "resources" / "168.png");
    startVarnel();
    EXPECT_EQ(control<fw::BevelButton>("BBReopen").Icon(), nullptr);
    EXPECT_EQ(main().FileReOpen()->Icon(), nullptr);
    std::filesystem::copy_file(VARNEL_REFRESH_ICON, appDir() / "resources" / "168.png");
    fw::PicturePtr pic = refresh();
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(refresh(), pic);  // loaded once, then cached
}

TEST_F(StartupTest, LanguageFileRenamesButtonMenuAndProgram) {
    writeLanguageFile("default.lng",
                      "[MainWindow]\n"
                      "PushButton.PBConvert=Umwandeln\n"
                      "Menu.FileMenu=&Datei\n"
                      "Menu.FileMenu.FileOpen=Oeffnen...\n"
                      "[Application]\n"
                      "ProgramName=Quillon\n");
    startVarnel();
    EXPECT_EQ(text("PBConvert"), "Umwandeln");
    EXPECT_EQ(main().FileMenu()->Text(), "&Datei");
    EXPECT_EQ(main().FileOpen()->Text(), "Oeffnen...");
    // The pop-up rows are never translated.
    EXPECT_EQ(text("PMTypeOfConversion"), "Javascript");

    auto file = writeFile("a.html", "<p>x</p>");
    main().LoadFile(file.string());
    EXPECT_EQ(main().Title(), "Quillon - " + fw::GetFolderItem(file.string())->AbsolutePath());
}

TEST_F(StartupTest, ClosingTheMainWindowEndsTheApplication) {
    startVarnel();
    closeBox(main());
    processEvents();
    EXPECT_TRUE(fw::QuitDone());
    // The encoding pop-ups stored their rows on the way out.
    EXPECT_EQ(savedSetting("EncodingSelectSource"), "0");
}

}  // namespace
