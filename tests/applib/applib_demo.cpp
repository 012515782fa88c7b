// Opens the library's test window with its menus: Help > About shows the
// About box, File > Language... picks a language file.
#include "TestShell.h"
#include "fw/gui/Application.h"

namespace {
class DemoWindow : public TestWindow {
public:
    DemoWindow() { CloseAppOnExit = true; }
};
}  // namespace

int main(int argc, char** argv) {
    return fw::RunApplication<TestApp>(argc, argv, [] { fw::Implicit<DemoWindow>(); });
}
