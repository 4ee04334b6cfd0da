#include "platform/audio/CommandLine.h"

namespace vd::audio {

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote == '\'') {
            if (c == '\'')
                quote = 0;
            else
                current += c;
            continue;
        }
        if (c == '\\' && i + 1 < line.size()) {
            current += line[++i];
            inArg = true;
        } else if (quote == '"') {
            if (c == '"')
                quote = 0;
            else
                current += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inArg = true;
        } else if (c == ' ' || c == '\t') {
            if (inArg) args.push_back(std::move(current));
            current.clear();
            inArg = false;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg) args.push_back(std::move(current));
    return args;
}

} // namespace vd::audio
