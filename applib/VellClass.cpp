#include "applib/VellClass.h"

#include "applib/VellGlobal.h"
#include "fw/gui/Desktop.h"
#include "fw/gui/FileDialogs.h"
#include "fw/gui/FileType.h"
#include "fw/gui/NilObjectException.h"

VellHolder Vell;

VellClass& VellHolder::get() const {
    if (!p_) throw fw::NilObjectException("Vell is nil: the application has not opened yet");
    return *p_;
}

VellClass::VellClass(const fw::String& name) {
    EOL = fw::EndOfLine.Windows();
    AppSettings = std::make_unique<VellSettings>(name, false);
    UserSettings = std::make_unique<VellSettings>(name, true);
    // Built after UserSettings, which names the file used last time.
    Lang = std::make_unique<VellLanguage>(UserSettings->Get("Language", fw::String()).StringValue());
}

VellClass::~VellClass() {
    AppSettings.reset();
    Lang.reset();
    UserSettings.reset();
}

void VellClass::changeLanguageDialog(bool restartMsg) {
    // The filter names a file type, which must live while the dialog shows.
    fw::FileType languageType;
    languageType.Name("Language");
    languageType.Extensions(".lng");

    fw::OpenDialog dialog;
    dialog.InitialDirectory = VellText::LanguageFolder();
    dialog.Title = Lng("Select a Language Interface file", "Msg");
    dialog.Filter = languageType.Name();
    fw::FolderItemPtr file = dialog.ShowModal();
    if (!file) return;

    // An absolute path opens the same file at the next start.
    Lang->Load(file->AbsolutePath());
    if (restartMsg)
        fw::MsgBox(
            Lng("You should restart application to apply new interface language!", VellText::RestartNoticeKey));
}

fw::String VellClass::input(const fw::String& text) { return VellText::input(text); }

fw::String VellClass::output(const fw::String& text) { return VellText::output(text); }

fw::String VellClass::Lng(const fw::String& def, const fw::String& key) { return VellText::Lng(*Lang, def, key); }

void VellClass::close() {
    UserSettings->Set("Language", Lang->LangFile);
    UserSettings->SaveSettings(fw::String());
}
