#include "shell/EncodingSelect.h"

#include "applib/VellClass.h"

namespace {

// Rows 0 to 2 first, then the rest alphabetically ignoring case; the stored
// setting is the row index, so this order is part of the settings format.
constexpr const char* kEncodingNames[] = {
    "SystemDefault", "UTF8", "ASCII", "DOSArabic", "DOSBalticRim", "DOSCanadianFrench",
    "DOSChineseSimplif", "DOSChineseTrad", "DOSCyrillic", "DOSGreek", "DOSGreek1", "DOSGreek2",
    "DOSHebrew", "DOSIcelandic", "DOSJapanese", "DOSKorean", "DOSLatin1", "DOSLatin2",
    "DOSLatinUS", "DOSNordic", "DOSPortuguese", "DOSRussian", "DOSThai", "DOSTurkish",
    "ISOLatin1", "ISOLatin2", "ISOLatinArabic", "ISOLatinCyrillic", "ISOLatinGreek",
    "ISOLatinHebrew", "KOI8_R", "MacArabic", "MacArmenian", "MacBengali", "MacBurmese",
    "MacCeltic", "MacCentralEurRoman", "MacChineseSimp", "MacChineseTrad", "MacCroatian",
    "MacCyrillic", "MacDevanagari", "MacDingbats", "MacEthiopic", "MacExtArabic", "MacGaelic",
    "MacGeorgian", "MacGreek", "MacGujarati", "MacGurmukhi", "MacHebrew", "MacIcelandic",
    "MacJapanese", "MacKannada", "MacKhmer", "MacKorean", "MacLaotian", "MacMalayalam",
    "MacMongolian", "MacOriya", "MacRoman", "MacRomanian", "MacRomanLatin1", "MacSinhalese",
    "MacSymbol", "MacTamil", "MacTelugu", "MacThai", "MacTibetan", "MacTurkish",
    "MacVietnamese", "ShiftJIS", "UCS4", "UTF16", "WindowsANSI", "WindowsArabic",
    "WindowsBalticRim", "WindowsCyrillic", "WindowsGreek", "WindowsHebrew",
    "WindowsKoreanJohab", "WindowsLatin1", "WindowsLatin2", "WindowsLatin5", "WindowsVietnamese",
};
static_assert(std::size(kEncodingNames) == 85);

}  // namespace

const std::vector<fw::String>& EncodingNames() {
    static const std::vector<fw::String> names(std::begin(kEncodingNames), std::end(kEncodingNames));
    return names;
}

EncodingSelect::EncodingSelect() {
    EncodingsList = EncodingNames();
    On("Open", this, &EncodingSelect::Event_Open);
    On("Close", this, &EncodingSelect::Event_Close);
}

void EncodingSelect::Event_Open() {
    AddRows(EncodingsList);
    // Garbage text reads as its leading number (0 when none); the range test
    // below then catches whatever comes out.
    int32_t n = Vell->UserSettings->Get(Name(), 0).Int32Value();
    if (n < 0 || n >= ListCount()) n = 0;
    ListIndex(n);
}

void EncodingSelect::Event_Close() { Vell->UserSettings->Set(Name(), ListIndex()); }

const fw::TextEncoding* EncodingSelect::GetEncoding() const {
    fw::String t = Text();
    for (const fw::String& name : EncodingsList) {
        if (t == name) {
            if (const fw::TextEncoding* enc = fw::Encodings::ByName(name.utf8())) return enc;
            break;
        }
    }
    return fw::Encodings::SystemDefault;
}
