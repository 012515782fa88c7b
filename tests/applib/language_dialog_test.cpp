// Choosing a language file: the dialog, the table it loads, the notice, and
// the choice reaching the settings file at quit.
#include "AppLibTest.h"
#include "applib/AboutWindow.h"
#include "applib/VellClass.h"
#include "fw/gui/Gui.h"

using LanguageDialog = AppLibTest;

TEST_F(LanguageDialog, ChosenFileIsUsedByLaterWindowsAndSavedAtQuit) {
    const auto de = writeLanguageFile("de.lng",
                                      "[AboutWindow]\nPushButton.PBLicense=Lizenz\n"
                                      "[MainWindow]\nPushButton.PBConvert=Umwandeln\n");
    startWithTestWindow();
    auto& main = fw::Implicit<TestWindow>();
    answerNextDialog(de);
    EXPECT_TRUE(chooseMenu("FileLanguage"));
    processEvents();

    ASSERT_EQ(shownDialogs().size(), 1u);
    const fw::testing::DialogRecord d = shownDialogs()[0];
    EXPECT_EQ(d.kind.utf8(), "open");
    EXPECT_EQ(d.title.utf8(), "Select a Language Interface file");
    EXPECT_EQ(d.filter.utf8(), "Language");
    EXPECT_EQ(std::filesystem::path(d.initialDirectory.utf8()), appDir() / "lang");
    EXPECT_TRUE(shownMessages().empty());

    // The open window keeps its texts; the next one takes the new file's,
    // and the identity texts registered at start are gone.
    EXPECT_EQ(main.Control<fw::PushButton>("PBConvert").Caption().utf8(), "Convert to");
    fw::Implicit<AboutWindow>();
    processEvents();
    EXPECT_EQ(fw::Implicit<AboutWindow>().Control<fw::PushButton>("PBLicense").Caption().utf8(), "Lizenz");
    EXPECT_EQ(fw::Implicit<AboutWindow>().Title().utf8(), "Program Name");

    quitApp();
    EXPECT_EQ(std::filesystem::path(savedSetting("Language")), de);

    startWithTestWindow();
    EXPECT_EQ(fw::Implicit<TestWindow>().Control<fw::PushButton>("PBConvert").Caption().utf8(), "Umwandeln");
}

TEST_F(LanguageDialog, CancelChangesNothing) {
    startWithTestWindow();
    cancelNextDialog();
    EXPECT_TRUE(fw::Implicit<TestWindow>().FileLanguage_Action());
    EXPECT_EQ(Vell->Lang->LangFile.utf8(), "lang/default.lng");
    EXPECT_EQ(Vell->Lng("x", "Application.ProgramName").utf8(), "Varnel");
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(LanguageDialog, RestartNoticeComesFromTheNewFile) {
    const auto withNotice = writeLanguageFile("fr.lng", "RestartMsg=Redémarrez !\nMsg=Choisir\n");
    const auto without = writeLanguageFile("it.lng", "[x]\ny=z\n");
    startWithTestWindow();
    answerNextDialog(withNotice);
    Vell->changeLanguageDialog(true);
    answerNextDialog(without);
    Vell->changeLanguageDialog(true);
    EXPECT_EQ(shownMessages(),
              (std::vector<std::string>{"Redémarrez !",
                                        "You should restart application to apply new interface language!"}));
    // The second dialog's title came from the first file.
    ASSERT_EQ(shownDialogs().size(), 2u);
    EXPECT_EQ(shownDialogs()[1].title.utf8(), "Choisir");
}

TEST_F(LanguageDialog, MissingLangFolderStartsInTheApplicationFolder) {
    std::filesystem::remove_all(appDir() / "lang");
    startWithTestWindow();
    cancelNextDialog();
    Vell->changeLanguageDialog(false);
    ASSERT_EQ(shownDialogs().size(), 1u);
    EXPECT_EQ(std::filesystem::path(shownDialogs()[0].initialDirectory.utf8()), appDir());
}
