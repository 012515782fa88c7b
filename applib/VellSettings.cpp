#include "applib/VellSettings.h"

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fw/core/BackgroundTask.h"
#include "fw/core/TextEncoding.h"

using fw::String;
using fw::Variant;

namespace {

// Files are UTF-8. A byte-order mark left by an editor is skipped, and a
// file saved as UTF-16 with its mark is read all the same.
std::string fileTextAsUTF8(std::string bytes) {
    if (bytes.size() >= 2 && ((uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xFE) ||
                              (uint8_t(bytes[0]) == 0xFE && uint8_t(bytes[1]) == 0xFF))) {
        String wide = fw::DefineEncoding(String::FromBytes(std::move(bytes), nullptr), fw::Encodings::UTF16);
        bytes = fw::ConvertEncoding(wide, fw::Encodings::UTF8).bytes();
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    return bytes;
}

bool readsAsHeader(const std::string& line) {
    const String trimmed = fw::Trim(String(line));
    const std::string& t = trimmed.bytes();
    return !t.empty() && t.front() == '[' && t.back() == ']';
}

// A value can't hold a line end in the file; it is written as the two
// characters backslash and n, the language files' own line-break form.
std::string escapeLineEnds(std::string_view v) {
    std::string out;
    out.reserve(v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\r' && i + 1 < v.size() && v[i + 1] == '\n') continue;  // CR LF counts once
        if (v[i] == '\n') {
            out += "\\n";
        } else {
            out += v[i];
        }
    }
    return out;
}

// Sections of a file being written, in order of first use.
class SectionTable {
public:
    std::string& text(const std::string& section) {
        auto [it, added] = index_.emplace(section, sections_.size());
        if (added) sections_.emplace_back(section, std::string());
        return sections_[it->second].second;
    }
    const std::vector<std::pair<std::string, std::string>>& all() const { return sections_; }

private:
    std::vector<std::pair<std::string, std::string>> sections_;
    std::unordered_map<std::string, size_t> index_;
};

}  // namespace

VellSettings::VellSettings(const String& name, bool prefFolder) : PrefFolder(prefFolder) { LoadSettings(name); }

String VellSettings::normalizeKey(const String& key) {
    // Keys are held as UTF-8 so that file keys and callers' keys meet
    // whatever encoding the caller's text carries.
    String k(key.utf8());
    if (k.bytes().find('.') == std::string::npos) k = String("common.") + k;
    return fw::Lowercase(k);
}

fw::FolderItemPtr VellSettings::fileFor(const String& name) const {
    // No name: the executable's name was unavailable, so there is no file.
    if (name.empty()) return nullptr;
    if (PrefFolder) {
        fw::FolderItemPtr prefs = fw::PreferencesFolder();
        return prefs ? prefs->Child(name) : nullptr;
    }
    return fw::GetFolderItem(name);
}

void VellSettings::LoadSettings(const String& name) {
    if (fw::Trim(name).empty()) {
        fw::FolderItemPtr exe = fw::ApplicationExecutable();
        StorageName = exe ? exe->Name() + String(".ini") : String();
    } else {
        StorageName = name;
    }
    fw::FolderItemPtr file = fileFor(StorageName);
    if (!file) return;
    std::string text;
    try {
        std::unique_ptr<fw::TextInputStream> in = file->OpenAsTextFile();
        if (!in) return;
        text = fileTextAsUTF8(in->ReadAll(fw::Encodings::UTF8).bytes());
        in->Close();
    } catch (const std::bad_alloc&) {
        return;  // a file too big for memory reads as missing
    }

    // Byte positions serve for the character positions of the format: "=",
    // "[", "]" and the line end are ASCII and can't sit inside a UTF-8 character.
    std::string prefix = "Common.";
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;

        const String trimmed = fw::Trim(String(line));
        const std::string& t = trimmed.bytes();
        if (t.empty()) continue;
        if (t.front() == '[' && t.back() == ']') {
            prefix = t.substr(1, t.size() - 2) + ".";
            continue;
        }
        size_t eq = line.find('=');
        std::string entryName = eq == std::string::npos ? line : line.substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        Storage.Value(fw::Lowercase(String(prefix + entryName)), Variant(String(std::move(value))));
        fw::RuntimeBackgroundTask();
    }
}

void VellSettings::SaveSettings(const String& name) {
    if (ReadOnly) return;
    fw::FolderItemPtr file = fileFor(name.empty() ? StorageName : name);
    if (!file) return;
    std::unique_ptr<fw::TextOutputStream> out = file->CreateTextFile();
    if (!out) return;
    out->Encoding = fw::Encodings::UTF8;

    SectionTable sections;
    for (int64_t i = 0; i < Storage.Count(); ++i) {
        const String key = Storage.Key(i);
        const std::string k = key.utf8();
        size_t dot = k.find('.');
        std::string section = dot == std::string::npos ? "common" : k.substr(0, dot);
        std::string entryName = dot == std::string::npos ? k : k.substr(dot + 1);
        std::string line = entryName + "=" + escapeLineEnds(Storage.Value(key).StringValue().utf8());
        // Keys the format can't hold are left out rather than written so
        // that they would read back as other keys or a header; they stay in
        // memory.
        bool writable = !entryName.empty() && entryName.find_first_of("=\n") == std::string::npos &&
                        section.find('\n') == std::string::npos && !readsAsHeader(line);
        if (writable) sections.text(section) += line + "\n";
        fw::RuntimeBackgroundTask();
    }

    std::string text;
    for (const auto& [section, entries] : sections.all()) {
        if (!section.empty()) text += "[" + section + "]\n" + entries + "\n";
        fw::RuntimeBackgroundTask();
    }
    out->Write(String(std::move(text)));
    out->Close();
}

void VellSettings::Set(const String& key, const Variant& value) { Storage.Value(normalizeKey(key), value); }

Variant VellSettings::Get(const String& key, const Variant& def) const {
    Variant v = Storage.Value(normalizeKey(key));
    if (!v.IsNull()) {
        String text = v.StringValue();
        if (!fw::Trim(text).empty()) return Variant(text);
    }
    return def;
}

void VellSettings::SetReadOnly(bool flag) { ReadOnly = flag; }

void VellSettings::Clear() { Storage.Clear(); }
