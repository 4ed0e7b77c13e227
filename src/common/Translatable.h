#pragma once
// Texts of the core that the windows show in the operator's language. The core makes them in
// Polish, as the command line and the tests expect; the windows look each one up in their
// catalogue when they show it.

#include <initializer_list>
#include <string>
#include <vector>

// Marks a text for the catalogue and stands for the text itself. The windows look the core's
// texts up under the context "Core".
#define VT_TRANSLATABLE(context, text) text

namespace vt {

// The pattern with %1, %2 ... replaced by the pieces, in one pass: a piece that holds "%2"
// stays as it is.
std::string fill(const std::string& pattern, const std::vector<std::string>& pieces);

// A message of the core made from a marked pattern and its pieces. The pattern is remembered,
// so that the windows can find the pieces again and put them into the translated pattern.
std::string filled(const char* pattern, std::initializer_list<std::string> pieces);

// The patterns messages were made from so far.
std::vector<std::string> filledPatterns();

// The pieces a message made from the pattern holds; false when it was not made from it. A
// piece takes the shortest text that lets the rest match.
bool piecesOf(const std::string& pattern, const std::string& message, std::vector<std::string>& pieces);

} // namespace vt
