#include "common/Translatable.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* pattern;
    std::vector<std::string> pieces;
};

} // namespace

// A message made from a pattern gives back its pieces, whatever they hold: colons and
// brackets like the pattern's own, a marker of a piece, nothing at all.
TEST(TranslatableTest, PiecesComeBackFromTheFilledMessage)
{
    const Case cases[] = {
        {"Nie można zapisać pliku %1: %2", {"pokaz.vt2", "brak uprawnień"}},
        {"Nie można zapisać pliku %1: %2", {"a: b.vt2", "brak uprawnień (x)"}},
        {"%1 (%2)", {"plik jest zajęty", "nie można zapisać danych"}},
        {"Urządzenia z pliku %1, których typów nie ma w bibliotece, zostały pominięte: %2.\n%3",
         {"club.vt2", "3", "Kopia: club.vt2.damaged"}},
        {"Tryb ma %1 kanałów, urządzenie może mieć najwyżej %2", {"%2", ""}},
    };
    for (const Case& c : cases) {
        const std::string message = vt::fill(c.pattern, c.pieces);
        std::vector<std::string> pieces;
        ASSERT_TRUE(vt::piecesOf(c.pattern, message, pieces)) << message;
        EXPECT_EQ(vt::fill(c.pattern, pieces), message);
    }
    std::vector<std::string> pieces;
    ASSERT_TRUE(vt::piecesOf("Kopia: %1", vt::filled("Kopia: %1", {"%2 (%1)"}), pieces));
    EXPECT_EQ(pieces, std::vector<std::string>{"%2 (%1)"});
    EXPECT_FALSE(vt::piecesOf("Kopia: %1", "Nie udało się zrobić jego kopii.", pieces));
    EXPECT_FALSE(vt::piecesOf("Plik %1 jest uszkodzony", "Plik pokaz.vt2", pieces));
}

TEST(TranslatableTest, FillingKeepsThePatternsForTheWindows)
{
    EXPECT_EQ(vt::filled("Optyka %1", {"3"}), "Optyka 3");
    EXPECT_EQ(vt::fill("%2 przed %1, 100%", {"a", "b"}), "b przed a, 100%");
    const std::vector<std::string> patterns = vt::filledPatterns();
    EXPECT_NE(std::find(patterns.begin(), patterns.end(), "Optyka %1"), patterns.end());
}
