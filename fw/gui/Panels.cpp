// Page and tab panels.
#include <QStackedWidget>
#include <QTabWidget>

#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace {

struct PanelImpl : RectControl::Impl {
    explicit PanelImpl(bool tabs) : tabs(tabs) {}
    bool tabs;
    int lastValue = -1;
    QWidget* makeWidget() override {
        if (tabs) {
            auto* t = new QTabWidget();
            QObject::connect(t, &QTabWidget::currentChanged, [this](int i) { changed(i); });
            return t;
        }
        auto* s = new QStackedWidget();
        QObject::connect(s, &QStackedWidget::currentChanged, [this](int i) { changed(i); });
        return s;
    }
    // Runs f on the widget of the panel's kind; both keep pages by index.
    template <class F>
    auto onPanel(F f) const {
        return tabs ? f(static_cast<QTabWidget*>(widget.data())) : f(static_cast<QStackedWidget*>(widget.data()));
    }
    int count() const {
        return onPanel([](auto* p) { return p->count(); });
    }
    int current() const {
        return onPanel([](auto* p) { return p->currentIndex(); });
    }
    void setCurrent(int i) {
        onPanel([i](auto* p) { p->setCurrentIndex(i); });
    }
    void append() {
        if (tabs) static_cast<QTabWidget*>(widget.data())->addTab(new QWidget(), QString());
        else static_cast<QStackedWidget*>(widget.data())->addWidget(new QWidget());
    }
    void removeLast() {
        delete onPanel([](auto* p) { return p->widget(p->count() - 1); });
    }
    void changed(int i) {
        // Controls of the other pages hide; those of the page shown appear.
        for (RectControl* c : children) c->impl().applyVisibility();
        if (i == lastValue) return;
        lastValue = i;
        fire("Change");
    }
};

PanelImpl& D(const PagePanel* p) { return static_cast<PanelImpl&>(p->impl()); }

}  // namespace

PagePanel::PagePanel() : RectControl(std::make_unique<PanelImpl>(false)) {}
PagePanel::PagePanel(std::unique_ptr<Impl> impl) : RectControl(std::move(impl)) {}
int PagePanel::PanelCount() const { return D(this).count(); }
void PagePanel::PanelCount(int n) {
    while (PanelCount() < n) Append();
    while (PanelCount() > std::max(0, n)) D(this).removeLast();
}
void PagePanel::Append() { D(this).append(); }
int PagePanel::Value() const { return D(this).current(); }
void PagePanel::Value(int page) {
    if (page < 0 || page >= PanelCount()) return;
    D(this).setCurrent(page);
}
const std::type_info* PagePanel::EventSignature(std::string_view e) const {
    if (e == "Change") return &typeid(void());
    return RectControl::EventSignature(e);
}

TabPanel::TabPanel() : PagePanel(std::make_unique<PanelImpl>(true)) {}
String TabPanel::Caption(int page) const {
    if (page < 0 || page >= PanelCount()) return "";
    return fromQ(static_cast<QTabWidget*>(impl().widget.data())->tabText(page));
}
void TabPanel::Caption(int page, const String& text) {
    if (page < 0 || page >= PanelCount()) return;
    static_cast<QTabWidget*>(impl().widget.data())->setTabText(page, toQ(text));
}
void TabPanel::Captions(const String& captions) {
    auto parts = Split(ReplaceLineEndings(captions, "\r"), "\r");
    PanelCount(int(parts.size()));
    for (size_t i = 0; i < parts.size(); ++i) Caption(int(i), parts[i]);
}

}  // namespace fw
