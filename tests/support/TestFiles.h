#pragma once
// Files and folders that tests of every layer use.
#include <filesystem>
#include <string>

namespace testsupport {

// The whole file as bytes; empty when it can't be read.
std::string readFile(const std::filesystem::path& p);
// Replaces the file with `bytes`, making its folder first.
void writeFile(const std::filesystem::path& p, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with
// everything in it when this goes.
class TempFolder {
public:
    // The folder is named varnel-<tag>-XXXXXX.
    explicit TempFolder(const std::string& tag);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace testsupport
