#pragma once
// The language table: interface texts by key, read from a ".lng" file in the
// settings-file format. The first non-empty text a key receives wins.
#include "applib/VellSettings.h"
#include "fw/core/FolderItem.h"
#include "fw/core/String.h"

class VellLanguage {
public:
    // A blank name selects "lang/default.lng" beside the application.
    explicit VellLanguage(const fw::String& file);
    ~VellLanguage() = default;  // writes nothing

    // The table's text for key when it isn't blank, else def; a non-empty
    // result is recorded under key.
    fw::String Get(const fw::String& def, const fw::String& key);
    // Empties the table, then reads `file`.
    void Load(const fw::String& file);
    void Save(const fw::String& file);
    void Set(const fw::String& key, const fw::String& text);

    VellSettings LangSet;
    fw::String LangFile;  // as the caller gave it
};

// The text side of the services object: VellClass's input, output and Lng
// forward here.
namespace VellText {

inline constexpr const char* DefaultLanguageFile = "lang/default.lng";
// Key of the "restart to apply the language" notice.
inline constexpr const char* RestartNoticeKey = "RestartMsg";

fw::String input(const fw::String& text);   // unchanged
fw::String output(const fw::String& text);  // unchanged
// The localised text for key: line breaks of def are held as backslash-n in
// the table and come back as CR LF.
fw::String Lng(VellLanguage& lang, const fw::String& def, const fw::String& key);
// Where the language dialog starts: the "lang" folder beside the
// application, or the application's folder when there is none.
fw::FolderItemPtr LanguageFolder();

}  // namespace VellText
