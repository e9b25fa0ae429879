#include "delivery/delivery_steps.h"

#include "library/reply_tree.h"

namespace tw {
namespace {

std::string NodeText(const TreeNode* node) {
    return node ? node->Caption() : "(none)";
}

std::string KeyText(const KeyEvent& e) {
    std::string name;
    switch (e.virtualKey) {
    case vkey::Backspace:
        name = "BS";
        break;
    case vkey::Shift:
        name = "Shift";
        break;
    case vkey::Ctrl:
        name = "Ctrl";
        break;
    case vkey::Alt:
        name = "Alt";
        break;
    case vkey::Insert:
        name = "Ins";
        break;
    case vkey::Return:
        name = "Enter";
        break;
    default:
        if (e.unicode != 0) {
            name = "U+" + std::to_string(static_cast<unsigned>(e.unicode));
            break;
        }
        if ((e.virtualKey >= '0' && e.virtualKey <= '9') ||
            (e.virtualKey >= 'A' && e.virtualKey <= 'Z')) {
            name = std::string(1, static_cast<char>(e.virtualKey));
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            name = std::string("0x") + kHex[e.virtualKey >> 4] + kHex[e.virtualKey & 0xF];
        }
    }
    return name + (e.keyUp ? "^" : "v");
}

// Shows 0x01 separators as "|" so lists stay readable.
std::string ListText(std::string text) {
    for (char& c : text) {
        if (c == '\x01') {
            c = '|';
        }
    }
    return text;
}

struct Describer {
    std::string operator()(const step::Select& s) const { return "Select " + NodeText(s.node); }
    std::string operator()(const step::RememberSelection&) const { return "RememberSelection"; }
    std::string operator()(const step::AskFieldValues& s) const {
        static constexpr const char* kAnchors[] = {"ButInCB", "ButInLastWnd", "drop point"};
        std::string text = "AskFieldValues " + s.fields + " at ";
        text += kAnchors[static_cast<int>(s.anchor.kind)];
        if (s.anchor.kind == DialogAnchor::Kind::DropPoint) {
            text += " " + std::to_string(s.anchor.x) + "," + std::to_string(s.anchor.y);
        }
        return text;
    }
    std::string operator()(const step::ExpandAndCopy& s) const {
        std::string text = "ExpandAndCopy";
        switch (s.source) {
        case step::ExpandAndCopy::Fields::Typed:
            text += " " + s.names + " = " + ListText(s.values);
            break;
        case step::ExpandAndCopy::Fields::Answers:
            text += " " + s.names + " = answers";
            break;
        case step::ExpandAndCopy::Fields::None:
            break;
        }
        if (s.holdForNotice) {
            return text + ", held for the notice";
        }
        return s.keepUserClipboard ? text + ", keeping the clipboard" : text;
    }
    std::string operator()(const step::Reload&) const { return "Reload"; }
    std::string operator()(const step::Keys& s) const {
        std::string text = "Keys";
        for (const KeyEvent& e : s.events) {
            text += " " + KeyText(e);
        }
        return s.delayMs > 0 ? text + " every " + std::to_string(s.delayMs) + " ms" : text;
    }
    std::string operator()(const step::TypeText& s) const {
        return s.delayMs > 0 ? "TypeText every " + std::to_string(s.delayMs) + " ms" : "TypeText";
    }
    std::string operator()(const step::TellCannotType& s) const {
        return "TellCannotType " + s.program;
    }
    std::string operator()(const step::ReleaseModifierKeys&) const { return "ReleaseModifierKeys"; }
    std::string operator()(const step::WaitWhileCtrlDown&) const { return "WaitWhileCtrlDown"; }
    std::string operator()(const step::Sleep& s) const {
        return "Sleep " + std::to_string(s.milliseconds);
    }
    std::string operator()(const step::Activate& s) const {
        return "Activate " + std::to_string(s.window);
    }
    std::string operator()(const step::StopUnlessWindowExists& s) const {
        return "StopUnlessWindowExists " + std::to_string(s.window);
    }
    std::string operator()(const step::Click& s) const {
        return "Click " + std::to_string(s.x) + "," + std::to_string(s.y);
    }
};

} // namespace

std::string DescribeStep(const DeliveryStep& step) {
    return std::visit(Describer{}, step);
}

std::vector<std::string> DescribePlan(const DeliveryPlan& plan) {
    std::vector<std::string> lines;
    lines.reserve(plan.size());
    for (const DeliveryStep& s : plan) {
        lines.push_back(DescribeStep(s));
    }
    return lines;
}

} // namespace tw
