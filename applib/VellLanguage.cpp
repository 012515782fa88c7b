#include "applib/VellLanguage.h"

using fw::String;

namespace {

String fileOrDefault(const String& file) {
    return fw::Trim(file).empty() ? String(VellText::DefaultLanguageFile) : file;
}

}  // namespace

VellLanguage::VellLanguage(const String& file) : LangSet(fileOrDefault(file), false), LangFile(fileOrDefault(file)) {}

String VellLanguage::Get(const String& def, const String& key) {
    String r = LangSet.Get(key, def).StringValue();
    if (r.empty()) return r;
    LangSet.Set(key, r);
    return r;
}

void VellLanguage::Load(const String& file) {
    LangSet.Clear();
    LangFile = file;
    LangSet.LoadSettings(file);
}

void VellLanguage::Save(const String& file) { LangSet.SaveSettings(file); }

void VellLanguage::Set(const String& key, const String& text) { LangSet.Set(key, text); }

namespace VellText {

String input(const String& text) { return text; }

String output(const String& text) { return text; }

String Lng(VellLanguage& lang, const String& def, const String& key) {
    // The backslash-n pair is the table's line break; the table holds one
    // line per text.
    String d = fw::ReplaceLineEndings(def, "\\n");
    String t = output(lang.Get(d, key));
    return fw::ReplaceAll(t, "\\n", fw::EndOfLine.Windows());
}

fw::FolderItemPtr LanguageFolder() {
    fw::FolderItemPtr app = fw::GetFolderItem("");
    if (!app) return nullptr;
    fw::FolderItemPtr lang = app->Child("lang");
    return lang->Directory() ? lang : app;
}

}  // namespace VellText
