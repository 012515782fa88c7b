#pragma once
// The settings store: values under case-insensitive "section.name" keys,
// loaded from and saved to an INI-style file (also the language-file format).
#include "fw/core/Dictionary.h"
#include "fw/core/FolderItem.h"
#include "fw/core/String.h"
#include "fw/core/Variant.h"

class VellSettings {
public:
    // Loads `name` at once; a blank name means the executable's name + ".ini".
    VellSettings(const fw::String& name, bool prefFolder);

    // Merges the file's entries into Storage; a missing file changes nothing.
    void LoadSettings(const fw::String& name);
    // Replaces the file atomically; silent when it can't be written.
    void SaveSettings(const fw::String& name);
    void Set(const fw::String& key, const fw::Variant& value);
    // The stored text when it isn't blank, else `def` as given.
    fw::Variant Get(const fw::String& key, const fw::Variant& def) const;
    void SetReadOnly(bool flag);
    void Clear();

    fw::Dictionary Storage;
    fw::String StorageName;
    bool ReadOnly = false;
    bool PrefFolder = false;

private:
    fw::FolderItemPtr fileFor(const fw::String& name) const;
    static fw::String normalizeKey(const fw::String& key);
};
