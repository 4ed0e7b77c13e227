#include "common/Cp1250.h"

#include <gtest/gtest.h>

TEST(Cp1250, EveryByteSurvivesARoundTripThroughUtf8)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    auto back = vt::utf8ToCp1250(vt::cp1250ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1250, PolishLettersAndUnassignedBytes)
{
    EXPECT_EQ(vt::cp1250ToUtf8("\xA3\xF3\x64\x9F"), "Łódź");
    EXPECT_EQ(vt::utf8ToCp1250("INTENSYWNOŚĆ"), std::optional<std::string>("INTENSYWNO\x8C\xC6"));
    for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98})
        EXPECT_EQ(vt::cp1250ToUnicode(std::string(1, static_cast<char>(b))), std::u32string(1, char32_t(b)));
}

TEST(Cp1250, TextCp1250CannotHoldIsRefusedOrReplaced)
{
    EXPECT_FALSE(vt::utf8ToCp1250("日本").has_value());
    EXPECT_FALSE(vt::utf8ToCp1250("\xC3").has_value()); // cut UTF-8 sequence
    EXPECT_FALSE(vt::utf8ToCp1250("\xED\xA0\x80").has_value()); // surrogate
    EXPECT_EQ(vt::utf8ToCp1250Lossy("a日b\xFF"), "a?b?");
}
