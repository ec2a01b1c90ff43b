// The input and output sections of the current profile file: "INPUT<n>"
// and "OUTPUT<n>", counted by "NumInputs" and "NumOutputs" in "Settings".
#pragma once
#include <optional>
#include <string>

namespace keld {

struct InOutSection {
    std::string name;
    int index = 0;
};

// At most this many sections are searched, so that a damaged count cannot
// hold the program up.
inline constexpr int kMaxInOutSections = 4096;

// The section whose "MapTo" (default 1000) is `channel`.
std::optional<InOutSection> FindInOutSection(int channel, bool isOutput);
// Counts one section more and gives it "MapTo" = `channel`.
InOutSection AddInOutSection(int channel, bool isOutput);

}  // namespace keld
