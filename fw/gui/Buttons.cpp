// Push, bevel, check and radio buttons, group boxes and labels.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "fw/gui/GraphicsPrivate.h"
#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace {

const std::type_info* actionSignature(std::string_view e) { return e == "Action" ? &typeid(void()) : nullptr; }

struct PushImpl : RectControl::Impl {
    bool isDefault = false, isCancel = false;
    QWidget* makeWidget() override {
        auto* b = new QPushButton();
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, [this] { fire("Action"); });
        return b;
    }
};

struct BevelImpl : RectControl::Impl {
    PicturePtr icon;
    String caption;
    QWidget* makeWidget() override {
        auto* b = new QToolButton();
        b->setFocusPolicy(Qt::NoFocus);
        QObject::connect(b, &QToolButton::clicked, [this] { fire("Action"); });
        return b;
    }
    void styleChanged() override {
        auto* b = static_cast<QToolButton*>(widget.data());
        if (!b) return;
        b->setText(toQ(caption));
        if (icon) {
            b->setIcon(QIcon(QPixmap::fromImage(icon->impl().image)));
            b->setIconSize(QSize(icon->Width(), icon->Height()));
        } else {
            b->setIcon(QIcon());
        }
        b->setToolButtonStyle(!icon             ? Qt::ToolButtonTextOnly
                              : caption.empty() ? Qt::ToolButtonIconOnly
                                                : Qt::ToolButtonTextUnderIcon);
    }
};

struct LabelImpl : RectControl::Impl {
    String text;
    bool multiLine = false, underline = false;
    Color color;
    int align = 0;
    QWidget* makeWidget() override { return new QLabel(); }
    void styleChanged() override {
        auto* l = static_cast<QLabel*>(widget.data());
        if (!l) return;
        l->setTextFormat(Qt::PlainText);
        l->setText(normalizeBreaks(toQ(text)));
        l->setWordWrap(multiLine);
        QFont f = l->font();
        f.setUnderline(underline);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, toQColor(color));
        l->setPalette(p);
        Qt::Alignment h = align == 2 ? Qt::AlignHCenter : align == 3 ? Qt::AlignRight : Qt::AlignLeft;
        l->setAlignment(h | (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
    }
};

struct GroupImpl : RectControl::Impl {
    QWidget* makeWidget() override { return new QGroupBox(); }
};

struct CheckImpl : RectControl::Impl {
    QWidget* makeWidget() override {
        auto* b = new QCheckBox();
        QObject::connect(b, &QCheckBox::toggled, [this] { fire("Action"); });
        return b;
    }
};

struct RadioImpl : RectControl::Impl {
    QWidget* makeWidget() override {
        auto* b = new QRadioButton();
        // Exclusion follows the logical parent, not the shared client widget.
        b->setAutoExclusive(false);
        QObject::connect(b, &QRadioButton::toggled, [this](bool on) {
            if (!on) return;
            excludeSiblings();
            fire("Action");
        });
        return b;
    }
    void excludeSiblings() {
        if (!window) return;
        for (int i = 0; i < window->ControlCount(); ++i) {
            auto* r = dynamic_cast<RadioButton*>(window->Control(i));
            if (r && r != self && r->Parent() == parent) r->Value(false);
        }
    }
};

template <class W>
W* as(const RectControl* c) {
    return static_cast<W*>(c->impl().widget.data());
}
BevelImpl& bevel(const BevelButton* b) { return static_cast<BevelImpl&>(b->impl()); }
LabelImpl& label(const StaticText* t) { return static_cast<LabelImpl&>(t->impl()); }

}  // namespace

PushButton::PushButton() : RectControl(std::make_unique<PushImpl>()) {}
String PushButton::Caption() const { return fromQ(as<QPushButton>(this)->text()); }
void PushButton::Caption(const String& c) { as<QPushButton>(this)->setText(toQ(c)); }
bool PushButton::Default() const { return static_cast<PushImpl&>(impl()).isDefault; }
void PushButton::Default(bool b) {
    static_cast<PushImpl&>(impl()).isDefault = b;
    as<QPushButton>(this)->setDefault(b);
}
bool PushButton::Cancel() const { return static_cast<PushImpl&>(impl()).isCancel; }
void PushButton::Cancel(bool b) { static_cast<PushImpl&>(impl()).isCancel = b; }
void PushButton::Push() {
    if (Enabled() && impl().enabledByParents()) as<QPushButton>(this)->click();
}
const std::type_info* PushButton::EventSignature(std::string_view e) const {
    if (auto* s = actionSignature(e)) return s;
    return RectControl::EventSignature(e);
}

BevelButton::BevelButton() : RectControl(std::make_unique<BevelImpl>()) {}
String BevelButton::Caption() const { return bevel(this).caption; }
void BevelButton::Caption(const String& c) { restyle(impl(), bevel(this).caption, c); }
PicturePtr BevelButton::Icon() const { return bevel(this).icon; }
void BevelButton::Icon(PicturePtr pic) { restyle(impl(), bevel(this).icon, std::move(pic)); }
bool BevelButton::AcceptFocus() const { return as<QToolButton>(this)->focusPolicy() != Qt::NoFocus; }
void BevelButton::AcceptFocus(bool b) { as<QToolButton>(this)->setFocusPolicy(b ? Qt::StrongFocus : Qt::NoFocus); }
void BevelButton::Push() {
    if (Enabled() && impl().enabledByParents()) as<QToolButton>(this)->click();
}
const std::type_info* BevelButton::EventSignature(std::string_view e) const {
    if (auto* s = actionSignature(e)) return s;
    return RectControl::EventSignature(e);
}

StaticText::StaticText() : RectControl(std::make_unique<LabelImpl>()) {}
String StaticText::Caption() const { return label(this).text; }
void StaticText::Caption(const String& c) { restyle(impl(), label(this).text, c); }
String StaticText::Text() const { return Caption(); }
void StaticText::Text(const String& t) { Caption(t); }
bool StaticText::MultiLine() const { return label(this).multiLine; }
void StaticText::MultiLine(bool b) { restyle(impl(), label(this).multiLine, b); }
bool StaticText::Underline() const { return label(this).underline; }
void StaticText::Underline(bool b) { restyle(impl(), label(this).underline, b); }
Color StaticText::TextColor() const { return label(this).color; }
void StaticText::TextColor(Color c) { restyle(impl(), label(this).color, c); }
int StaticText::TextAlign() const { return label(this).align; }
void StaticText::TextAlign(int a) { restyle(impl(), label(this).align, a); }
const std::type_info* StaticText::EventSignature(std::string_view e) const {
    if (e == "MouseDown") return &typeid(bool(int, int));
    if (e == "MouseUp" || e == "MouseDrag") return &typeid(void(int, int));
    return RectControl::EventSignature(e);
}

GroupBox::GroupBox() : RectControl(std::make_unique<GroupImpl>()) {}
String GroupBox::Caption() const { return fromQ(as<QGroupBox>(this)->title()); }
void GroupBox::Caption(const String& c) { as<QGroupBox>(this)->setTitle(toQ(c)); }

// Both widgets are QAbstractButtons.
String ToggleButton::Caption() const { return fromQ(as<QAbstractButton>(this)->text()); }
void ToggleButton::Caption(const String& c) { as<QAbstractButton>(this)->setText(toQ(c)); }
bool ToggleButton::Value() const { return as<QAbstractButton>(this)->isChecked(); }
void ToggleButton::Value(bool b) { as<QAbstractButton>(this)->setChecked(b); }
const std::type_info* ToggleButton::EventSignature(std::string_view e) const {
    if (auto* s = actionSignature(e)) return s;
    return RectControl::EventSignature(e);
}

CheckBox::CheckBox() : ToggleButton(std::make_unique<CheckImpl>()) {}
RadioButton::RadioButton() : ToggleButton(std::make_unique<RadioImpl>()) {}

}  // namespace fw
