#pragma once
// A throw-away installation: an application folder holding the executable's
// name, and a Preferences folder, both in a fresh temporary folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "fw/core/FolderItem.h"

class TempApp : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "varnel-stores-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        appDir = root / "app";
        prefsDir = root / "prefs";
        std::filesystem::create_directories(appDir / "lang");
        fw::SetApplicationExecutable(appDir / "varnel");
        if (const char* v = ::getenv("XDG_CONFIG_HOME")) savedXdg = v;
        if (const char* v = ::getenv("HOME")) savedHome = v;
        ::setenv("XDG_CONFIG_HOME", prefsDir.c_str(), 1);
    }
    void TearDown() override {
        fw::SetApplicationExecutable({});
        restore("XDG_CONFIG_HOME", savedXdg);
        restore("HOME", savedHome);
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    static std::string read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static void write(const std::filesystem::path& p, const std::string& bytes) {
        std::filesystem::create_directories(p.parent_path());
        std::ofstream out(p, std::ios::binary);
        out << bytes;
    }

    std::filesystem::path root, appDir, prefsDir;

private:
    static void restore(const char* name, const std::optional<std::string>& v) {
        if (v) ::setenv(name, v->c_str(), 1); else ::unsetenv(name);
    }
    std::optional<std::string> savedXdg, savedHome;
};
