#include <QCoreApplication>
#include <QTimer>

#include "fw/core/BackgroundTask.h"
#include "fw/gui/GuiPrivate.h"
#include "tests/gui/GuiTestBase.h"

namespace {

class DropWindow : public fw::Window {
public:
    DropWindow() {
        Width(300);
        Height(200);
        AddControls({
            fw::Row<fw::EditField>("EFSource", "", 10, 10, 200, 100, fw::LockAll,
                                   [](fw::EditField& e) { e.MultiLine(true); }),
            fw::Row<fw::EditField>("EFPlain", "", 10, 120, 200, 60, fw::LockAll,
                                   [](fw::EditField& e) { e.MultiLine(true); }),
        });
        Bind("EFSource", "DropObject", &DropWindow::EFSource_DropObject);
        On("DropObject", this, &DropWindow::Event_DropObject);
        On("Open", std::function<void()>([this] {
               AcceptFileDrop("HTML files");
               Control("EFSource").AcceptFileDrop("HTML files");
           }));
    }
    void EFSource_DropObject(fw::DragItem& d) { record("field", d); }
    void Event_DropObject(fw::DragItem& d) { record("window", d); }
    void record(const std::string& where, fw::DragItem& d) {
        do {
            if (d.FolderItemAvailable()) drops.push_back(where + " " + d.FolderItem()->Name().utf8());
        } while (d.NextItem());
    }
    std::vector<std::string> drops;
};

class DesktopTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        html = std::make_unique<fw::FileType>();
        html->Name("HTML files");
        html->Extensions(".htm;.html");
        html->MacType("HTML");
        all = std::make_unique<fw::FileType>();
        all->Name("All files");
        all->Extensions(".*");
        startApp<fw::Application>([] { fw::Implicit<DropWindow>(); });
    }
    DropWindow& win() { return fw::Implicit<DropWindow>(); }
    std::unique_ptr<fw::FileType> html, all;
};

TEST_F(DesktopTest, DroppedFilesReachTheFieldOrTheWindowNeverTheText) {
    auto page = writeFile("page.html", "<p>x</p>");
    auto other = writeFile("notes.txt", "x");
    win().Control<fw::EditField>("EFSource").Text("keep");
    dropFiles("EFSource", {page, other});
    dropFiles(win(), {writeFile("b.HTM", "")});
    dropFiles("EFSource", {other});  // no HTML file: refused by the field
    dropFiles("EFPlain", {page});    // a field that takes no files: the window does
    EXPECT_EQ(win().drops, (std::vector<std::string>{"field page.html", "window b.HTM", "window page.html"}));
    EXPECT_EQ(text("EFSource"), "keep");
    EXPECT_EQ(text("EFPlain"), "");
}

TEST_F(DesktopTest, FileDialogsTakeQueuedAnswers) {
    auto start = writeFile("doc.html", "x");
    answerNextDialog(tempDir() / "in.html");
    cancelNextDialog();
    fw::OpenDialog dlg;
    dlg.InitialDirectory = std::make_shared<fw::FolderItem>(start);
    dlg.Title = "Select a file";
    dlg.Filter = "HTML files;All files;";
    auto chosen = dlg.ShowModal();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Name().utf8(), "in.html");
    EXPECT_EQ(dlg.ShowModal(), nullptr);
    EXPECT_EQ(fw::OpenDialog().ShowModal(), nullptr);  // nothing queued: cancelled
    auto shown = shownDialogs();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title.utf8(), "Select a file");
    EXPECT_EQ(shown[0].filter.utf8(), "HTML files;All files;");
}

TEST_F(DesktopTest, SaveDialogAsksBeforeReplacing) {
    auto existing = writeFile("out.html", "old");
    fw::SaveAsDialog dlg;
    dlg.SuggestedFileName = "out.html";
    answerNextDialog(existing);
    answerNextMsgBox(fw::AnswerNo);  // back to the dialog, which is then cancelled
    EXPECT_EQ(dlg.ShowModal(), nullptr);
    answerNextDialog(existing);
    answerNextMsgBox(fw::AnswerNo);
    answerNextDialog(tempDir() / "new.html");
    auto chosen = dlg.ShowModal();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Name(), "new.html");
    answerNextDialog(existing);
    answerNextMsgBox(fw::AnswerYes);
    EXPECT_TRUE(dlg.ShowModal());
    EXPECT_EQ(shownMessages().size(), 3u);
}

TEST_F(DesktopTest, MessageBoxesAnswerAndRecord) {
    EXPECT_EQ(fw::MsgBox("Error: not file found"), fw::AnswerOK);
    answerNextMsgBox(fw::AnswerCancel);
    EXPECT_EQ(fw::MsgBox("Sure?", fw::MsgBoxOKCancel), fw::AnswerCancel);
    EXPECT_EQ(fw::MsgBox("Replace?", fw::MsgBoxYesNo), fw::AnswerYes);  // unanswered: the first button
    EXPECT_EQ(shownMessages(), (std::vector<std::string>{"Error: not file found", "Sure?", "Replace?"}));
}

TEST_F(DesktopTest, ClipboardAndBrowser) {
    fw::Clipboard clip;
    clip.Text("über\ncopy");
    EXPECT_EQ(fw::Clipboard().Text().utf8(), "über\ncopy");
    fw::ShowURL("https://example.org/");
    EXPECT_EQ(shownURLs(), (std::vector<std::string>{"https://example.org/"}));
}

class ModalBox : public fw::Window {
public:
    ModalBox() {
        Title("About");
        Frame(MovableModal);
        AddControl<fw::PushButton>("PBOK", "", 10, 10, 60, 22);
        Bind("PBOK", "Action", &ModalBox::PBOK_Action);
    }
    void PBOK_Action() { Close(); }
};

bool modalBoxOpen() {
    for (fw::Window* w : fw::OpenWindows())
        if (dynamic_cast<ModalBox*>(w)) return true;
    return false;
}

TEST_F(DesktopTest, ModalWindowRunsQueuedActionAndReturnsWhenClosed) {
    bool sawIt = false;
    onNextModal([&](fw::Window& w) {
        sawIt = w.IsOpen();
        click(w, "PBOK");
    });
    fw::Implicit<ModalBox>().ShowModal();
    EXPECT_TRUE(sawIt);
    EXPECT_EQ(fw::testing::ShownModalTitles(), (std::vector<fw::String>{"About"}));
    // Nothing queued: the window is closed and ShowModal returns.
    fw::Implicit<ModalBox>().ShowModal();
    EXPECT_FALSE(modalBoxOpen());
    EXPECT_EQ(fw::testing::ShownModalTitles(), (std::vector<fw::String>{"About", "About"}));
}

// Shows the modal box from inside a handler, as a menu command does.
class OwnerWindow : public fw::Window {
public:
    OwnerWindow() {
        AddControl<fw::PushButton>("PBShow", "", 10, 10, 60, 22);
        Bind("PBShow", "Action", &OwnerWindow::PBShow_Action);
    }
    void PBShow_Action() {
        fw::Implicit<ModalBox>().ShowModal();
        returned = true;
    }
    bool returned = false;
};

TEST_F(DesktopTest, ModalWindowShownByAHandlerClosesFromItsCloseBoxOrByHiding) {
    auto& owner = fw::Implicit<OwnerWindow>();
    onNextModal([&](fw::Window& w) { closeBox(w); });
    click(owner, "PBShow");
    EXPECT_TRUE(owner.returned);
    EXPECT_FALSE(modalBoxOpen());
    owner.returned = false;
    onNextModal([](fw::Window& w) { w.Visible(false); });
    click(owner, "PBShow");
    EXPECT_TRUE(owner.returned);
    EXPECT_TRUE(modalBoxOpen());  // hidden, not closed
}

// A canvas whose Paint calls the cooperative yield, as long drawing loops do.
class YieldCanvas : public fw::Canvas {
public:
    YieldCanvas() {
        On("Paint", std::function<void(fw::Graphics&)>([this](fw::Graphics&) {
               fw::RuntimeBackgroundTask();
               fw::RuntimeBackgroundTask();
               timerRanInside = timerRanInside || timerRuns > 0;
           }));
    }
    int timerRuns = 0;
    bool timerRanInside = false;
};

class YieldWindow : public fw::Window {
public:
    YieldWindow() {
        AddControl<YieldCanvas>("CYield", "", 0, 0, 20, 20);
        AddControl<fw::PushButton>("PBLong", "", 30, 0, 60, 22);
        Bind("PBLong", "Action", &YieldWindow::PBLong_Action);
    }
    void PBLong_Action() {
        blockedDuring = fw::gui_detail::InputBlockDepth() > 0;
        QTimer::singleShot(0, [this] { ++timerRuns; });
        fw::RuntimeBackgroundTask();  // starts the budget
        fw::RuntimeBackgroundTask();
        timerRanInside = timerRuns > 0;
    }
    bool blockedDuring = false, timerRanInside = false;
    int timerRuns = 0;
};

TEST_F(DesktopTest, YieldRunsEventsButKeepsUserInputWaitingAndSkipsPaints) {
    int64_t now = 0;
    fw::SetBackgroundTaskClock([&] { return now += 1000; });  // every call is past the budget
    auto& w = fw::Implicit<YieldWindow>();
    click("PBLong");
    EXPECT_TRUE(w.blockedDuring);
    EXPECT_TRUE(w.timerRanInside);
    EXPECT_EQ(fw::gui_detail::InputBlockDepth(), 0);

    auto& canvas = w.Control<YieldCanvas>("CYield");
    QTimer::singleShot(0, [&] { ++canvas.timerRuns; });
    canvas.Refresh();
    canvas.Snapshot();
    EXPECT_FALSE(canvas.timerRanInside);
    processEvents();
    EXPECT_EQ(canvas.timerRuns, 1);
    fw::SetBackgroundTaskClock(nullptr);
}

}  // namespace
