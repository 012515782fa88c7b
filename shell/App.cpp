#include "shell/App.h"

#include "applib/VellClass.h"
#include "fw/gui/Application.h"

App::App() { On("Open", this, &App::Event_Open); }

void App::Event_Open() {
    ProgramUrl = kProgramUrl;
    // Seeds the table: a text the language file already gives wins, and
    // whatever is recorded here is what every later lookup of the key gets.
    const struct {
        const char* key;
        fw::String value;
    } identity[] = {
        // clang-format off
        {"Application.ProgramName", kProgramName},
        {"Application.SupportUrl", ProgramUrl + "support"},
        {"Application.VendorEmail", kVendorEmail},
        {"Application.VendorSite", ProgramUrl},
        {"Application.VendorSiteUrl", ProgramUrl},
        {"Application.ProgramUrl", ProgramUrl},
        // clang-format on
    };
    for (const auto& row : identity) Vell->Lng(row.value, row.key);
}

App* TheApp() { return dynamic_cast<App*>(fw::GetAppObject()); }
