#include "platform/net/SmtpReply.h"

#include <cctype>

namespace vd::net {

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

void TSmtpReply::Reset() {
    FCode = 0;
    FLines = 0;
    FText.clear();
    FAllLines.clear();
}

TSmtpReply::TFeed TSmtpReply::Feed(const std::string& line) {
    if (line.size() < 3) return TFeed::Bad;
    int code = 0;
    for (int i = 0; i < 3; ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (!std::isdigit(c)) return TFeed::Bad;
        code = code * 10 + (c - '0');
    }
    if (code < 200 || code > 599) return TFeed::Bad;
    if (FLines > 0 && code != FCode) return TFeed::Bad;
    char sep = line.size() > 3 ? line[3] : ' ';
    if (sep != ' ' && sep != '-') return TFeed::Bad;
    if (FLines > 200) return TFeed::Bad; // a peer that never ends its reply
    FCode = code;
    ++FLines;
    std::string text = line.size() > 4 ? line.substr(4) : std::string();
    if (FText.size() < 512) {
        if (!FText.empty()) FText += ' ';
        FText += text.substr(0, 512);
    }
    if (FAllLines.size() < 8192) FAllLines += Upper(text) + "\n";
    return sep == '-' ? TFeed::More : TFeed::Done;
}

bool TSmtpReply::HasExtension(const std::string& keyword, const std::string& parameter) const {
    std::string kw = Upper(keyword), param = Upper(parameter);
    std::size_t pos = 0;
    while (pos < FAllLines.size()) {
        std::size_t end = FAllLines.find('\n', pos);
        std::string line = FAllLines.substr(pos, end - pos);
        pos = end == std::string::npos ? FAllLines.size() : end + 1;
        // Words of the line: the keyword first, then its parameters.
        std::size_t i = 0;
        bool first = true, keywordMatched = false;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '='))
                ++i;
            std::size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '=')
                ++j;
            std::string word = line.substr(i, j - i);
            i = j;
            if (word.empty()) break;
            if (first) {
                keywordMatched = word == kw;
                first = false;
                if (keywordMatched && param.empty()) return true;
            } else if (keywordMatched && word == param) {
                return true;
            }
        }
    }
    return false;
}

} // namespace vd::net
