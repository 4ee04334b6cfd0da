#include "platform/net/HttpAnswer.h"

#include <cctype>

namespace vd::net {

namespace {

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

} // namespace

std::string THttpHead::Field(const std::string& lowerName) const {
    for (const auto& f : Fields)
        if (f.first == lowerName) return f.second;
    return {};
}

int ParseStatusLine(const std::string& line) {
    std::size_t sp = line.find(' ');
    if (sp == std::string::npos) return 0;
    std::string proto = line.substr(0, sp);
    if (proto.rfind("HTTP/", 0) != 0 && proto != "ICY") return 0;
    if (line.size() < sp + 4) return 0;
    int code = 0;
    for (std::size_t i = sp + 1; i < sp + 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(line[i]))) return 0;
        code = code * 10 + (line[i] - '0');
    }
    if (line.size() > sp + 4 && line[sp + 4] != ' ') return 0;
    return code >= 100 ? code : 0;
}

bool ParseHttpHead(const std::string& text, THttpHead& head) {
    head = {};
    std::size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            if (line.empty()) return false;
            head.StartLine = line;
            head.Status = ParseStatusLine(line);
            first = false;
            continue;
        }
        if (line.empty()) break;
        std::size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0) continue; // tolerate junk lines
        std::string name = Trim(line.substr(0, colon));
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (head.Fields.size() < 100) head.Fields.emplace_back(name, Trim(line.substr(colon + 1)));
    }
    return !first;
}

} // namespace vd::net
