#pragma once
// Shared set-up: every test starts from the module state the shell leaves
// before a conversion.
#include <gtest/gtest.h>

#include "applib/VellGlobal.h"
#include "engine/quillet.h"
#include "fw/core/TextEncoding.h"

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        EOL = fw::EndOfLine.Windows();
        quillet::stringlength = 0;
        quillet::SourceEncoding = fw::Encodings::UTF8;
        quillet::DestEncoding = fw::Encodings::UTF8;
    }
    void TearDown() override { quillet::stringlength = 0; }

    static std::string Run(const std::string& label, const std::string& utf8, int32_t length = 0) {
        quillet::stringlength = length;
        return quillet::Varnel(fw::String(utf8), fw::String(label)).bytes();
    }
};

// The piece joiner with the platform line end.
inline const std::string kJoin = "'+\n'";
