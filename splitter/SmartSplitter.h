#pragma once
// A draggable bar that shares a window's space between the controls on
// either side of it.
//
// Its shape gives its orientation: a bar wider than high (or square) is
// horizontal and moves up and down (position Top, thickness Height); a bar
// higher than wide is vertical and moves left and right (Left, Width). At
// open it attaches the controls lying against it, derives its limits from
// the outermost of them (or from the window) and records its proportion.
// From then on a drag moves it between MinLimit and MaxLimit, snapping onto a
// limit inside half its offset and holding at the offset beyond that, and
// every move moves, resizes or centres the attached controls.
//
// A host window places it like any canvas and drives it with two calls:
//
//     fw::Row<SmartSplitter>("SSHor", "", 20, 235, 574, 9, fw::LockL | fw::LockR),
//     ...
//     Control<SmartSplitter>("SSHor").setPosition(saved);   // in the window's Open
//     Control<SmartSplitter>("SSHor").behave();             // in the window's Resized
//     int top = Control<SmartSplitter>("SSHor").Top();      // in the window's Close
//
// Design-time values (the flags, offsets and colours below, and MaxLimit,
// MinLimit, HandleType, Debug and SwapOrientation) are set in the control's
// set-up, before it opens. Events for the code that uses the bar (bind with
// On after construction): "Open", "Moved"(int distance), "MouseDown"(x, y)
// -> bool (result unused), "MouseUp"(x, y), "Paint"(Graphics&), "Close".
//
// Every method is virtual and the bar calls its own methods through them, so
// a subclass may override any step.
#include <array>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "fw/core/String.h"
#include "fw/core/Variant.h"
#include "fw/gui/Canvas.h"
#include "fw/gui/Color.h"
#include "fw/gui/Graphics.h"
#include "fw/gui/RectControl.h"

class CanvasSmartSplitterDebugger;
namespace fw {
class Window;
}

class SmartSplitter : public fw::Canvas {
public:
    // A dimple table, indexed [column][row], each 1..5; index 0 is unused.
    using DimpleTable = std::array<std::array<double, 6>, 6>;

    SmartSplitter();
    ~SmartSplitter() override;

    // --- Properties, in declaration order ---------------------------------
    bool isVertical = false;
    fw::Color colorLight;
    fw::Color colorDark;
    bool handleLarge = false;
    int mouseDownX = 0;
    int mouseDownY = 0;
    // The attachment record: six parallel arrays, one index per attached
    // control, in the order of attaching. The controls belong to the window.
    std::vector<fw::RectControl*> attachedControl;
    int MaxLimit = 0;
    int MinLimit = 0;  // 9999: no lower limit given (read as 0)
    int MaxLimitOffset = 0;
    int MinLimitOffset = 0;
    int positionAtOpen = 0;
    int windowSizeAtOpen = 0;
    int windowSizeLast = 0;
    std::vector<int> attachedControlMinSizeVisible;
    fw::RectControl* maxAttachedControl = nullptr;
    fw::RectControl* minAttachedControl = nullptr;
    std::vector<bool> attachedControlShouldResize;
    std::vector<bool> attachedControlShouldMove;
    std::vector<bool> attachedControlBehind;
    bool atMinLimit = false;
    bool atMaxLimit = false;
    bool StayProportional = false;
    double proportionValue = 0.0;
    double proportionAtOpen = 0.0;
    std::vector<bool> attachedControlShouldCenter;
    bool handleDimple = false;
    int handleCount = 0;
    fw::Color colorMediumDisabled;
    fw::Color colorLightDisabled;
    fw::Color colorMedium;
    DimpleTable dimplePixelValue{};
    fw::Color colorDarkDisabled;
    DimpleTable dimplePixelValueDisabled{};
    bool doNotAttachEmbeddedControls = false;
    bool StopAtMinOffset = false;
    bool StopAtMaxOffset = false;
    bool showWarningsDialogs = false;
    int positionAtMouseDown = 0;
    CanvasSmartSplitterDebugger* debugCanvas = nullptr;  // an overlay of the same window
    bool mouseDownTriggered = false;
    bool conceal = false;
    bool Debug = false;
    bool SwapOrientation = false;
    bool DisableLiveDrag = false;
    bool minLimitOffsetPropSet = false;
    bool maxLimitOffsetPropSet = false;
    bool maxLimitPropSet = false;
    bool minLimitPropSet = false;
    // Grip styles of HandleType; any other number draws no grip.
    enum : int {
        HandleAutomatic = 0,
        HandleSmallBars = 1,
        HandleLargeBars = 2,
        HandleSmallDimples = 3,
        HandleLargeDimple = 4,
    };
    int HandleType = HandleAutomatic;
    bool backgroundDark = false;

    // --- Methods ------------------------------------------------------------
    // Handlers of the canvas events of the same names, run through Fire; a
    // direct call would raise the event back into the handler itself, since
    // it is the event's first layer.
    virtual void Event_Close();
    virtual void Event_MouseUp(int x, int y);
    virtual void Event_MouseDrag(int x, int y);
    virtual bool Event_MouseDown(int x, int y);
    virtual void Event_Open();
    virtual void Event_Paint(fw::Graphics& g);

    // Attaching controls.
    virtual void attachNearbyControls();
    virtual void attach(fw::RectControl* control);

    // Limits and position.
    virtual void setMaxLimit(int value);
    virtual void setMinLimit(int value);
    virtual void setMaxLimitOffset(int value);
    virtual void setMinLimitOffset(int value);
    virtual void resetPosition();
    virtual void setPosition(int value);
    virtual void moveDistance(int distance, bool relayout);

    // Lays the attached controls out after a move by `distance`.
    virtual void adjustAttachedControls(int distance, bool relayout);

    virtual void setMaxAttachedControl(fw::RectControl* control, bool onlyIfOuter);
    virtual void setMinAttachedControl(fw::RectControl* control, bool onlyIfOuter);
    virtual void setAttachedControlMinSizeVisible(fw::RectControl* control, int size);
    virtual int suggestMinSizeControlShouldBeVisible(fw::RectControl* control);
    virtual void setAttachedControlShouldResize(fw::RectControl* control, bool value);
    virtual bool suggestWhetherControlShouldResize(fw::RectControl* control);
    virtual void setAttachedControlShouldMove(fw::RectControl* control, bool value);
    // Re-applies the limits and the proportion; the host calls it on resize.
    virtual void behave();
    virtual void assignLimits();
    virtual void unAttach(fw::RectControl* control, bool silent);
    virtual void setProportion(const fw::Variant& value);
    virtual void setAttachedControlShouldCenter(fw::RectControl* control, bool value);
    virtual void drawDimple(int x, int y);
    virtual void drawBar(int x, int y);
    virtual void unAttachAllControls();
    virtual int suggestOffsetSizeForControl(fw::RectControl* control);
    virtual bool controlCommonlyHasEmbeddedControls(fw::RectControl* control);
    virtual void warningForControlNotAttached(fw::RectControl* control, const fw::String& methodName);
    // Derives the offset from a control (the Int form sets it directly).
    virtual void setMinLimitOffset(fw::RectControl* control);
    virtual bool warningIfNonAttached(const fw::String& methodName);
    virtual double proportion();
    virtual int position();
    virtual void OpenSmartSplitter();
    virtual void setDebug(bool on);
    virtual void setConceal(bool value);
    virtual void assignCursors();
    virtual void setMaxLimitOffset(fw::RectControl* control);
    virtual void refreshDebugCanvas();
    virtual void setHandleType(int t);

    const std::type_info* EventSignature(std::string_view event) const override;

private:
    // The bar's window; a bar outside a window is a nil-object fault.
    fw::Window& win() const;
    // The record's six arrays grow and shrink only together; a control
    // attaches uncentred.
    void appendAttached(fw::RectControl* control, int minSizeVisible, bool shouldResize, bool shouldMove,
                        bool behind);
    void removeAttached(size_t from, size_t count = 1);
    // Index of `control` in the record, -1 when it is not attached.
    int indexOfAttached(const fw::RectControl* control);
    // A developer warning, shown only while showWarningsDialogs is set.
    void warn(const fw::String& text);
    bool onDarkBackground() const;
    // The bar's extent along its travel (thickness) and across it (length).
    int thickness() const;
    int length() const;
    // A control's position and extent along the bar's travel.
    int posOf(const fw::RectControl* c) const;
    int extentOf(const fw::RectControl* c) const;
};
