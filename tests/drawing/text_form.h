#pragma once
// Compares two text forms line by line and names the first line that differs, so a failing
// drawing test shows where the pictures part ways rather than two whole listings.

#include <sstream>
#include <string>

namespace corvane::test {

inline std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    std::istringstream want(expected);
    std::istringstream got(actual);
    std::string wantLine;
    std::string gotLine;
    for (int line = 1;; ++line) {
        const bool haveWant = static_cast<bool>(std::getline(want, wantLine));
        const bool haveGot = static_cast<bool>(std::getline(got, gotLine));
        if (!haveWant && !haveGot)
            return {};
        if (!haveWant)
            return "line " + std::to_string(line) + ": unexpected \"" + gotLine + "\"";
        if (!haveGot)
            return "line " + std::to_string(line) + ": missing \"" + wantLine + "\"";
        if (wantLine != gotLine)
            return "line " + std::to_string(line) + ": expected \"" + wantLine + "\", got \"" + gotLine + "\"";
    }
}

} // namespace corvane::test
