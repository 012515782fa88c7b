// Pictures of the windows at their designed sizes. Set VARNEL_SHOTS to a
// folder to keep them for a look; the checks here catch an icon that fails
// to show and controls that spill out of their group.
#include "ShellTest.h"

#include <cstdlib>

#include "applib/AboutWindow.h"
#include "fw/gui/Gui.h"
#include "shell/OptionWindow.h"

namespace {

class WindowLooksTest : public ShellTest {
protected:
    std::filesystem::path shot(const std::string& name) {
        const char* keep = std::getenv("VARNEL_SHOTS");
        return (keep ? std::filesystem::path(keep) : tempDir()) / name;
    }
};

bool hasDarkPixel(const fw::Picture& pic) {
    for (int y = 0; y < pic.Height(); ++y) {
        for (int x = 0; x < pic.Width(); ++x) {
            fw::Color c = pic.Pixel(x, y);
            if (c.Red + c.Green + c.Blue < 3 * 128) return true;
        }
    }
    return false;
}

TEST_F(WindowLooksTest, MainWindowAtItsDesignedSize) {
    startVarnel();
    processEvents();
    grabToPNG(main(), shot("main-window.png"));
    fw::PicturePtr reload = grab("BBReopen");
    ASSERT_NE(reload, nullptr);
    EXPECT_TRUE(hasDarkPixel(*reload));  // the icon is drawn

    // Every control of a group lies inside it.
    MainWindow& w = main();
    for (int i = 0; i < w.ControlCount(); ++i) {
        fw::RectControl* c = w.Control(i);
        fw::RectControl* p = c->Parent();
        if (!p) continue;
        EXPECT_GE(c->Left(), p->Left()) << c->Name().utf8();
        EXPECT_GE(c->Top(), p->Top()) << c->Name().utf8();
        EXPECT_LE(c->Left() + c->Width(), p->Left() + p->Width()) << c->Name().utf8();
        EXPECT_LE(c->Top() + c->Height(), p->Top() + p->Height()) << c->Name().utf8();
    }
}

TEST_F(WindowLooksTest, OptionsWindowAndAboutBox) {
    startVarnel();
    click("PBOptions");
    processEvents();
    grabToPNG(fw::Implicit<OptionWindow>(), shot("options-window.png"));
    fw::Implicit<OptionWindow>().Close();
    processEvents();

    onNextModal([&](fw::Window& about) {
        grabToPNG(about, shot("about-box.png"));
        about.Close();
    });
    ASSERT_TRUE(chooseMenu("HelpAbout"));
    EXPECT_TRUE(std::filesystem::exists(shot("about-box.png")));
}

}  // namespace
