// The version number of an installed KELDORAN.EXE, made from the FileVersion
// text of its version resource, and the band that decides what a new
// installation may do with that installation.
#pragma once
#include <optional>
#include <string_view>

namespace instaux {

// Reads "a,b,c,d" the way scanf reads "%d,%d,%d,%d": white space before
// each number is skipped, each number may carry a sign, each comma must
// follow its number directly and text after the fourth number is ignored.
// Gives 1000a + 100b + 10c + d, so a number of 10 or more carries into the
// next place (1,0,10,0 gives 1100). Nothing when fewer than four numbers
// can be read or a number or the result does not fit an int.
std::optional<int> VersionNumberFromFileVersion(std::string_view text);

enum class VersionBand {
    TooOld,    // below 1035, also 0 (no readable version): only Replace
    Old,       // 1035 to 1049: Update or Replace
    Existing,  // 1050 to 1059: Update or Replace
    Newer,     // 1060 and above: refused
};

VersionBand BandOfVersion(int versionNumber);

}  // namespace instaux
