#pragma once
// The application object: records the program's identity texts in the
// language table when the application opens.
#include "applib/VellApp.h"
#include "fw/core/String.h"

class App : public VellApp {
public:
    App();

    // The product's web address, absolute and ending with "/"; set once by
    // Event_Open.
    fw::String ProgramUrl;

    void Event_Open();
};

// The running application object, nullptr outside a run.
App* TheApp();

inline constexpr const char* kProgramName = "Varnel";
inline constexpr const char* kProgramUrl = "https://varnel.example.org/";
inline constexpr const char* kVendorEmail = "support@varnel.example.org";
