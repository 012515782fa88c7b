#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "fw/core/Dictionary.h"
#include "fw/core/Variant.h"

using fw::Dictionary;
using fw::String;
using fw::Variant;

namespace {

TEST(VariantTest, TextForms) {
    struct Case {
        Variant v;
        const char* text;
    };
    const Case cases[] = {
        {Variant(), ""},         {Variant(0), "0"},
        {Variant(-42), "-42"},   {Variant(int64_t(9007199254740993)), "9007199254740993"},
        {Variant(true), "True"}, {Variant(false), "False"},
        {Variant(2.5), "2.5"},   {Variant("héllo"), "héllo"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.v.StringValue().bytes(), c.text) << c.text;
}

TEST(VariantTest, TextToNumbers) {
    struct Case {
        const char* text;
        int64_t integer;
        double real;
    };
    const Case cases[] = {
        {"", 0, 0.0}, {"abc", 0, 0.0}, {"12", 12, 12.0}, {"12abc", 12, 12.0}, {"-3.9", -3, -3.9}, {"3.9", 3, 3.9},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Variant(c.text).IntegerValue(), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(Variant(c.text).DoubleValue(), c.real) << c.text;
    }
}

TEST(VariantTest, ConversionsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(Variant("1e30").IntegerValue(), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Variant(-1e30).IntegerValue(), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(Variant(std::numeric_limits<double>::quiet_NaN()).IntegerValue(), 0);
    EXPECT_EQ(Variant(int64_t(1) << 40).Int32Value(), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(Variant(-(int64_t(1) << 40)).Int32Value(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(Variant("-7").Int32Value(), -7);
}

TEST(VariantTest, BooleansReadBackFromTheirTextForm) {
    struct Case {
        Variant v;
        bool expected;
    };
    const Case cases[] = {
        {Variant("true"), true}, {Variant("TRUE"), true},   {Variant(" True "), true}, {Variant("1"), true},
        {Variant("-2.5"), true}, {Variant("false"), false}, {Variant("0"), false},     {Variant("yes"), false},
        {Variant(""), false},    {Variant(0), false},       {Variant(3), true},        {Variant(0.0), false},
        {Variant(), false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.v.BooleanValue(), c.expected) << c.v.StringValue().bytes();
    for (bool b : {true, false}) EXPECT_EQ(Variant(Variant(b).StringValue()).BooleanValue(), b);
}

TEST(DictionaryTest, KeepsInsertionOrderThroughReplaceAndRemove) {
    Dictionary d;
    d.Value("b", 1);
    d.Value("a", 2);
    d.Value("c", 3);
    d.Value("b", 10);  // replacing keeps the place
    ASSERT_EQ(d.Count(), 3);
    EXPECT_EQ(d.Key(0).bytes(), "b");
    EXPECT_EQ(d.Value("b").IntegerValue(), 10);

    d.Remove("b");
    ASSERT_EQ(d.Count(), 2);
    EXPECT_EQ(d.Key(0).bytes(), "a");
    EXPECT_EQ(d.Key(1).bytes(), "c");
    // The index must follow the shift.
    EXPECT_EQ(d.Value("c").IntegerValue(), 3);
    d.Value("c", 30);
    EXPECT_EQ(d.Count(), 2);
    EXPECT_EQ(d.Value("c").IntegerValue(), 30);
    d.Remove("missing");
    EXPECT_EQ(d.Count(), 2);
}

TEST(DictionaryTest, KeysAreExactAndMissingKeysAreNil) {
    Dictionary d;
    d.Value("Key", "upper");
    d.Value("key", "lower");
    EXPECT_EQ(d.Count(), 2);
    EXPECT_EQ(d.Value("Key").StringValue().bytes(), "upper");
    EXPECT_FALSE(d.HasKey("KEY"));
    EXPECT_TRUE(d.Value("KEY").IsNull());
    for (int64_t i : {-1, 2, 1000}) EXPECT_TRUE(d.Key(i).empty()) << i;
    d.Clear();
    EXPECT_EQ(d.Count(), 0);
    EXPECT_FALSE(d.HasKey("Key"));
}

}  // namespace
