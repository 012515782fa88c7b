// The About box: texts from the language table and the application's
// version, the licence page with the program's name filled in, one modal
// box at a time.
#include "AppLibTest.h"
#include "applib/AboutWindow.h"
#include "applib/UrlStaticText.h"
#include "applib/VellClass.h"
#include "fw/gui/Gui.h"

namespace {

int count(const std::string& s, const std::string& part) {
    int n = 0;
    for (size_t p = s.find(part); p != std::string::npos; p = s.find(part, p + part.size())) ++n;
    return n;
}

}  // namespace

class AboutBox : public AppLibTest {
protected:
    // Takes the steps while the box that `open` shows is up; the box closes
    // afterwards if the steps left it open.
    void whenAboutShows(const std::function<void()>& open, const std::function<void(AboutWindow&)>& steps) {
        bool ran = false;
        onNextModal([&](fw::Window& w) {
            ran = true;
            auto& a = dynamic_cast<AboutWindow&>(w);
            steps(a);
            if (a.IsOpen()) a.Close();
        });
        open();
        EXPECT_TRUE(ran);
    }
    // The same, opening the box from the test window's Help menu.
    void withAbout(const std::function<void(AboutWindow&)>& steps) {
        whenAboutShows([&] { EXPECT_TRUE(chooseMenu("HelpAbout")); }, steps);
    }
    int page(AboutWindow& a) { return a.Control<fw::PagePanel>("PPFunction").Value(); }
    std::string licence(AboutWindow& a) { return a.Control<fw::EditField>("EFLicense").Text().utf8(); }
};

TEST_F(AboutBox, ShowsTheRegisteredIdentityAndVersion) {
    startWithTestWindow();
    const auto open = [] { EXPECT_FALSE(fw::Implicit<TestWindow>().HelpAbout_Action()); };
    whenAboutShows(open, [&](AboutWindow& a) {
        EXPECT_TRUE(a.IsOpen());
        EXPECT_EQ(a.Title().utf8(), "Varnel");
        EXPECT_EQ(text("STProgramName"), "Varnel");
        EXPECT_EQ(text("USTVendorSite"), TestProgramUrl);
        EXPECT_EQ(a.Control<UrlStaticText>("USTVendorSite").URL.utf8(), TestProgramUrl);
        fw::Application* app = fw::GetAppObject();
        const std::string version = std::to_string(app->MajorVersion()) + "." + std::to_string(app->MinorVersion()) +
                                    "." + std::to_string(app->BugVersion()) + "." +
                                    std::to_string(app->NonReleaseVersion());
        EXPECT_EQ(text("STProgramVersion"), version);
        EXPECT_EQ(page(a), AboutWindow::AboutPage);
        EXPECT_EQ(a.Width(), 542);
        EXPECT_EQ(a.Height(), 331);

        click("USTVendorSite");
        EXPECT_EQ(shownURLs(), std::vector<std::string>{TestProgramUrl});
    });
}

TEST_F(AboutBox, LicensePageNamesTheProgramInQuotes) {
    startWithTestWindow();
    int placeholders = 0;
    withAbout([&](AboutWindow& a) {
        const std::string before = licence(a);
        placeholders = count(before, "%software%");
        EXPECT_GT(placeholders, 1);

        click("PBLicense");
        EXPECT_EQ(page(a), AboutWindow::LicensePage);
        const std::string filled = licence(a);
        EXPECT_EQ(count(filled, "%software%"), 0);
        EXPECT_EQ(count(filled, "\"Varnel\""), placeholders);

        click("PBLicense");  // nothing left to fill
        EXPECT_EQ(licence(a), filled);
        click("PBAbout");
        EXPECT_EQ(page(a), AboutWindow::AboutPage);

        // Closed on the licence page: the next box starts afresh.
        click("PBLicense");
        click("PBCloseWindow");
        EXPECT_TRUE(a.IsClosed());
    });
    processEvents();
    for (fw::Window* w : fw::OpenWindows()) EXPECT_EQ(dynamic_cast<AboutWindow*>(w), nullptr);
    withAbout([&](AboutWindow& again) {
        EXPECT_EQ(page(again), AboutWindow::AboutPage);
        EXPECT_EQ(count(licence(again), "%software%"), placeholders);
    });
}

TEST_F(AboutBox, LanguageFileNameReachesTitleLabelAndLicence) {
    writeLanguageFile("default.lng", "[Application]\nProgramName=Der \"Wandler\"\n");
    startWithTestWindow();
    withAbout([&](AboutWindow& a) {
        EXPECT_EQ(a.Title().utf8(), "Der \"Wandler\"");
        EXPECT_EQ(text("STProgramName"), "Der \"Wandler\"");
        click("PBLicense");
        EXPECT_NE(licence(a).find("\"Der \"Wandler\"\""), std::string::npos);
    });
}

TEST_F(AboutBox, UnseededTextsFallBackAndThePlaceholderAddressIsNotOpened) {
    startApp<BareApp>([] { fw::Implicit<FixedWindow>(); });
    const auto open = [] { fw::Implicit<FixedWindow>().HelpAbout_Action(); };
    whenAboutShows(open, [&](AboutWindow& a) {
        EXPECT_EQ(a.Title().utf8(), "Program Name");
        EXPECT_EQ(text("USTVendorSite"), "Vendor Site");
        EXPECT_EQ(a.Control<UrlStaticText>("USTVendorSite").URL.utf8(), "Vendor Site Url");
        click("USTVendorSite");
        EXPECT_TRUE(shownURLs().empty());
        click("PBLicense");
        EXPECT_NE(licence(a).find("\"Program Name\""), std::string::npos);
    });
}

TEST_F(AboutBox, AskingAgainWhileShownBringsTheSameBoxBack) {
    startWithTestWindow();
    const auto open = [&] {
        fw::Implicit<TestWindow>().HelpAbout_Action();
        processEvents();
    };
    whenAboutShows(open, [&](AboutWindow& a) {
        a.PBLicense_Action();
        // From the About box's own Help menu binding, as the front window.
        a.HandleMenu("HelpAbout");
        EXPECT_EQ(a.Control<fw::PagePanel>("PPFunction").Value(), AboutWindow::AboutPage);
        EXPECT_EQ(&fw::Implicit<AboutWindow>(), &a);
        a.PBCloseWindow_Action();
    });
    EXPECT_EQ(fw::testing::ShownModalTitles().size(), 1u);
}

TEST_F(AboutBox, KeepsItsPlaceUnderItsOwnName) {
    startWithTestWindow();
    withAbout([&](AboutWindow& a) {
        a.Left(70);
        a.Top(90);
        click("PBCloseWindow");
    });
    processEvents();
    EXPECT_EQ(Vell->UserSettings->Get("AboutWindow.Pos", "").StringValue().utf8(), "70,90,542,331");
    EXPECT_EQ(Vell->UserSettings->Get("AboutWindow.State", "").StringValue().utf8(), "0");
    withAbout([&](AboutWindow& again) {
        EXPECT_EQ(again.Left(), 70);
        EXPECT_EQ(again.Top(), 90);
    });
}
