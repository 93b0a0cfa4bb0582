#include "AccessibleNames.h"

#include "Types.h"

#include <algorithm>
#include <optional>

namespace {

std::string WithoutMnemonics(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

bool NeedsLabel(const ControlTemplate& c)
{
    return c.kind == ControlKind::Edit || c.kind == ControlKind::ComboBox || c.kind == ControlKind::ListView;
}

bool IsLabel(const ControlTemplate& c) { return c.kind == ControlKind::Label; }

bool LeftOnItsRow(const ControlTemplate& label, const ControlTemplate& c)
{
    using namespace label_reach;
    const int gap = c.x - (label.x + label.cx);
    return label.y >= c.y - kRowAbove && label.y <= c.y + kRowBelow && gap >= -kLeftOverlap && gap <= kLeftGap;
}

bool JustAbove(const ControlTemplate& label, const ControlTemplate& c)
{
    const int bottom = label.y + label.cy;
    const bool overlaps = label.x < c.x + c.cx && label.x + label.cx > c.x;
    return bottom <= c.y && bottom >= c.y - label_reach::kAboveGap && overlaps;
}

bool Frames(const ControlTemplate& group, const ControlTemplate& c)
{
    return group.kind == ControlKind::GroupBox && !group.text.empty() && group.x <= c.x && group.y <= c.y &&
           group.x + group.cx >= c.x + c.cx && group.y + group.cy >= c.y + std::min(c.cy, label_reach::kGroupDepth);
}

}  // namespace

std::vector<AccessibleName> AccessibleNames(const DialogTemplate& tmpl)
{
    const auto& controls = tmpl.controls;
    std::vector<bool> claimed(controls.size(), false);
    std::vector<std::optional<AccessibleName>> names(controls.size());
    // The unclaimed label that `better` prefers among those that `fits`.
    const auto findLabel = [&](const ControlTemplate& c, auto fits, auto better) {
        int best = -1;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const auto& l = controls[i];
            if (IsLabel(l) && !claimed[i] && fits(l, c) &&
                (best < 0 || better(l, controls[static_cast<std::size_t>(best)])))
                best = static_cast<int>(i);
        }
        return best;
    };
    const auto nameBy = [&](std::size_t control, int label) {
        claimed[static_cast<std::size_t>(label)] = true;
        names[control] = AccessibleName{controls[control].id, label,
                                        WithoutMnemonics(controls[static_cast<std::size_t>(label)].text)};
    };

    // Own texts and labels on the control's row first, so that a label
    // beside one box is not taken as the label above another.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& c = controls[i];
        if (c.id == IDC_STATIC) continue;
        if (!NeedsLabel(c)) {
            names[i] = AccessibleName{c.id, -1, WithoutMnemonics(c.text)};
            continue;
        }
        const int label = findLabel(c, LeftOnItsRow, [](const auto& l, const auto& best) { return l.x > best.x; });
        if (label >= 0) nameBy(i, label);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& c = controls[i];
        if (c.id == IDC_STATIC || !NeedsLabel(c) || names[i]) continue;
        const int label = findLabel(c, JustAbove, [](const auto& l, const auto& best) { return l.y > best.y; });
        if (label >= 0) {
            nameBy(i, label);
            continue;
        }
        const auto group = std::find_if(controls.begin(), controls.end(), [&](const auto& g) { return Frames(g, c); });
        if (group != controls.end()) names[i] = AccessibleName{c.id, -1, WithoutMnemonics(group->text)};
    }

    std::vector<AccessibleName> result;
    for (auto& name : names)
        if (name) result.push_back(std::move(*name));
    return result;
}
