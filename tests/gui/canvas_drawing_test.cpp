#include <string>
#include <vector>

#include "tests/gui/GuiTestBase.h"

namespace {

const fw::Color kBlack = fw::Color::FromHex(0x000000);
const fw::Color kWhite = fw::Color::FromHex(0xFFFFFF);

// The pixels of a picture as rows of '#' (black) and '.' (anything else).
std::vector<std::string> art(const fw::Picture& p) {
    std::vector<std::string> rows;
    for (int y = 0; y < p.Height(); ++y) {
        std::string r;
        for (int x = 0; x < p.Width(); ++x) r += p.Pixel(x, y) == kBlack ? '#' : '.';
        rows.push_back(r);
    }
    return rows;
}

class DrawingTest : public GuiTest {
protected:
    fw::PicturePtr pic = fw::NewPicture(6, 5);
    fw::Graphics& g() { return pic->Graphics(); }
};

TEST_F(DrawingTest, LinesIncludeBothEnds) {
    g().ForeColor(kBlack);
    g().DrawLine(0, 0, 4, 0);
    g().DrawLine(5, 1, 5, 1);  // equal ends: one dot
    g().DrawLine(0, 2, 2, 4);
    g().DrawLine(5, 4, 4, 3);
    EXPECT_EQ(art(*pic), (std::vector<std::string>{"#####.", ".....#", "#.....", ".#..#.", "..#..#"}));
}

TEST_F(DrawingTest, RectanglesCoverExactlyTheirBox) {
    g().ForeColor(kBlack);
    g().DrawRect(0, 0, 4, 3);
    g().FillRect(5, 0, 1, 5);
    g().FillRect(1, 4, 0, 1);   // empty: nothing
    g().FillRect(2, 3, -1, 1);  // negative: nothing
    EXPECT_EQ(art(*pic), (std::vector<std::string>{"####.#", "#..#.#", "####.#", ".....#", ".....#"}));
}

TEST_F(DrawingTest, PenSizeThickensLinesAndOutlines) {
    g().ForeColor(kBlack);
    g().PenWidth(2);
    g().PenHeight(2);
    g().DrawRect(0, 0, 6, 5);
    EXPECT_EQ(art(*pic), (std::vector<std::string>{"######", "######", "##..##", "######", "######"}));
    g().ForeColor(kWhite);
    g().FillRect(0, 0, 6, 5);
    g().ForeColor(kBlack);
    g().PenWidth(0);  // at least one pixel
    EXPECT_EQ(g().PenWidth(), 1);
    g().DrawLine(1, 1, 3, 1);
    EXPECT_EQ(art(*pic)[1], ".###..");  // pen 1 wide, 2 high
    EXPECT_EQ(art(*pic)[2], ".###..");
}

TEST_F(DrawingTest, TransparentPictureLeavesWhiteOut) {
    auto dst = fw::NewPicture(3, 1);
    dst->Graphics().ForeColor(fw::RGB(255, 0, 0));
    dst->Graphics().FillRect(0, 0, 3, 1);
    auto src = fw::NewPicture(3, 1);
    src->Graphics().ForeColor(kBlack);
    src->Graphics().DrawLine(1, 0, 1, 0);
    src->Transparent(1);
    dst->Graphics().DrawPicture(*src, 0, 0);
    EXPECT_EQ(dst->Pixel(0, 0), fw::RGB(255, 0, 0));
    EXPECT_EQ(dst->Pixel(1, 0), kBlack);
}

TEST_F(DrawingTest, PicturesThatCantBeMadeAreNil) {
    EXPECT_EQ(fw::NewPicture(0, 10), nullptr);
    EXPECT_EQ(fw::NewPicture(10, -1), nullptr);
    EXPECT_EQ(fw::NewPicture(1 << 20, 1 << 20), nullptr);
    EXPECT_EQ(fw::ResourcePicture(999999), nullptr);
    EXPECT_EQ(pic->Graphics().Width(), 6);
    EXPECT_EQ(&pic->Graphics(), &pic->Graphics());  // the same context every time
}

TEST_F(DrawingTest, ColoursAreClampedToTheirRange) {
    struct Case {
        double h, s, v;
        uint32_t rgb;
    } cases[] = {{0, 0, 0.5, 0x808080}, {0, 0, 2.0, 0xFFFFFF},     {0, 0, -1, 0x000000},
                 {0, 1, 1, 0xFF0000},   {1.0 / 3, 1, 1, 0x00FF00}, {5, 1, 1, 0xFF0000}};
    for (const Case& c : cases) EXPECT_EQ(fw::HSV(c.h, c.s, c.v).Hex(), c.rgb) << c.h << " " << c.s << " " << c.v;
    EXPECT_EQ(fw::RGB(300, -4, 7).Hex(), 0xFF0007u);
}

// A canvas that records its mouse events and paints a cross.
class PadCanvas : public fw::Canvas {
public:
    PadCanvas() {
        On("MouseDown", std::function<bool(int, int)>([this](int x, int y) {
               log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
               return takeDrag;
           }));
        On("MouseDrag", std::function<void(int, int)>([this](int x, int y) {
               log.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
           }));
        On("MouseUp", std::function<void(int, int)>([this](int x, int y) {
               log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
           }));
        On("MouseMove", std::function<void(int, int)>([this](int x, int y) {
               log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
           }));
        On("Paint", std::function<void(fw::Graphics&)>([this](fw::Graphics& g) {
               ++paints;
               g.ForeColor(kBlack);
               g.DrawLine(0, 0, Height() - 1, Height() - 1);
               g.FillRect(0, Height() - 2, 2, 2);
           }));
    }
    std::vector<std::string> log;
    bool takeDrag = true;
    int paints = 0;
};

class PadWindow : public fw::Window {
public:
    PadWindow() {
        Width(200);
        Height(150);
        AddControl<PadCanvas>("CPad", "", 50, 40, 10, 8);
    }
};

class CanvasTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        startApp<fw::Application>([] { fw::Implicit<PadWindow>(); });
    }
    PadCanvas& pad() { return fw::Implicit<PadWindow>().Control<PadCanvas>("CPad"); }
};

TEST_F(CanvasTest, DragFollowsTheHeldButtonBeyondTheCanvas) {
    mouseDown("CPad", 3, 4);
    mouseDrag("CPad", 30, -12);
    mouseDrag("CPad", -5, 100);
    mouseUp("CPad", -7, -7);
    mouseMove("CPad", 2, 2);
    EXPECT_EQ(pad().log,
              (std::vector<std::string>{"down 3,4", "drag 30,-12", "drag -5,100", "up -7,-7", "move 2,2"}));
}

TEST_F(CanvasTest, RefusedDragGetsNoDragOrUp) {
    pad().takeDrag = false;
    mouseDown("CPad", 1, 1);
    mouseDrag("CPad", 5, 5);
    mouseUp("CPad", 5, 5);
    EXPECT_EQ(pad().log, (std::vector<std::string>{"down 1,1"}));
}

TEST_F(CanvasTest, PaintDrawsExactPixelsOnScreen) {
    auto shot = pad().Snapshot();
    ASSERT_TRUE(shot);
    EXPECT_EQ(art(*shot), (std::vector<std::string>{"#.........", ".#........", "..#.......", "...#......",
                                                    "....#.....", ".....#....", "##....#...", "##.....#.."}));
    auto win = grab(fw::Implicit<PadWindow>());
    EXPECT_EQ(win->Pixel(50, 40), kBlack);
    EXPECT_EQ(win->Pixel(57, 47), kBlack);
    EXPECT_NE(win->Pixel(59, 40), kBlack);
    int before = pad().paints;
    pad().Refresh();
    pad().Snapshot();
    EXPECT_EQ(pad().paints, before + 1);
}

}  // namespace
