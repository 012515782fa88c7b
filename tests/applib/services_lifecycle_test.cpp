// The services object's life: built at the application's Open before any
// window opens, written once at the application's Close after every window
// has closed.
#include "AppLibTest.h"
#include "applib/VellClass.h"
#include "applib/VellGlobal.h"

using Lifecycle = AppLibTest;

TEST_F(Lifecycle, OpensApplicationBeforeWindowsAndClosesWindowsFirst) {
    startWithTestWindow();
    auto* app = dynamic_cast<TestApp*>(fw::GetAppObject());
    ASSERT_NE(app, nullptr);
    EXPECT_TRUE(app->sawVellInOpen);
    EXPECT_EQ(EOL.bytes(), "\r\n");
    quitApp();
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"app.Open", "TestWindow.Open", "TestWindow.Close", "app.Close"}));
}

TEST_F(Lifecycle, FirstStartWritesLanguageAndWindowValues) {
    ASSERT_FALSE(std::filesystem::exists(settingsFile()));
    startWithTestWindow();
    quitApp();
    ASSERT_TRUE(std::filesystem::exists(settingsFile()));
    EXPECT_EQ(savedSetting("Language"), "lang/default.lng");
    EXPECT_EQ(savedSetting("MainWindow.State"), "0");
    EXPECT_EQ(savedSetting("MainWindow.Pos"), "60,80,600,400");
    // The window's own Close ran while the store was still to be written.
    EXPECT_EQ(savedSetting("MainWindow.Custom"), "kept");
}

TEST_F(Lifecycle, ValuesStoredAfterTheApplicationClosedAreNotWritten) {
    startWithTestWindow();
    quitApp();
    Vell->UserSettings->Set("Late.Value", "1");
    EXPECT_EQ(savedSetting("Late.Value"), "<none>");
}

TEST_F(Lifecycle, SubclassWithoutHandlersStillGetsServicesAndSettings) {
    startApp<BareApp>([] { fw::Implicit<FixedWindow>(); });
    ASSERT_TRUE(Vell);
    EXPECT_EQ(Vell->Lang->LangFile.utf8(), "lang/default.lng");
    quitApp();
    EXPECT_EQ(savedSetting("FixedWindow.Pos"), "100,120,300,200");
}

TEST_F(Lifecycle, InstalledSettingsAreReadButNeverWritten) {
    const std::string installed = "[common]\ninstalled=yes\n";
    testsupport::writeFile(appDir() / "varnel.ini", installed);
    startWithTestWindow();
    EXPECT_EQ(Vell->AppSettings->Get("Installed", "").StringValue().utf8(), "yes");
    quitApp();
    EXPECT_EQ(testsupport::readFile(appDir() / "varnel.ini"), installed);
}

TEST_F(Lifecycle, NextStartLoadsTheLanguageFileRecorded) {
    const auto lng = writeLanguageFile("de.lng", "[Application]\nProgramName=Varnel DE\n");
    writeSettings("[common]\nlanguage=" + lng.string() + "\n");
    startWithTestWindow();
    EXPECT_EQ(Vell->Lng("Program Name", "Application.ProgramName").utf8(), "Varnel DE");
    quitApp();
    EXPECT_EQ(savedSetting("Language"), lng.string());
}

TEST(VellGlobal, EmptyServicesObjectIsTheNilFault) {
    Vell.reset();
    EXPECT_FALSE(Vell);
    EXPECT_THROW(Vell->Lng("a", "b"), fw::NilObjectException);
}
