#pragma once
// A fixture for splitter tests: each test describes its window as a table of
// controls, and the window is opened in a running application.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "splitter/CanvasSmartSplitterDebugger.h"
#include "splitter/SmartSplitter.h"
#include "tests/gui/GuiTestBase.h"

class SplitterWindow : public fw::Window {
public:
    static std::function<void(SplitterWindow&)>& builder() {
        static std::function<void(SplitterWindow&)> b;
        return b;
    }
    SplitterWindow() {
        Width(614);
        Height(552);
        MinWidth(100);
        MinHeight(100);
        Resizeable(true);
        if (builder()) builder()(*this);
    }
};

class SplitterTest : public GuiTest {
protected:
    void TearDown() override {
        GuiTest::TearDown();
        SplitterWindow::builder() = nullptr;
    }

    // Opens a window of the given controls; `more` runs in the window's
    // constructor after them (frame kind, event bindings).
    SplitterWindow& open(std::initializer_list<fw::ControlRow> controls,
                         std::function<void(SplitterWindow&)> more = {}) {
        std::vector<fw::ControlRow> table(controls);
        SplitterWindow::builder() = [table, more](SplitterWindow& w) {
            for (const auto& spec : table) w.AddControl(spec);
            if (more) more(w);
        };
        startApp<fw::Application>([] { fw::Implicit<SplitterWindow>(); });
        return fw::Implicit<SplitterWindow>();
    }

    // The source and output halves of the converter's window around its bar.
    SplitterWindow& openConverterLayout(std::function<void(SmartSplitter&)> barSetUp = {},
                                        std::function<void(SplitterWindow&)> more = {}) {
        using namespace fw;
        return open({Row<GroupBox>("GroupBox2", "", 20, 244, 574, 288, LockL | LockT | LockR | LockB),
                     Row<GroupBox>("GBSource", "", 20, 14, 574, 218, LockL | LockT | LockR),
                     Row<EditField>("EFSource", "GBSource", 39, 38, 434, 151, LockL | LockT | LockR | LockB),
                     Row<SmartSplitter>("SSHor", "", 20, 235, 574, 9, LockL | LockR, barSetUp),
                     Row<EditField>("EFDest", "GroupBox2", 39, 271, 434, 241, LockL | LockT | LockR | LockB)},
                    more);
    }

    SmartSplitter& bar(const std::string& name = "SSHor") { return control<SmartSplitter>(name); }
};
