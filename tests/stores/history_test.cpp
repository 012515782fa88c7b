#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "applib/VellHistory.h"

using fw::String;

namespace {

std::vector<std::string> entries(const VellHistory& h) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < h.Count(); ++i) out.push_back(h.Get(i).StringValue().bytes());
    return out;
}

using List = std::vector<std::string>;

TEST(HistoryTest, AddKeepsCapacityUniquenessAndNewestRules) {
    struct Case {
        int32_t size;
        bool unique;
        List adds;
        List expected;
    };
    const Case cases[] = {
        {10, true, {"a", "b", "c", "a"}, {"b", "c", "a"}},
        {10, false, {"a", "a"}, {"a"}},
        {10, false, {"a", "b", "a"}, {"a", "b", "a"}},
        {10, false, {"x", "File.txt", "file.txt"}, {"x", "File.txt"}},
        {3, false, {"a", "b", "c", "c"}, {"b", "c"}},  // full: room first, then nothing added
        {3, true, {"a", "b", "c", "c"}, {"a", "b", "c"}},
        {2, true, {"a", "B", "b"}, {"a", "b"}},  // uniqueness ignores case
        {0, false, {"a", "b"}, {"b"}},           // capacity below 1 holds one
        {-5, true, {"a"}, {"a"}},
    };
    for (const Case& c : cases) {
        VellHistory h(c.size, c.unique);
        for (const std::string& v : c.adds) h.Add(String(v));
        EXPECT_EQ(entries(h), c.expected) << c.size << (c.unique ? " unique" : "");
    }
}

TEST(HistoryTest, ElevenIntoTenDropsTheOldest) {
    VellHistory h(10, true);
    for (int i = 1; i <= 11; ++i) h.Add(i);
    ASSERT_EQ(h.Count(), 10);
    EXPECT_EQ(h.Get(0).StringValue().bytes(), "2");
    EXPECT_EQ(h.Get(9).StringValue().bytes(), "11");
}

TEST(HistoryTest, TextFormRoundTrips) {
    struct Case {
        int32_t size;
        bool unique;
        const char* text;
        List expected;
        const char* back;
    };
    const Case cases[] = {
        {10, true, "a|b|c", {"a", "b", "c"}, "a|b|c"},
        {2, false, "a|b|c", {"b", "c"}, "b|c"},
        {10, false, "a||b", {"a", "", "b"}, "a||b"},
        {10, true, "a|b|a", {"b", "a"}, "b|a"},
        {10, true, "", {}, ""},  // nothing stored yet: no entry
        {10,
         true,
         "/home/u/a b.txt|/home/u/c.html",
         {"/home/u/a b.txt", "/home/u/c.html"},
         "/home/u/a b.txt|/home/u/c.html"},
    };
    for (const Case& c : cases) {
        VellHistory h(c.size, c.unique);
        h.AddFromString(c.text, "|");
        EXPECT_EQ(entries(h), c.expected) << c.text;
        EXPECT_EQ(h.AsString("|").bytes(), c.back) << c.text;
    }
}

TEST(HistoryTest, LookupEditAndOutOfRange) {
    VellHistory h(5, false);
    EXPECT_EQ(h.IndexOf("a"), -1);
    EXPECT_EQ(h.AsString("|").bytes(), "");
    h.AddFromString("a|b|c", "|");
    EXPECT_EQ(h.IndexOf("B"), 1);

    h.Set(1, "B2");
    h.Set(3, "nope");
    h.Set(-1, "nope");
    h.DeleteValue("absent");
    EXPECT_EQ(entries(h), (List{"a", "B2", "c"}));

    h.DeleteValue("a");
    h.Delete(5);
    h.Delete(-1);
    EXPECT_EQ(entries(h), (List{"B2", "c"}));
    EXPECT_TRUE(h.Get(2).IsNull());
    EXPECT_TRUE(h.Get(-1).IsNull());

    h.Clear();
    EXPECT_EQ(h.Count(), 0);
    for (const char* v : {"1", "2", "3", "4", "5", "6"}) h.Add(v);
    EXPECT_EQ(entries(h), (List{"2", "3", "4", "5", "6"}));
}

}  // namespace
