#pragma once
// Files and folders, and whole-file text streams.
#include <filesystem>
#include <memory>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"

namespace fw {

class TextInputStream;
class TextOutputStream;
class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;  // nullptr plays nil

class FolderItem {
public:
    explicit FolderItem(std::filesystem::path p);

    FolderItemPtr Child(const String& name) const;
    FolderItemPtr Parent() const;
    bool Exists() const;
    bool Directory() const;
    bool IsRegularFile() const;  // exists and is a plain file (not a folder, device or pipe)
    String Name() const;         // file name without its folder
    String AbsolutePath() const;
    const std::filesystem::path& Path() const { return path_; }

    // nullptr when the file can't be opened for reading or isn't a plain file.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;
    // Replaces the file atomically: writes go to a temporary file in the same
    // folder (an unnamed one where the file system offers it, so that an
    // interrupted save leaves nothing), which Close() renames over this one.
    // nullptr when the temporary file can't be created.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;

private:
    std::filesystem::path path_;
};

class TextInputStream {
public:
    explicit TextInputStream(std::string bytes) : bytes_(std::move(bytes)) {}
    // The rest of the file's bytes, carrying `enc` (not converted).
    String ReadAll(const TextEncoding* enc = nullptr);
    bool EOF_() const { return pos_ >= bytes_.size(); }
    void Close() {}
    const TextEncoding* Encoding = nullptr;  // used by ReadAll when given none

private:
    std::string bytes_;
    size_t pos_ = 0;
};

class TextOutputStream {
public:
    ~TextOutputStream();  // a stream never closed is discarded; the old file stays
    // Converts to Encoding when it is set and the text carries an encoding;
    // a text without an encoding is written byte for byte.
    void Write(const String& s);
    void WriteLine(const String& s);
    // Flushes, syncs and renames over the target. False when anything failed;
    // the old file is then untouched.
    bool Close();
    const TextEncoding* Encoding = nullptr;
    ConversionReport report;  // what conversions on Write lost

private:
    friend class FolderItem;
    TextOutputStream(std::filesystem::path target, std::filesystem::path temp, int fd);
    std::filesystem::path target_, temp_;
    int fd_ = -1;
    bool failed_ = false;
    bool closed_ = false;
    size_t written_ = 0;  // input bytes given to Write, for report offsets
};

// Relative to the application's folder (absolute paths stand as they are).
FolderItemPtr GetFolderItem(const String& path);
// $XDG_CONFIG_HOME, else ~/.config; created when missing.
FolderItemPtr PreferencesFolder();
// The running executable (overridable for tests: a process-wide setting, see
// String.h on threads).
FolderItemPtr ApplicationExecutable();
void SetApplicationExecutable(const std::filesystem::path& p);

}  // namespace fw
