#pragma once
// Layout checks for the console's windows: every visible control lies inside its parent's client
// area, no two visible siblings overlap, and visible windowed siblings take the focus in reading
// order (top to bottom, then left to right on one row).
#include "platform/vcl/WinControl.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace vd::test {

inline std::string Describe(const TControl* c) {
    const TRect r = c->BoundsRect();
    return c->Name() + " (" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
           std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")";
}

inline void CollectLayoutProblems(const TWinControl* parent, std::vector<std::string>& out) {
    const TRect area = parent->ClientRect();
    std::vector<const TControl*> shown;
    std::vector<const TWinControl*> tabbed;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* c = parent->Controls(i);
        if (!c->Visible()) continue;
        shown.push_back(c);
        const TRect r = c->BoundsRect();
        if (r.Left < area.Left || r.Top < area.Top || r.Right > area.Right || r.Bottom > area.Bottom)
            out.push_back(Describe(c) + " leaves " + Describe(parent));
        if (auto* w = dynamic_cast<const TWinControl*>(c)) {
            if (w->TabStop()) tabbed.push_back(w);
            CollectLayoutProblems(w, out);
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const TRect a = shown[i]->BoundsRect(), b = shown[j]->BoundsRect();
            if (a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
                out.push_back(Describe(shown[i]) + " overlaps " + Describe(shown[j]));
        }
    std::sort(tabbed.begin(), tabbed.end(),
              [](const TWinControl* a, const TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (std::size_t i = 1; i < tabbed.size(); ++i) {
        const TRect a = tabbed[i - 1]->BoundsRect(), b = tabbed[i]->BoundsRect();
        const bool sameRow = std::abs(a.Top - b.Top) < 6;
        if (sameRow ? b.Left <= a.Left : b.Top < a.Top)
            out.push_back(Describe(tabbed[i]) + " is tabbed to after " + Describe(tabbed[i - 1]));
    }
}

inline std::vector<std::string> LayoutProblems(const TWinControl* window) {
    std::vector<std::string> out;
    CollectLayoutProblems(window, out);
    return out;
}

} // namespace vd::test
