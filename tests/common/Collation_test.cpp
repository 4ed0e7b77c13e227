#include "common/Collation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(Collation, SortsIgnoringCase)
{
    vt::NameCollator collator("en_US");
    std::vector<std::string> names = {"beta", "Alpha", "gamma"};
    std::sort(names.begin(), names.end(), [&](auto& a, auto& b) { return collator.less(a, b); });
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(collator.compare("ABC", "abc"), 0);
}

TEST(Collation, CAndPosixLocalesIgnoreCaseToo)
{
    // What ICU makes of LANG=C or an unset locale.
    vt::NameCollator collator("en_US_POSIX");
    EXPECT_TRUE(collator.less("alpha", "Beta"));
    EXPECT_EQ(collator.compare("ABC", "abc"), 0);
}

TEST(Collation, PolishLettersFollowThePolishLocale)
{
    vt::NameCollator collator("pl_PL");
    // "Łódź", "Lublin", "Mazury" in cp1250
    std::vector<std::string> names = {"Mazury", "\xA3\xF3\x64\x9F", "Lublin"};
    std::sort(names.begin(), names.end(), [&](auto& a, auto& b) { return collator.less(a, b); });
    EXPECT_EQ(names, (std::vector<std::string>{"Lublin", "\xA3\xF3\x64\x9F", "Mazury"}));
}
