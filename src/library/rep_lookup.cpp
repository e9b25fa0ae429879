#include "library/collation.h"
#include "library/hot_key.h"
#include "library/rep_list.h"

namespace tw {

namespace {

// The text between the first "(" (the start when there is none) and the first ")"; empty when
// there is no ")" after that start.
std::string ParameterStretch(const std::string& text) {
    const std::size_t open = text.find('(');
    const std::size_t start = open == std::string::npos ? 0 : open + 1;
    const std::size_t close = text.find(')');
    if (close == std::string::npos || close <= start) {
        return {};
    }
    return text.substr(start, close - start);
}

// The text up to and including its first "(", or all of it.
std::string NamePart(const std::string& text) {
    const std::size_t open = text.find('(');
    return open == std::string::npos ? text : text.substr(0, open + 1);
}

} // namespace

int TRepList::FindMacro(const std::string& typed, std::string* fields, std::string* values) const {
    const std::string key = NamePart(typed);
    int p = Macros.Find(key);
    if (p < 0) {
        p = Macros.LowerBound(key);
        if (p >= Macros.Count() || !SameTextAscii(NamePart(Macros.Get(p)), key)) {
            return -1;
        }
    }
    if (values) {
        *values = ParameterStretch(typed);
        for (char& c : *values) {
            if (c == ',') {
                c = '\x01';
            }
        }
    }
    if (fields) {
        *fields = ParameterStretch(Macros.Get(p));
    }
    return p;
}

Assignment TRepList::SetHotKey(TRep* item, const std::string& code) {
    if (code.empty()) {
        const int cur = HotKeyIndexOf(item);
        if (cur >= 0) {
            HotKeys.Delete(cur);
            HotKeys.ListBox().SetSelected(-1);
        }
        return Assignment::Unchanged;
    }
    int cur = HotKeyIndexOf(item);
    const int found = FindHotKey(code);
    if (found == cur && cur >= 0) {
        return Assignment::Unchanged;
    }
    if (found != -1) {
        return Assignment::HeldByAnother;
    }
    if (cur == -1) {
        HotKeys.Add(code, item);
        cur = FindHotKey(code);
        if (cur < 0) {
            return Assignment::HeldByAnother;
        }
    }
    HotKeys.Replace(cur, code);
    HotKeys.Refresh();
    HotKeys.ListBox().SetSelected(HotKeys.ListBox().IndexOfText(HotKeyText(code)));
    return Assignment::Assigned;
}

Assignment TRepList::SetMacro(TRep* item, const std::string& macro) {
    if (macro.empty()) {
        const int cur = MacroIndexOf(item);
        if (cur >= 0) {
            Macros.Delete(cur);
            Macros.ListBox().SetSelected(-1);
        }
        return Assignment::Unchanged;
    }
    int cur = MacroIndexOf(item);
    const int found = FindMacro(macro);
    if (found != -1 && found != cur) {
        return Assignment::HeldByAnother;
    }
    if (cur == -1) {
        Macros.Add(macro, item);
        cur = FindMacro(macro);
        if (cur < 0) {
            return Assignment::HeldByAnother;
        }
    }
    Macros.Replace(cur, macro);
    Macros.Refresh();
    Macros.ListBox().SetSelected(Macros.ListBox().IndexOfText(macro));
    return Assignment::Assigned;
}

} // namespace tw
