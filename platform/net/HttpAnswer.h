#pragma once
// The head of an HTTP (or ICY) answer or request: start line and header fields.
#include <string>
#include <utility>
#include <vector>

namespace vd::net {

struct THttpHead {
    std::string StartLine;
    int Status = 0; // answers: the status code; 0 when the start line has none
    std::vector<std::pair<std::string, std::string>> Fields; // names lower-cased, values trimmed

    // The first field of that (lower-case) name, or empty.
    std::string Field(const std::string& lowerName) const;
};

// Parses text up to (not including) the blank line. False for a head that is not HTTP-like.
bool ParseHttpHead(const std::string& text, THttpHead& head);
// Status of an answer start line: "HTTP/1.1 200 OK", "ICY 200 OK"; 0 when it is none.
int ParseStatusLine(const std::string& line);

} // namespace vd::net
