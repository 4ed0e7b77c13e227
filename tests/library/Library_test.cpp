#include "library/Library.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

std::vector<std::string> namesOf(const KyLibrary& library)
{
    std::vector<std::string> names;
    for (const auto& type : library.devices)
        names.push_back(type->name);
    return names;
}

void addNamed(KyLibrary& library, const std::string& name)
{
    KyDevice type;
    type.name = name;
    library.addDevice(type);
}

} // namespace

TEST(Library, IdentifiersAreNeverReused)
{
    KyLibrary library;
    KyDevice type;
    type.id = 99; // a type read from an export file carries a foreign identifier
    for (int i = 0; i < 3; ++i)
        library.addDevice(type);
    EXPECT_EQ(library.deviceAt(2)->id, 3);

    auto held = library.deviceAt(1); // as an installed device holds its type
    library.eraseDevice(1);
    library.addDevice(type);
    EXPECT_EQ(library.deviceCount(), 3u);
    EXPECT_EQ(library.deviceAt(2)->id, 4);
    EXPECT_EQ(library.lastId, 4);
    EXPECT_EQ(held->id, 2);
}

TEST(Library, AddingStopsWhenTheIdentifiersAreUsedUp)
{
    KyLibrary library;
    library.lastId = std::numeric_limits<std::int32_t>::max();
    EXPECT_FALSE(library.addDevice(KyDevice{}));
    EXPECT_EQ(library.deviceCount(), 0u);
}

TEST(Library, SortsByNameIgnoringCase)
{
    KyLibrary library;
    for (auto name : {"beta", "Alpha", "gamma"})
        addNamed(library, name);
    library.sortByName(vt::NameCollator("en_US"));
    EXPECT_EQ(namesOf(library), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
}

TEST(Library, PolishNamesSortByThePolishLocale)
{
    KyLibrary library;
    // "Łódź" in cp1250
    for (auto name : {"Mazury", "\xA3\xF3\x64\x9F", "lublin"})
        addNamed(library, name);
    library.sortByName(vt::NameCollator("pl_PL"));
    EXPECT_EQ(namesOf(library), (std::vector<std::string>{"lublin", "\xA3\xF3\x64\x9F", "Mazury"}));
}
