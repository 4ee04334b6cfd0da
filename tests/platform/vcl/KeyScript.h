#pragma once
// Key sequences for control tests, typed through the headless back end: plain characters, and
// {Name} for a key with optional S- (Shift), C- (Ctrl) prefixes, e.g. "ab{S-Home}{C-x}".
#include "platform/win/headless/HeadlessBackend.h"

#include <cctype>
#include <map>
#include <string>

namespace vd::test {

inline int KeyScriptVk(const std::string& name) {
    static const std::map<std::string, int> keys = {
        {"Left", VK_LEFT}, {"Right", VK_RIGHT},  {"Up", VK_UP},      {"Down", VK_DOWN},  {"Home", VK_HOME},
        {"End", VK_END},   {"PgUp", VK_PRIOR},   {"PgDn", VK_NEXT},  {"Del", VK_DELETE}, {"Ins", VK_INSERT},
        {"BS", VK_BACK},   {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Tab", VK_TAB},    {"F10", VK_F10},
        {"F2", VK_F2},     {"Apps", VK_APPS},    {"Space", VK_SPACE}};
    auto it = keys.find(name);
    if (it != keys.end()) return it->second;
    if (name.size() == 1) return std::toupper(static_cast<unsigned char>(name[0]));
    return 0;
}

// The character a key gives with Ctrl held: control codes for letters, as a keyboard does.
inline std::uint32_t KeyScriptChar(int vk, bool ctrl, bool shift) {
    if (vk == VK_BACK) return ctrl ? 127 : 8;
    if (vk == VK_RETURN) return 13;
    if (vk == VK_ESCAPE) return 27;
    if (vk == VK_TAB) return 9;
    if (vk == VK_SPACE) return ' ';
    if (vk >= 'A' && vk <= 'Z')
        return ctrl ? static_cast<std::uint32_t>(vk - 'A' + 1) : (shift ? vk : vk + 32);
    return 0;
}

inline void TypeKeys(HeadlessBackend* hb, const std::string& script) {
    for (std::size_t i = 0; i < script.size();) {
        if (script[i] != '{') {
            // A whole UTF-8 character as typed text.
            std::size_t n = 1;
            const auto c = static_cast<unsigned char>(script[i]);
            if (c >= 0xF0)
                n = 4;
            else if (c >= 0xE0)
                n = 3;
            else if (c >= 0xC0)
                n = 2;
            std::uint32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
            for (std::size_t k = 1; k < n; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(script[i + k]) & 0x3F);
            const int vk = std::isalnum(c) ? std::toupper(c) : (c == ' ' ? VK_SPACE : VK_OEM_1);
            hb->KeyPress(vk, cp);
            i += n;
            continue;
        }
        const std::size_t close = script.find('}', i);
        std::string name = script.substr(i + 1, close - i - 1);
        i = close + 1;
        bool shift = false, ctrl = false;
        while (name.size() > 2 && name[1] == '-') {
            shift |= name[0] == 'S';
            ctrl |= name[0] == 'C';
            name = name.substr(2);
        }
        const int vk = KeyScriptVk(name);
        if (shift) hb->KeyDown(VK_SHIFT);
        if (ctrl) hb->KeyDown(VK_CONTROL);
        hb->KeyPress(vk, KeyScriptChar(vk, ctrl, shift));
        if (ctrl) hb->KeyUp(VK_CONTROL);
        if (shift) hb->KeyUp(VK_SHIFT);
    }
}

} // namespace vd::test
