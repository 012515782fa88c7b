#include "tests/gui/GuiTestBase.h"

#include <QComboBox>
#include <QAction>
#include <QAbstractScrollArea>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTest>
#include <QUrl>

#include <cstdlib>

#include "fw/gui/GraphicsPrivate.h"
#include "fw/gui/GuiPrivate.h"
#include "fw/gui/WindowPrivate.h"

namespace {

QWidget* widgetOf(fw::RectControl& c) { return c.impl().widget.data(); }

// Where keyboard input of a control goes.
QWidget* inputOf(fw::RectControl& c) {
    QWidget* w = widgetOf(c);
    return w->focusProxy() ? w->focusProxy() : w;
}

// Where mouse input of a control goes (a text field's viewport).
QWidget* mouseTargetOf(fw::RectControl& c) {
    QWidget* w = inputOf(c);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) return area->viewport();
    return w;
}

QPoint mapFromControl(fw::RectControl& c, QWidget* target, int x, int y) {
    return target->mapFrom(widgetOf(c), QPoint(x, y));
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent ev(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

// A mouse event at (x, y) relative to the control, to where its mouse input goes.
void sendMouseTo(fw::RectControl& c, int x, int y, QEvent::Type type, Qt::MouseButton button,
                 Qt::MouseButtons buttons) {
    QWidget* w = mouseTargetOf(c);
    sendMouse(w, type, mapFromControl(c, w, x, y), button, buttons);
}

// The Qt application lives from the first GUI test to the last, and then
// ends as RunApplication ends it.
class GuiEnvironment : public ::testing::Environment {
public:
    void TearDown() override { fw::EndGui(); }
};
[[maybe_unused]] ::testing::Environment* const guiEnvironment = ::testing::AddGlobalTestEnvironment(
    new GuiEnvironment);

}  // namespace

void GuiTest::SetUp() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fw::InitGui(argc, argv);
    fw::testing::Enable(true);
    fw::testing::Reset();
}

void GuiTest::TearDown() {
    if (fw::GetAppObject() && !fw::QuitDone()) quitApp();
    for (fw::Window* w : fw::OpenWindows()) w->Close();
    processEvents();
    fw::EndApplication();
    processEvents();
    EXPECT_EQ(fw::testing::PendingAnswers(), 0) << "queued answers were left unused";
    fw::testing::Reset();
    tmp_.reset();
}

void GuiTest::startApp(std::unique_ptr<fw::Application> app, const std::function<void()>& makeDefaultView) {
    fw::StartApplication(std::move(app), makeDefaultView);
    processEvents();
}

void GuiTest::quitApp() {
    fw::Quit();
    processEvents();
}

void GuiTest::processEvents() {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

fw::Window& GuiTest::front() {
    fw::Window* w = fw::FrontWindow();
    if (!w) {
        auto all = fw::OpenWindows();
        if (all.empty()) throw fw::NilObjectException("no open window");
        w = all.front();
    }
    return *w;
}

fw::RectControl& GuiTest::control(const std::string& name) {
    for (fw::Window* w : fw::OpenWindows())
        if (fw::RectControl* c = w->FindControl(name)) return *c;
    ADD_FAILURE() << "no open window has a control " << name;
    throw fw::NilObjectException("no control " + name);
}

fw::RectControl& GuiTest::control(fw::Window& win, const std::string& name) {
    if (fw::RectControl* c = win.FindControl(name)) return *c;
    ADD_FAILURE() << "the window has no control " << name;
    throw fw::NilObjectException("no control " + name);
}

void GuiTest::click(const std::string& name) { click(*control(name).Window(), name); }

void GuiTest::click(fw::Window& win, const std::string& name) {
    fw::RectControl& c = control(win, name);
    QWidget* w = mouseTargetOf(c);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    processEvents();
}

void GuiTest::focus(const std::string& name) {
    fw::RectControl& c = control(name);
    c.Window()->Activate();
    QWidget* w = inputOf(c);
    w->setFocus(Qt::MouseFocusReason);
    QApplication::setActiveWindow(w->window());
    processEvents();
}

void GuiTest::type(const std::string& name, const std::string& text) {
    focus(name);
    if (auto* e = dynamic_cast<fw::EditField*>(&control(name))) e->SelStart(int(Len(e->Text())) + 1);
    QTest::keyClicks(inputOf(control(name)), QString::fromStdString(text));
    processEvents();
}

static void pressSequence(QWidget* w, const std::string& keys) {
    QKeySequence seq(QString::fromStdString(keys));
    if (seq.isEmpty()) return;
    QKeyCombination k = seq[0];
    QTest::keyClick(w, k.key(), k.keyboardModifiers());
}

void GuiTest::pressKey(const std::string& keys) {
    QWidget* w = QApplication::focusWidget();
    if (!w) w = front().impl().clientWidget();
    pressSequence(w, keys);
    processEvents();
}

void GuiTest::pressKey(const std::string& name, const std::string& keys) {
    focus(name);
    pressSequence(inputOf(control(name)), keys);
    processEvents();
}

std::string GuiTest::text(const std::string& name) {
    fw::RectControl& c = control(name);
    if (auto* e = dynamic_cast<fw::EditField*>(&c)) return e->Text().utf8();
    if (auto* s = dynamic_cast<fw::StaticText*>(&c)) return s->Text().utf8();
    if (auto* p = dynamic_cast<fw::PopupMenu*>(&c)) return p->Text().utf8();
    if (auto* b = dynamic_cast<fw::PushButton*>(&c)) return b->Caption().utf8();
    if (auto* b = dynamic_cast<fw::BevelButton*>(&c)) return b->Caption().utf8();
    if (auto* g = dynamic_cast<fw::GroupBox*>(&c)) return g->Caption().utf8();
    if (auto* b = dynamic_cast<fw::ToggleButton*>(&c)) return b->Caption().utf8();
    ADD_FAILURE() << name << " has no text";
    return "";
}

void GuiTest::mouseDown(const std::string& name, int x, int y) {
    sendMouseTo(control(name), x, y, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    processEvents();
}

void GuiTest::mouseDrag(const std::string& name, int x, int y) {
    sendMouseTo(control(name), x, y, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    processEvents();
}

void GuiTest::mouseUp(const std::string& name, int x, int y) {
    sendMouseTo(control(name), x, y, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    processEvents();
}

void GuiTest::mouseMove(const std::string& name, int x, int y) {
    fw::RectControl& c = control(name);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(widgetOf(c), &enter);
    sendMouseTo(c, x, y, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    processEvents();
}

void GuiTest::mouseExit(const std::string& name) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widgetOf(control(name)), &leave);
    processEvents();
}

void GuiTest::dragBar(const std::string& name, int dx, int dy) {
    mouseDown(name, 5, 4);
    mouseDrag(name, 5 + dx, 4 + dy);
    mouseUp(name, 5, 4);
}

Box GuiTest::shownBox(const std::string& name) {
    processEvents();
    QWidget* w = widgetOf(control(name));
    if (!w->isVisible()) return {};
    QRect r = w->geometry();
    if (!w->mask().isEmpty()) r &= w->mask().boundingRect().translated(r.topLeft());
    return {r.x(), r.y(), r.width(), r.height()};
}

fw::RectControl* GuiTest::controlAt(fw::Window& win, int x, int y) {
    // Where Qt sends a click there, then up to the control that owns it.
    for (QWidget* w = win.impl().clientWidget()->childAt(x, y); w; w = w->parentWidget())
        for (int i = 0; i < win.ControlCount(); ++i)
            if (widgetOf(*win.Control(i)) == w) return win.Control(i);
    return nullptr;
}

// The item of that name in the menus shown: the front window's bar, else
// the application's. Fails the test when there is none.
static fw::MenuItemPtr shownMenuItem(const std::string& itemName) {
    fw::MenuBarPtr bar;
    if (fw::Window* w = fw::FrontWindow()) bar = w->MenuBar();
    if (!bar && fw::GetAppObject()) bar = fw::GetAppObject()->MenuBar();
    fw::MenuItemPtr item = bar ? bar->Lookup(itemName) : nullptr;
    if (!item) ADD_FAILURE() << "no menu item " << itemName;
    return item;
}

bool GuiTest::chooseMenu(const std::string& itemName) {
    fw::MenuItemPtr item = shownMenuItem(itemName);
    if (!item || !item->Enabled()) return false;
    // Through the Qt action, as a click in the menu does.
    item->impl().action->trigger();
    processEvents();
    return true;
}

std::vector<std::string> GuiTest::menuTexts(const std::string& itemName) {
    std::vector<std::string> out;
    fw::MenuItemPtr item = shownMenuItem(itemName);
    if (!item) return out;
    for (int i = 0; i < item->Count(); ++i) out.push_back(item->Item(i)->Text().utf8());
    return out;
}

void GuiTest::choosePopupRow(const std::string& name, const std::string& rowText) {
    auto& p = control<fw::PopupMenu>(name);
    for (int i = 0; i < p.ListCount(); ++i)
        if (p.List(i).utf8() == rowText) return choosePopupRow(name, i);
    ADD_FAILURE() << name << " has no row " << rowText;
}

void GuiTest::choosePopupRow(const std::string& name, int row) {
    auto& p = control<fw::PopupMenu>(name);
    auto* box = qobject_cast<QComboBox*>(widgetOf(p));
    // As the user's pick: the row is activated in the widget.
    box->setCurrentIndex(row);
    emit box->activated(row);
    processEvents();
}

void GuiTest::answerNextDialog(const std::filesystem::path& file) { fw::testing::QueueDialogAnswer(file.string()); }
void GuiTest::cancelNextDialog() { fw::testing::QueueDialogAnswer(""); }
void GuiTest::answerNextMsgBox(int button) { fw::testing::QueueMsgBoxAnswer(button); }
void GuiTest::chooseNextContextMenu(const std::string& itemName) { fw::testing::QueueContextMenuChoice(itemName); }
void GuiTest::onNextModal(std::function<void(fw::Window&)> action) {
    fw::testing::QueueModalAction(std::move(action));
}

std::vector<std::string> GuiTest::shownMessages() {
    std::vector<std::string> out;
    for (const fw::String& s : fw::testing::ShownMessages()) out.push_back(s.utf8());
    return out;
}
std::vector<fw::testing::DialogRecord> GuiTest::shownDialogs() { return fw::testing::ShownDialogs(); }
std::vector<std::string> GuiTest::shownURLs() {
    std::vector<std::string> out;
    for (const fw::String& s : fw::testing::ShownURLs()) out.push_back(s.utf8());
    return out;
}

void GuiTest::contextClick(const std::string& name, int x, int y) {
    fw::RectControl& c = control(name);
    QWidget* w = inputOf(c);
    QPoint p = mapFromControl(c, w, x, y);
    emit w->customContextMenuRequested(p);
    processEvents();
}

static void sendDrop(QWidget* target, QPoint pos, const std::vector<std::filesystem::path>& files) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const auto& f : files) urls << QUrl::fromLocalFile(QString::fromStdString(f.string()));
    mime.setUrls(urls);
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(pos), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

void GuiTest::dropFiles(fw::Window& win, const std::vector<std::filesystem::path>& files) {
    QWidget* client = win.impl().clientWidget();
    sendDrop(client, QPoint(1, 1), files);
    processEvents();
}

void GuiTest::dropFiles(const std::string& controlName, const std::vector<std::filesystem::path>& files) {
    fw::RectControl& c = control(controlName);
    QWidget* w = mouseTargetOf(c);
    sendDrop(w, w->rect().center(), files);
    processEvents();
}

void GuiTest::resize(fw::Window& win, int width, int height) {
    QWidget* frame = win.impl().frameWidget();
    int mh = win.impl().menuHeight();
    frame->resize(width, height + mh);
    QApplication::sendPostedEvents(frame, QEvent::Resize);
    if (!frame->isVisible()) {
        // A hidden window gets its resize event only when shown; deliver it.
        QResizeEvent ev(frame->size(), QSize(win.Width(), win.Height() + mh));
        QApplication::sendEvent(frame, &ev);
    }
    processEvents();
}

void GuiTest::closeBox(fw::Window& win) {
    win.impl().frameWidget()->close();
    processEvents();
}

static fw::PicturePtr grabWidget(QWidget* w) {
    return fw::gui_detail::pictureOf(w->grab().toImage().convertToFormat(QImage::Format_ARGB32));
}

fw::PicturePtr GuiTest::grab(fw::Window& win) {
    processEvents();
    return grabWidget(win.impl().clientWidget());
}

fw::PicturePtr GuiTest::grab(const std::string& controlName) {
    processEvents();
    return grabWidget(widgetOf(control(controlName)));
}

void GuiTest::grabToPNG(fw::Window& win, const std::filesystem::path& png) {
    auto pic = grab(win);
    EXPECT_TRUE(pic->Save(png.string())) << "can't write " << png;
}

std::filesystem::path GuiTest::tempDir() {
    if (!tmp_) tmp_.emplace("gui");
    return tmp_->path();
}

std::filesystem::path GuiTest::writeFile(const std::string& name, const std::string& bytes) {
    auto p = tempDir() / name;
    testsupport::writeFile(p, bytes);
    return p;
}

void AppFoldersTest::SetUp() {
    GuiTest::SetUp();
    const std::filesystem::path root = tempDir();
    prefs_ = root / "prefs";
    app_ = root / "app";
    std::filesystem::create_directories(prefs_);
    std::filesystem::create_directories(app_ / "lang");
    setenv("XDG_CONFIG_HOME", prefs_.c_str(), 1);
    fw::SetApplicationExecutable(app_ / "varnel");
}

void AppFoldersTest::writeSettings(const std::string& text) { testsupport::writeFile(settingsFile(), text); }

std::filesystem::path AppFoldersTest::writeLanguageFile(const std::string& name, const std::string& text) {
    const std::filesystem::path p = app_ / "lang" / name;
    testsupport::writeFile(p, text);
    return p;
}
