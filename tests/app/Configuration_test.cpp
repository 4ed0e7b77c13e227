#include "app/Configuration.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

class ConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("vt-cnf-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "vt2.cnf").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeFile(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string fileText() const
    {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
    vt::LoadStatus load() { return loadConfiguration(path, pages, zones); }

    fs::path dir;
    std::string path;
    std::vector<std::string> pages{"left over"};
    ZoneNames zones;
};

TEST_F(ConfigurationTest, FirstStartGivesDefaultsAndWritesThem)
{
    EXPECT_EQ(load(), vt::LoadStatus::Missing);
    EXPECT_EQ(pages, std::vector<std::string>{"Strona 1"});
    EXPECT_EQ(zones[0], "1");
    EXPECT_EQ(zones[9], "10");
    ASSERT_TRUE(saveConfiguration(path, pages, zones));
    EXPECT_EQ(fileText(), "[MAIN PAGE CONTORL]\n"
                          "Pages=1\n"
                          "TabSheet0=Strona 1\n"
                          "\n"
                          "[MAIN ZONE CONTORL]\n"
                          "Zone1=1\nZone2=2\nZone3=3\nZone4=4\nZone5=5\n"
                          "Zone6=6\nZone7=7\nZone8=8\nZone9=9\nZone10=10\n");
}

TEST_F(ConfigurationTest, PageCountDecidesThePages)
{
    struct Case {
        const char* pagesValue;
        std::vector<std::string> expected;
    };
    for (const auto& c : {Case{"3", {"Scena", "", ""}}, Case{"1", {"Scena"}}, Case{"0", {"Strona 1"}},
                          Case{"-2", {"Strona 1"}}, Case{"dużo", {"Strona 1"}},
                          Case{"2147483647", {"Scena", "", "", "", "", "", "", "", "", ""}}}) {
        writeFile(std::string("[main page contorl]\npages=") + c.pagesValue + "\ntabsheet0=Scena\n");
        EXPECT_EQ(load(), vt::LoadStatus::Complete);
        EXPECT_EQ(pages, c.expected) << c.pagesValue;
    }
    writeFile("[MAIN PAGE CONTORL]\nPages=2\nTabSheet1=Druga\n");
    load();
    EXPECT_EQ(pages, (std::vector<std::string>{"Strona 1", "Druga"}));
}

TEST_F(ConfigurationTest, SavingDropsStalePagesAndKeepsTheRest)
{
    writeFile("[User]\nnote=kept\n\n"
              "[MAIN PAGE CONTORL]\nPages=3\nTabSheet0=A\nTabSheet1=B\nTabSheet2=C\n\n"
              "[MAIN ZONE CONTORL]\nZone1=Bar\nExtra=kept too\n");
    load();
    EXPECT_EQ(zones[0], "Bar");
    EXPECT_EQ(zones[1], "2");
    pages = {"A", "\xA3\xF3\x64\x9F"}; // a page deleted, one renamed in cp1250
    zones[0] = "Parkiet";
    ASSERT_TRUE(saveConfiguration(path, pages, zones));

    vt::IniFile saved(fileText());
    EXPECT_EQ(saved.value("MAIN PAGE CONTORL", "Pages"), "2");
    EXPECT_EQ(saved.value("MAIN PAGE CONTORL", "TabSheet2"), std::nullopt);
    EXPECT_EQ(saved.value("User", "note"), "kept");
    EXPECT_EQ(saved.value("MAIN ZONE CONTORL", "Extra"), "kept too");
    std::vector<std::string> pagesBack;
    ZoneNames zonesBack;
    readConfiguration(saved, pagesBack, zonesBack);
    EXPECT_EQ(pagesBack, pages);
    EXPECT_EQ(zonesBack, zones);
}
