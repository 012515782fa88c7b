#include "splitter/SmartSplitter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "fw/core/BackgroundTask.h"
#include "fw/core/Numbers.h"
#include "fw/gui/CheckBox.h"
#include "fw/gui/Cursor.h"
#include "fw/gui/Desktop.h"
#include "fw/gui/EditField.h"
#include "fw/gui/GroupBox.h"
#include "fw/gui/Listbox.h"
#include "fw/gui/NilObjectException.h"
#include "fw/gui/PagePanel.h"
#include "fw/gui/PopupMenu.h"
#include "fw/gui/RadioButton.h"
#include "fw/gui/StaticText.h"
#include "fw/gui/TabPanel.h"
#include "fw/gui/Window.h"
#include "splitter/CanvasSmartSplitterDebugger.h"

using fw::IsA;
using fw::RectControl;

namespace {

// Marks a lower limit that was not given; read as 0.
constexpr int kUnsetMinLimit = 9999;
// The window frame kind that stands on a dark background.
constexpr int kDarkFrame = 9;
// How close an edge must lie to the bar to be attached, in pixels.
constexpr int kAttachTolerance = 5;

// Rows of the dimple tables, joined and split at ",": 25 brightness
// percentages filled row by row; -1 is a transparent pixel.
constexpr const char* kDimpleEnabled =
    "-1,49, 9,48,-1,"
    "48, 2,22,29,56,"
    "11,37,64,75,65,"
    "57,64,100,100,83,"
    "-1,75,96,84,-1";
constexpr const char* kDimpleDisabled =
    "-1,62,42,62,-1,"
    "61,38,48,51,65,"
    "44,57,71,76,72,"
    "67,70,88,89,80,"
    "-1,77,87,81,-1";

SmartSplitter::DimpleTable buildDimpleTable(const char* rows, double factor) {
    SmartSplitter::DimpleTable table{};
    for (int k = 1; k <= 25; ++k) {
        table[(k - 1) % 5 + 1][(k - 1) / 5 + 1] = fw::Val(fw::NthField(rows, ",", k)) / 100.0 * factor;
        fw::RuntimeBackgroundTask();
    }
    return table;
}

fw::Color grey(double v) { return fw::HSV(0, 0, v); }

// What the bar suggests for a control, by class. A control takes the first
// row of its class (subclasses included, so the more derived come first)
// whose entry applies; kGoOn passes on to the next row, and past the last
// row the defaults hold. Each entry is given the bar's orientation.
constexpr int kGoOn = INT_MIN;
using Entry = int (*)(const RectControl&, bool vertical);
struct ClassSuggestions {
    bool (*is)(const RectControl*);
    Entry minSizeVisible;  // pixels
    Entry shouldResize;    // 1 or 0
    Entry offset;          // pixels
    bool hasEmbedded;
};

template <class T>
bool isA(const RectControl* c) {
    return IsA<T>(c);
}
constexpr int kDefaultMinSizeVisible = 2;
constexpr int kDefaultOffset = 30;
int goOn(const RectControl&, bool) { return kGoOn; }
template <int N>
int always(const RectControl&, bool) {
    return N;
}
template <int N>
int whenVertical(const RectControl&, bool vertical) {
    return vertical ? N : kGoOn;
}

const ClassSuggestions kSuggestions[] = {
    // A bar lying the same way never resizes; one lying across goes on (a canvas).
    {isA<SmartSplitter>, goOn, [](const RectControl& c, bool v) { return (c.Width() < c.Height()) == v ? 0 : kGoOn; },
     goOn, true},
    {isA<fw::TabPanel>, always<28>, always<1>, always<140>, true},
    {isA<fw::PagePanel>, always<28>, always<1>, always<100>, true},
    {isA<fw::GroupBox>, always<28>, always<1>, always<100>, true},
    {isA<fw::Listbox>, always<20>, always<1>,
     [](const RectControl& c, bool v) {
         if (v) return 86;
         return static_cast<const fw::Listbox&>(c).ScrollBarHorizontal() ? 66 : kGoOn;
     },
     true},
    {isA<fw::Canvas>, goOn, always<1>, goOn, true},
    {isA<fw::EditField>, whenVertical<20>,
     [](const RectControl& c, bool v) { return v || static_cast<const fw::EditField&>(c).MultiLine() ? 1 : kGoOn; },
     [](const RectControl& c, bool v) {
         auto& ef = static_cast<const fw::EditField&>(c);
         if (v) return ef.ScrollBarVertical() ? 80 : 60;
         return ef.MultiLine() && ef.ScrollBarHorizontal() ? 46 : kGoOn;
     },
     true},
    {isA<fw::CheckBox>, whenVertical<18>, goOn, whenVertical<60>, false},
    {isA<fw::RadioButton>, whenVertical<18>, goOn, whenVertical<60>, false},
    {isA<fw::PopupMenu>, whenVertical<18>, whenVertical<1>, whenVertical<40>, false},
    {isA<fw::StaticText>, goOn,
     [](const RectControl& c, bool v) { return !v && static_cast<const fw::StaticText&>(c).MultiLine() ? 1 : kGoOn; },
     whenVertical<40>, false},
};

// The first applying entry of the control's rows, kGoOn when none applies.
int suggestion(const RectControl* c, Entry ClassSuggestions::*entry, bool vertical) {
    if (!c) return kGoOn;
    for (const ClassSuggestions& row : kSuggestions) {
        if (!row.is(c)) continue;
        if (int v = (row.*entry)(*c, vertical); v != kGoOn) return v;
    }
    return kGoOn;
}

}  // namespace

SmartSplitter::SmartSplitter() {
    On("Open", this, &SmartSplitter::Event_Open);
    On("Close", this, &SmartSplitter::Event_Close);
    On("Paint", this, &SmartSplitter::Event_Paint);
    On("MouseDown", this, &SmartSplitter::Event_MouseDown);
    On("MouseDrag", this, &SmartSplitter::Event_MouseDrag);
    On("MouseUp", this, &SmartSplitter::Event_MouseUp);
}

SmartSplitter::~SmartSplitter() = default;

const std::type_info* SmartSplitter::EventSignature(std::string_view event) const {
    if (event == "Moved") return &typeid(void(int));
    return Canvas::EventSignature(event);
}

// ---------------------------------------------------------------------------
// Helpers

fw::Window& SmartSplitter::win() const {
    fw::Window* w = Window();
    if (!w) throw fw::NilObjectException("SmartSplitter " + Name().utf8() + " is not in a window");
    return *w;
}

bool SmartSplitter::onDarkBackground() const { return win().Frame() == kDarkFrame && !IsA<fw::TabPanel>(Parent()); }

int SmartSplitter::thickness() const { return isVertical ? Width() : Height(); }
int SmartSplitter::length() const { return isVertical ? Height() : Width(); }

int SmartSplitter::posOf(const RectControl* c) const { return isVertical ? c->Left() : c->Top(); }
int SmartSplitter::extentOf(const RectControl* c) const { return isVertical ? c->Width() : c->Height(); }

int SmartSplitter::indexOfAttached(const RectControl* control) {
    if (!control) return -1;
    for (size_t i = 0; i < attachedControl.size(); ++i) {
        if (attachedControl[i] == control) return int(i);
        fw::RuntimeBackgroundTask();
    }
    return -1;
}

void SmartSplitter::appendAttached(RectControl* control, int minSizeVisible, bool shouldResize, bool shouldMove,
                                   bool behind) {
    attachedControl.push_back(control);
    attachedControlMinSizeVisible.push_back(minSizeVisible);
    attachedControlShouldResize.push_back(shouldResize);
    attachedControlShouldMove.push_back(shouldMove);
    attachedControlBehind.push_back(behind);
    attachedControlShouldCenter.push_back(false);
}

void SmartSplitter::removeAttached(size_t from, size_t count) {
    auto cut = [from, count](auto& v) { v.erase(v.begin() + from, v.begin() + from + count); };
    cut(attachedControl);
    cut(attachedControlMinSizeVisible);
    cut(attachedControlShouldResize);
    cut(attachedControlShouldMove);
    cut(attachedControlBehind);
    cut(attachedControlShouldCenter);
}

void SmartSplitter::warn(const fw::String& text) {
    if (showWarningsDialogs) fw::MsgBox(text);
}

// ---------------------------------------------------------------------------
// Set-up and tear-down

void SmartSplitter::Event_Open() {
    isVertical = Width() < Height();
    maxLimitPropSet = MaxLimit != 0;
    minLimitPropSet = MinLimit != 0;
    maxLimitOffsetPropSet = MaxLimitOffset != 0;
    minLimitOffsetPropSet = MinLimitOffset != 0;
    if (Debug) setDebug(true);
    if (SwapOrientation) isVertical = !isVertical;
    if (isVertical) {
        positionAtOpen = Left();
        windowSizeAtOpen = win().Width();
    } else {
        positionAtOpen = Top();
        windowSizeAtOpen = win().Height();
    }
    windowSizeLast = windowSizeAtOpen;
    OpenSmartSplitter();
    proportionAtOpen = proportionValue;
}

void SmartSplitter::OpenSmartSplitter() {
    UseFocusRing(false);
    showWarningsDialogs = false;
    MaxLimitOffset = std::max(0, MaxLimitOffset);
    MinLimitOffset = std::max(0, MinLimitOffset);
    atMaxLimit = false;
    atMinLimit = false;
    doNotAttachEmbeddedControls = true;
    if (!minLimitPropSet) MinLimit = kUnsetMinLimit;
    backgroundDark = onDarkBackground();

    colorLight = grey(0.75);
    colorLightDisabled = grey(0.87);
    colorMedium = grey(0.62);
    colorMediumDisabled = grey(0.82);
    colorDark = grey(0.55);
    colorDarkDisabled = grey(0.70);
    if (backgroundDark) {
        colorLight = grey(0.58);
        colorLightDisabled = grey(0.63);
        colorMedium = grey(0.50);
        colorMediumDisabled = grey(0.55);
        colorDark = grey(0.42);
        colorDarkDisabled = grey(0.50);
    }

    assignCursors();
    if (!maxLimitPropSet) MaxLimit = isVertical ? win().Width() - Width() : win().Height() - Height();
    setHandleType(HandleType);

    const double factor = backgroundDark ? 1.0 : 1.1;
    dimplePixelValue = buildDimpleTable(kDimpleEnabled, factor);
    dimplePixelValueDisabled = buildDimpleTable(kDimpleDisabled, factor);

    unAttachAllControls();
    RaiseEvent("Open");
    if (attachedControl.empty()) attachNearbyControls();
    assignLimits();

    // A bar without travel has no place in its range; it counts as at the start.
    const int range = MaxLimit - MinLimit;
    proportionValue = range == 0 ? 0.0 : (double(position()) - MinLimit) / double(range);
}

void SmartSplitter::Event_Close() {
    unAttachAllControls();
    debugCanvas = nullptr;
    RaiseEvent("Close");
}

// ---------------------------------------------------------------------------
// Drawing and cursors

void SmartSplitter::setHandleType(int t) {
    switch (t) {
    case HandleSmallBars:
        handleDimple = false;
        handleLarge = false;
        handleCount = 3;
        break;
    case HandleLargeBars:
        handleDimple = false;
        handleLarge = true;
        handleCount = 2;
        break;
    case HandleSmallDimples:
        handleDimple = true;
        handleLarge = false;
        handleCount = 3;
        break;
    case HandleLargeDimple:
        handleDimple = true;
        handleLarge = true;
        handleCount = 1;
        break;
    case HandleAutomatic: {
        handleDimple = onDarkBackground();
        handleLarge = false;
        const int T = thickness(), L = length();
        if (!handleDimple) {
            handleCount = 3;
            if (T > 12 && L > 120) {
                handleLarge = true;
                handleCount = 2;
            } else if (T < 10) {
                handleCount = 2;
            }
        } else {
            handleCount = 3;
            if (T > 5 && L > 20) {
                handleLarge = true;
                handleCount = 1;
            }
        }
        break;
    }
    default: handleCount = 0; break;
    }
    Refresh(true);
}

void SmartSplitter::assignCursors() {
    if (conceal) MouseCursor(nullptr);
    else
        MouseCursor(isVertical ? fw::System::Cursors::SplitterEastWest() : fw::System::Cursors::SplitterNorthSouth());
}

void SmartSplitter::setConceal(bool value) {
    conceal = value;
    assignCursors();
    Refresh(true);
}

void SmartSplitter::Event_Paint(fw::Graphics& g) {
    if (conceal) return;
    const int cx = fw::ToInt32(Width() / 2.0);
    const int cy = fw::ToInt32(Height() / 2.0);

    if (DisableLiveDrag && mouseDownTriggered) {
        g.ForeColor(colorDark);
        const int t = Top() < 0 ? Top() : 0;
        g.DrawRect(0, t, Width(), Height() - t);
    }

    const float step = handleDimple ? (handleLarge ? 5.0f : 3.0f) : (handleLarge ? 1.5f : 1.0f);
    int i = fw::ToInt32(step - handleCount * step);
    while (i <= handleCount * step) {
        if (!handleDimple) {
            if (isVertical) drawBar(cx + i, cy);
            else drawBar(cx, cy + i);
        } else {
            if (isVertical) drawDimple(cx, cy - i);
            else drawDimple(cx - i, cy);
        }
        fw::RuntimeBackgroundTask();
        i = fw::ToInt32(i + 2 * step);
    }

    RaiseEvent<void(fw::Graphics&)>("Paint", g);
}

void SmartSplitter::drawBar(int x, int y) {
    fw::Graphics& g = Graphics();
    const int h = handleLarge ? 9 : 5;
    const bool normal = Active() && Enabled();
    const fw::Color light = normal ? colorLight : colorLightDisabled;
    const fw::Color medium = normal ? colorMedium : colorMediumDisabled;
    const fw::Color dark = normal ? colorDark : colorDarkDisabled;

    if (!isVertical) {
        if (!handleLarge) {
            g.ForeColor(dark);
            g.DrawLine(x - h, y, x + h, y);
        } else {
            g.ForeColor(light);
            g.DrawLine(x - h, y, x + h, y);
            g.ForeColor(medium);
            g.DrawLine(x - h, y - 1, x + h, y - 1);
            g.DrawLine(x - h, y - 1, x - h, y);
            g.DrawLine(x + h, y - 1, x + h, y);
        }
    } else {
        if (!handleLarge) {
            g.ForeColor(dark);
            g.DrawLine(x, y - h, x, y + h);
        } else {
            g.ForeColor(light);
            g.DrawLine(x, y - h, x, y + h);
            g.ForeColor(medium);
            g.DrawLine(x - 1, y - h, x - 1, y + h);
            g.DrawLine(x - 1, y - h, x, y - h);
            g.DrawLine(x - 1, y + h, x, y + h);
        }
    }
}

void SmartSplitter::drawDimple(int x, int y) {
    fw::Graphics& g = Graphics();
    g.UseOldRenderer(true);
    if (!handleLarge) {
        // An inactive window lightens its small dimples instead of greying them.
        const double o = (!Active() && Enabled()) ? 0.2 : 0.0;
        const double b = backgroundDark ? 0.68 : 0.8;
        g.ForeColor(grey(b + o));
        g.FillRect(x - 1, y - 1, 3, 3);
        g.ForeColor(grey(0.44 + o));
        g.DrawLine(x - 1, y, x, y - 1);
        g.ForeColor(grey(0.6 + o));
        g.DrawLine(x, y + 1, x + 1, y);
        g.ForeColor(grey(0.3 + o));
        g.DrawLine(x, y, x, y);
        return;
    }
    const DimpleTable& table = (Active() && Enabled()) ? dimplePixelValue : dimplePixelValueDisabled;
    for (int row = 1; row <= 5; ++row) {
        for (int column = 1; column <= 5; ++column) {
            const double v = table[column][row];
            if (v < 0) continue;
            g.ForeColor(grey(v));
            g.DrawLine(x - 3 + column, y - 3 + row, x - 3 + column, y - 3 + row);
        }
    }
}

// ---------------------------------------------------------------------------
// Attaching controls

void SmartSplitter::attachNearbyControls() {
    fw::Window& w = win();
    const bool onPages = IsA<fw::PagePanel>(Parent());  // tab panels are page panels
    const int s = isVertical ? Top() : Left();
    const int S = isVertical ? Height() : Width();
    const int p = position();
    const int P = thickness();
    for (int i = 0; i <= w.ControlCount() - 1; ++i) {
        RectControl* c = w.Control(i);
        if (c && c->Parent() == Parent() && (!onPages || c->TabPanelIndex() == TabPanelIndex())) {
            const int cs = isVertical ? c->Top() : c->Left();
            const int W = isVertical ? c->Height() : c->Width();
            const bool spans = (s - kAttachTolerance < cs && cs < s + S + kAttachTolerance) ||
                               (s - kAttachTolerance < cs + W && cs + W < s + S + kAttachTolerance) ||
                               (cs - kAttachTolerance < s && s + S < cs + W + kAttachTolerance);
            const int q = posOf(c), Q = extentOf(c);
            const bool against = std::abs(double(p) - (double(q) + Q)) < kAttachTolerance ||
                                 std::abs((double(p) + P) - q) < kAttachTolerance;
            if (spans && against) attach(c);
        }
        fw::RuntimeBackgroundTask();
    }
}

void SmartSplitter::attach(RectControl* control) {
    if (!control || control == this) return;

    bool embedded = false;
    for (size_t i = 0; i < attachedControl.size(); ++i) {
        if (control->Parent() && control->Parent() == attachedControl[i]) embedded = true;
        if (attachedControl[i] == control) {
            warn("The control '" + control->Name() + "' is already attached to smartSplitter '" + Name() +
                 "'.   This attach request will be ignored.");
            return;
        }
        fw::RuntimeBackgroundTask();
    }

    const int minSizeVisible = suggestMinSizeControlShouldBeVisible(control);

    const bool behind = posOf(control) < position();
    bool shouldMove = false;
    bool shouldResize = false;
    if (behind) {
        if (!embedded) {
            shouldResize = suggestWhetherControlShouldResize(control);
        } else {
            // An embedded control follows the bar when it is anchored to the
            // parent's edge away from the bar, or reaches the edge toward it.
            const RectControl* parent = control->Parent();
            const int parentFar = posOf(parent) + extentOf(parent);
            const int controlFar = posOf(control) + extentOf(control);
            const bool anchored = isVertical ? control->LockLeft() : control->LockTop();
            if (anchored || std::abs(parentFar - controlFar) < kAttachTolerance)
                shouldResize = suggestWhetherControlShouldResize(control);
        }
        setMinAttachedControl(control, true);
    } else {
        if (!embedded) {
            shouldMove = true;
            shouldResize = suggestWhetherControlShouldResize(control);
        } else if (isVertical ? control->LockRight() : control->LockBottom()) {
            shouldResize = suggestWhetherControlShouldResize(control);
        }
        setMaxAttachedControl(control, true);
    }
    appendAttached(control, minSizeVisible, shouldResize, shouldMove, behind);

    const int offset = suggestOffsetSizeForControl(control);
    if (behind) {
        if (!minLimitOffsetPropSet) MinLimitOffset = std::max(MinLimitOffset, offset);
    } else {
        if (!maxLimitOffsetPropSet) MaxLimitOffset = std::max(MaxLimitOffset, offset);
    }

    if (!doNotAttachEmbeddedControls && controlCommonlyHasEmbeddedControls(control)) {
        fw::Window& w = win();
        for (int i = 0; i <= w.ControlCount() - 1; ++i) {
            RectControl* c = w.Control(i);
            if (c && c->Parent() == control) attach(c);
            fw::RuntimeBackgroundTask();
        }
    }
}

int SmartSplitter::suggestMinSizeControlShouldBeVisible(RectControl* control) {
    const int v = suggestion(control, &ClassSuggestions::minSizeVisible, isVertical);
    return v == kGoOn ? kDefaultMinSizeVisible : v;
}

bool SmartSplitter::suggestWhetherControlShouldResize(RectControl* control) {
    if (!control) return false;
    // Only the bar row says no, and it comes before the locks.
    const int byClass = suggestion(control, &ClassSuggestions::shouldResize, isVertical);
    if (byClass == 0) return false;
    if (isVertical ? (control->LockLeft() && control->LockRight()) : (control->LockTop() && control->LockBottom()))
        return true;
    return byClass == 1;
}

int SmartSplitter::suggestOffsetSizeForControl(RectControl* control) {
    const int v = suggestion(control, &ClassSuggestions::offset, isVertical);
    return v == kGoOn ? kDefaultOffset : v;
}

bool SmartSplitter::controlCommonlyHasEmbeddedControls(RectControl* control) {
    for (const ClassSuggestions& row : kSuggestions)
        if (control && row.is(control)) return row.hasEmbedded;
    return false;
}

void SmartSplitter::setMinAttachedControl(RectControl* control, bool onlyIfOuter) {
    if (!onlyIfOuter) {
        minAttachedControl = control;
    } else if (control) {
        if (!minAttachedControl || posOf(control) < posOf(minAttachedControl)) minAttachedControl = control;
    }
    refreshDebugCanvas();
}

void SmartSplitter::setMaxAttachedControl(RectControl* control, bool onlyIfOuter) {
    if (!onlyIfOuter) {
        maxAttachedControl = control;
    } else if (control) {
        if (!maxAttachedControl ||
            posOf(control) + extentOf(control) > posOf(maxAttachedControl) + extentOf(maxAttachedControl))
            maxAttachedControl = control;
    }
    refreshDebugCanvas();
}

void SmartSplitter::setAttachedControlMinSizeVisible(RectControl* control, int size) {
    const int i = indexOfAttached(control);
    if (i < 0) return warningForControlNotAttached(control, "setAttachedControlMinSizeVisible");
    attachedControlMinSizeVisible[i] = size;
}

void SmartSplitter::setAttachedControlShouldResize(RectControl* control, bool value) {
    const int i = indexOfAttached(control);
    if (i < 0) return warningForControlNotAttached(control, "setAttachedControlShouldResize");
    attachedControlShouldResize[i] = value;
    if (value) attachedControlShouldCenter[i] = false;
}

void SmartSplitter::setAttachedControlShouldMove(RectControl* control, bool value) {
    const int i = indexOfAttached(control);
    if (i < 0) return warningForControlNotAttached(control, "setAttachedControlShouldMove");
    attachedControlShouldMove[i] = value;
}

void SmartSplitter::setAttachedControlShouldCenter(RectControl* control, bool value) {
    const int i = indexOfAttached(control);
    if (i < 0) return warningForControlNotAttached(control, "setAttachedControlShouldCenter");
    attachedControlShouldCenter[i] = value;
    if (value) attachedControlShouldResize[i] = false;
    assignLimits();
    adjustAttachedControls(0, false);
}

void SmartSplitter::unAttach(RectControl* control, bool silent) {
    const int i = indexOfAttached(control);
    if (i < 0) {
        if (!silent) warningForControlNotAttached(control, "unAttach");
        return;
    }
    removeAttached(size_t(i));

    if (controlCommonlyHasEmbeddedControls(control)) {
        fw::Window& w = win();
        for (int k = 0; k <= w.ControlCount() - 1; ++k) {
            RectControl* c = w.Control(k);
            if (c && c->Parent() == control) unAttach(c, true);
            fw::RuntimeBackgroundTask();
        }
    }
}

void SmartSplitter::unAttachAllControls() {
    for (auto& c : attachedControl) {
        c = nullptr;
        fw::RuntimeBackgroundTask();
    }
    removeAttached(0, attachedControl.size());
    minAttachedControl = nullptr;
    maxAttachedControl = nullptr;
}

void SmartSplitter::setMinLimitOffset(RectControl* control) {
    assignLimits();
    if (control) MinLimitOffset = posOf(control) + extentOf(control) - MinLimit;
    refreshDebugCanvas();
}

void SmartSplitter::setMaxLimitOffset(RectControl* control) {
    assignLimits();
    if (control) MaxLimitOffset = MaxLimit - posOf(control) + thickness();
    refreshDebugCanvas();
}

void SmartSplitter::warningForControlNotAttached(RectControl* control, const fw::String& methodName) {
    if (!control) {
        warn("The control passed to the SmartSplitter '" + Name() + "' method '" + methodName + "' is NIL." +
             fw::EndOfLine + fw::EndOfLine + "Don't go calling this method with nonexistent controls!");
    } else {
        warn("The control '" + control->Name() + "' passed to the SmartSplitter '" + Name() + "' method '" +
             methodName + "' has not been attached." + fw::EndOfLine + fw::EndOfLine +
             "Control must be attached BEFORE calling this method.");
    }
}

bool SmartSplitter::warningIfNonAttached(const fw::String& methodName) {
    if (!attachedControl.empty()) return false;
    warn("SmartSplitter '" + Name() + "' method '" + methodName + "' WARNING:" + fw::EndOfLine + fw::EndOfLine +
         "All controls should be attached BEFORE calling this method.   Call will be ignored.");
    return true;
}

// ---------------------------------------------------------------------------
// Limits, position, proportion and dragging

void SmartSplitter::assignLimits() {
    if (MinLimit == kUnsetMinLimit) MinLimit = 0;
    if (minAttachedControl && !minLimitPropSet) MinLimit = posOf(minAttachedControl) - thickness();
    const int windowSize = isVertical ? win().Width() : win().Height();
    if (!maxAttachedControl) {
        if (!maxLimitPropSet) MaxLimit = fw::SaturateToInt32(int64_t(MaxLimit) + windowSize - windowSizeLast);
        windowSizeLast = windowSize;
    } else if (!maxLimitPropSet) {
        MaxLimit = posOf(maxAttachedControl) + extentOf(maxAttachedControl);
    }
}

void SmartSplitter::moveDistance(int distance, bool relayout) {
    if (MinLimit == kUnsetMinLimit) MinLimit = 0;
    // Positions are summed in 64 bits so that extreme requests can't overflow.
    const int64_t p = position();
    const int64_t lo = MinLimit, hi = MaxLimit;
    const double range = double(hi - lo);
    int64_t d;
    if (relayout && StayProportional) {
        d = fw::ToInt32(double(lo) + range * proportionValue - double(p));
    } else {
        proportionValue = range == 0 ? 0.0 : (double(p - lo) + distance) / range;
        d = distance;
    }
    proportionValue = std::isnan(proportionValue) ? 0.0 : std::min(1.0, std::max(0.0, proportionValue));

    if ((double(p + d) < double(lo) + MinLimitOffset / 2.0 || (atMinLimit && relayout)) && !StopAtMinOffset) {
        atMinLimit = true;
        d = lo - p;
    } else {
        atMinLimit = false;
        if (p + d < lo + MinLimitOffset) d = lo + MinLimitOffset - p;
    }

    if ((double(p + d) > double(hi) - MaxLimitOffset / 2.0 || (atMaxLimit && relayout)) && !StopAtMaxOffset) {
        atMaxLimit = true;
        d = hi - p;
        if (isVertical) d -= Width();
    } else {
        atMaxLimit = false;
        if (p + d > hi - MaxLimitOffset) d = hi - MaxLimitOffset - p;
    }

    if (p + d < lo) d = lo - p;
    if (p + d > hi) d = hi - p;

    if (d == 0 && !relayout) return;

    const int moved = fw::SaturateToInt32(d);
    if (moved != 0) {
        if (isVertical) Left(int(p + moved));
        else Top(int(p + moved));
    }
    if (mouseDownTriggered && debugCanvas) debugCanvas->clearP();
    if (!DisableLiveDrag) {
        RaiseEvent<void(int)>("Moved", moved);
        adjustAttachedControls(moved, relayout);
    } else if (relayout) {
        adjustAttachedControls(moved, relayout);
    }
}

void SmartSplitter::behave() {
    assignLimits();
    moveDistance(0, true);
}

void SmartSplitter::setPosition(int value) {
    if (warningIfNonAttached("setPosition")) return;
    const int p0 = position();
    moveDistance(fw::SaturateToInt32(int64_t(value) - position()), false);
    if (DisableLiveDrag) adjustAttachedControls(position() - p0, true);
    refreshDebugCanvas();
}

void SmartSplitter::resetPosition() {
    if (StayProportional) {
        setProportion(fw::Variant(proportionAtOpen));
        return;
    }
    const bool lockedFar = isVertical ? LockRight() : LockBottom();
    const int windowSize = isVertical ? win().Width() : win().Height();
    if (lockedFar) setPosition(fw::SaturateToInt32(int64_t(positionAtOpen) + windowSize - windowSizeAtOpen));
    else setPosition(positionAtOpen);
}

void SmartSplitter::setProportion(const fw::Variant& value) {
    if (warningIfNonAttached("setProportion")) return;
    if (showWarningsDialogs && !value.IsDouble()) {
        const int32_t asInt = value.Int32Value();
        if (asInt != 0 && asInt != 1) {
            fw::MsgBox("The value type passed to the SmartSplitter '" + Name() +
                       "' method 'setProportion' is not a single or double." + fw::EndOfLine + fw::EndOfLine +
                       "Proportion must be referenced as a single or double - double is preferred as that is how "
                       "it is referenced internally.");
            return;
        }
    }
    proportionValue = value.DoubleValue();
    atMinLimit = false;
    atMaxLimit = false;
    const bool saved = StayProportional;
    StayProportional = true;
    behave();
    StayProportional = saved;
    refreshDebugCanvas();
}

double SmartSplitter::proportion() { return proportionValue; }

int SmartSplitter::position() { return isVertical ? Left() : Top(); }

void SmartSplitter::setMinLimit(int value) {
    MinLimit = value;
    minAttachedControl = nullptr;
    refreshDebugCanvas();
}

void SmartSplitter::setMaxLimit(int value) {
    MaxLimit = value;
    maxAttachedControl = nullptr;
    refreshDebugCanvas();
}

void SmartSplitter::setMinLimitOffset(int value) {
    MinLimitOffset = std::max(value, 0);
    refreshDebugCanvas();
}

void SmartSplitter::setMaxLimitOffset(int value) {
    MaxLimitOffset = std::max(value, 0);
    refreshDebugCanvas();
}

bool SmartSplitter::Event_MouseDown(int x, int y) {
    if (conceal) return false;
    assignLimits();
    mouseDownTriggered = true;
    mouseDownX = x;
    mouseDownY = y;
    positionAtMouseDown = position();
    refreshDebugCanvas();
    RaiseEvent<bool(int, int)>("MouseDown", x, y);
    return true;
}

void SmartSplitter::Event_MouseDrag(int x, int y) {
    if (isVertical) moveDistance(fw::SaturateToInt32(int64_t(x) - mouseDownX), false);
    else moveDistance(fw::SaturateToInt32(int64_t(y) - mouseDownY), false);
    if (debugCanvas) debugCanvas->markSplitter(this, MinLimit, MaxLimit, isVertical);
}

void SmartSplitter::Event_MouseUp(int x, int y) {
    if (DisableLiveDrag) {
        const int d = position() - positionAtMouseDown;
        RaiseEvent<void(int)>("Moved", d);
        adjustAttachedControls(d, false);
    }
    mouseDownTriggered = false;
    win().Refresh(true);
    RaiseEvent<void(int, int)>("MouseUp", x, y);
}

// ---------------------------------------------------------------------------
// Laying out attached controls

void SmartSplitter::adjustAttachedControls(int distance, bool relayout) {
    const int sp = position();
    const int st = thickness();
    for (size_t i = 0; i < attachedControl.size(); ++i) {
        RectControl* c = attachedControl[i];
        if (!c) continue;
        int pos = posOf(c);
        int size = extentOf(c);
        const bool move = attachedControlShouldMove[i];
        const bool resize = attachedControlShouldResize[i];

        if (!attachedControlBehind[i]) {
            if (attachedControlShouldCenter[i]) {
                pos = fw::ToInt32(double(sp) + st + (double(MaxLimit) - sp - st) / 2.0 - size / 2.0);
            } else {
                if (move) pos = fw::SaturateToInt32(int64_t(pos) + distance);
                if (resize) size = fw::SaturateToInt32(int64_t(size) - distance);
            }
        } else {
            if (attachedControlShouldCenter[i]) {
                pos = fw::ToInt32(double(MinLimit) + st / 2.0 + (double(sp) - MinLimit) / 2.0 - size / 2.0);
            } else {
                if (move) pos = fw::SaturateToInt32(int64_t(pos) + distance);
                if (resize) size = fw::SaturateToInt32(int64_t(size) + distance);
            }
        }

        if (size < 1 && c->Visible()) c->Visible(false);

        if (!isVertical) {
            if (c->Top() != pos) c->Top(pos);
            if (c->Height() != size) c->Height(size);
        } else {
            if (c->Width() != size) c->Width(size);
            if (c->Left() != pos) c->Left(pos);
        }

        bool show = size > 0 && size >= attachedControlMinSizeVisible[i];

        if (!move && !resize) {
            if (!isVertical) {
                if (!attachedControlBehind[i]) {
                    if (c->Top() < Top() + Height() - 2) show = false;
                } else if (Top() + 2 < c->Top() + c->Height()) {
                    show = false;
                }
            } else {
                if (!attachedControlBehind[i]) {
                    if (c->Left() < Left() + Width() - 1) show = false;
                } else if (Left() + 1 < c->Left() + c->Width()) {
                    show = false;
                }
            }
        }

        if (!IsA<SmartSplitter>(c) && c->Parent()) {
            const RectControl* p = c->Parent();
            if (c->Left() < p->Left() || p->Left() + p->Width() < c->Left() + c->Width()) show = false;
            if (c->Top() < p->Top() || p->Top() + p->Height() < c->Top() + c->Height()) show = false;
        }

        if (c->Visible() != show) c->Visible(show);
        if (debugCanvas) debugCanvas->markControl(c);
    }

    if (relayout) return;
    // Nested bars of the same orientation follow a drag; their own layout
    // runs with relayout set, so the cascade stops one level down.
    for (size_t i = 0; i < attachedControl.size(); ++i) {
        auto* nested = dynamic_cast<SmartSplitter*>(attachedControl[i]);
        if (nested && nested->isVertical == isVertical) nested->behave();
    }
}

// ---------------------------------------------------------------------------
// Debug overlay

void SmartSplitter::setDebug(bool on) {
    if (on) {
        fw::Window& w = win();
        for (int i = 0; i <= w.ControlCount() - 1; ++i) {
            if (auto* overlay = dynamic_cast<CanvasSmartSplitterDebugger*>(w.Control(i))) {
                debugCanvas = overlay;
                overlay->debug = true;
                break;
            }
            fw::RuntimeBackgroundTask();
        }
        if (!debugCanvas) {
            fw::MsgBox("SmartSplitter '" + Name() +
                       "' needs a CanvasSmartSplitterDebugger to be present in the window for debug mode to work.");
        }
        return;
    }
    if (debugCanvas) {
        debugCanvas->debug = false;
        debugCanvas->clearP();
    }
    debugCanvas = nullptr;
}

void SmartSplitter::refreshDebugCanvas() {
    if (!debugCanvas) return;
    debugCanvas->clearP();
    debugCanvas->markSplitter(this, MinLimit, MaxLimit, isVertical);
    win().Refresh(true);
}
