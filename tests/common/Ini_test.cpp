#include "common/Ini.h"

#include <climits>
#include <gtest/gtest.h>

TEST(Ini, ReadsSectionsAndKeysWithoutRegardToCase)
{
    vt::IniFile ini("; comment=1\r\n"
                    "[First]\r\n"
                    "  Key = spaced value  \r\n"
                    "quoted=\"  kept  \"\r\n"
                    "# hidden=1\r\n"
                    "no equals sign\r\n"
                    "Key=second occurrence\r\n"
                    "[ second ]\n"
                    "empty=\n"
                    "[FIRST]\n"
                    "other=in a repeated section");
    EXPECT_EQ(ini.value("first", "KEY"), "spaced value");
    EXPECT_EQ(ini.value("First", "quoted"), "  kept  ");
    EXPECT_EQ(ini.value("First", "hidden"), std::nullopt);
    EXPECT_EQ(ini.value("First", "comment"), std::nullopt);
    EXPECT_EQ(ini.value("SECOND", "empty"), "");
    EXPECT_EQ(ini.value("First", "other"), std::nullopt);
    EXPECT_EQ(ini.value("none", "key", "fallback"), "fallback");
}

TEST(Ini, NumbersReadLikeTheirLeadingDigits)
{
    struct Case {
        const char* text;
        int expected;
    };
    for (auto [text, expected] : {Case{"3", 3}, Case{" 12abc", 12}, Case{"-4", -4}, Case{"+7", 7},
                                  Case{"abc", -1}, Case{"", -1}, Case{"-", -1}, Case{"99999999999999999999", INT_MAX},
                                  Case{"-99999999999", INT_MIN}}) {
        vt::IniFile ini(std::string("[S]\nn=") + text + "\n");
        EXPECT_EQ(ini.intValue("S", "n", -1), expected) << text;
    }
    EXPECT_EQ(vt::IniFile().intValue("S", "n", 5), 5);
}

TEST(Ini, RewritingKeepsWhatItDoesNotChange)
{
    vt::IniFile ini("; settings\n"
                    "[Other]\n"
                    "keep=1\n"
                    "\n"
                    "[Main]\n"
                    "a=old\n"
                    "; note\n"
                    "\n");
    ini.setValue("MAIN", "A", "new");
    ini.setValue("Main", "b", "added");
    ini.setValue("Fresh", "c", "3");
    EXPECT_EQ(ini.text(), "; settings\n"
                          "[Other]\n"
                          "keep=1\n"
                          "\n"
                          "[Main]\n"
                          "A=new\n"
                          "; note\n"
                          "b=added\n"
                          "\n"
                          "[Fresh]\n"
                          "c=3\n");
    ini.eraseSection("other");
    EXPECT_EQ(ini.value("Other", "keep"), std::nullopt);
    EXPECT_EQ(ini.text().find("[Other]"), std::string::npos);
}

TEST(Ini, AwkwardValuesReadBackAsWritten)
{
    for (std::string value : {" padded ", "\"quoted\"", "\"", "", "tab\t", "\xA3\xF3\x64\x9F", "a=b;c"}) {
        vt::IniFile ini;
        ini.setValue("S", "k", value);
        EXPECT_EQ(vt::IniFile(ini.text()).value("S", "k"), value) << value;
    }
    vt::IniFile ini;
    ini.setValue("S", "k", "two\nlines");
    EXPECT_EQ(vt::IniFile(ini.text()).value("S", "k"), "two lines");
}
