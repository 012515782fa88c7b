#pragma once
// A throw-away installation: an application folder holding the executable's
// name, and a Preferences folder, both in a fresh temporary folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "fw/core/FolderItem.h"
#include "tests/support/TestFiles.h"

class TempApp : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.emplace("stores");
        root = folder_->path();
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
        folder_.reset();
    }

    std::filesystem::path root, appDir, prefsDir;

private:
    static void restore(const char* name, const std::optional<std::string>& v) {
        if (v) ::setenv(name, v->c_str(), 1);
        else ::unsetenv(name);
    }
    std::optional<testsupport::TempFolder> folder_;
    std::optional<std::string> savedXdg, savedHome;
};
