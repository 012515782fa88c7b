#pragma once
// The services object: the user's and the installed settings, the language
// table, localisation of windows and saved window and control bounds. One
// exists per run, in the global `Vell`, from the application's Open on.
#include <memory>

#include "applib/VellLanguage.h"
#include "applib/VellSettings.h"
#include "fw/core/String.h"

namespace fw {
class Window;
class MenuItem;
class RectControl;
}  // namespace fw

class VellClass {
public:
    // Sets EOL to CR LF, loads both settings stores from `name` (blank: the
    // executable's name + ".ini") and the language file last used.
    explicit VellClass(const fw::String& name);
    // Releases AppSettings, then Lang, then UserSettings; saves nothing.
    ~VellClass();
    VellClass(const VellClass&) = delete;
    VellClass& operator=(const VellClass&) = delete;

    // Lets the user pick a language file; windows opened later use it.
    void changeLanguageDialog(bool restartMsg);
    fw::String input(const fw::String& text);   // menu texts before lookup
    fw::String output(const fw::String& text);  // every looked-up text
    // The text for `key`, or `def`; line breaks come back as CR LF.
    fw::String Lng(const fw::String& def, const fw::String& key);
    // Moves the window to its saved place and grows a resizable window to
    // its saved size, within its limits; a place whose title strip lies on
    // no screen is ignored.
    void LoadWinPos(fw::Window& window, const fw::String& name);
    // Title, help, menus and control texts from the language table.
    void Localize(fw::Window& window, const fw::String& name);
    void LocalizeMenu(fw::MenuItem& item, const fw::String& key);
    // Records the language file under "Language" and writes UserSettings.
    void close();
    void SaveWinPos(fw::Window& window, const fw::String& name);
    void LoadControlPos(fw::RectControl& control, const fw::String& name);
    void SaveControlPos(fw::RectControl& control, const fw::String& name);

    std::unique_ptr<VellSettings> AppSettings;  // beside the application; never saved
    std::unique_ptr<VellLanguage> Lang;
    std::unique_ptr<VellSettings> UserSettings;  // Preferences folder; saved by close()
};

// The global that holds the services object. `->` and `*` on an empty one
// throw fw::NilObjectException, the fault of a missing object.
class VellHolder {
public:
    VellClass* operator->() const { return &get(); }
    VellClass& operator*() const { return get(); }
    explicit operator bool() const { return p_ != nullptr; }
    VellClass& get() const;
    void reset(std::unique_ptr<VellClass> v = nullptr) { p_ = std::move(v); }

private:
    std::unique_ptr<VellClass> p_;
};

extern VellHolder Vell;
