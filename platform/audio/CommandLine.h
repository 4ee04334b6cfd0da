#pragma once
// Splitting an encoder command line into arguments without a shell.
#include <string>
#include <vector>

namespace vd::audio {

// Blanks (space, tab) separate arguments; runs of blanks count once. Double and single quotes
// group blanks into one argument (an empty pair gives an empty argument); a backslash outside
// single quotes takes the next character literally. An unclosed quote runs to the end.
std::vector<std::string> SplitCommandLine(const std::string& line);

} // namespace vd::audio
