// FindMacro over an arbitrary typed word against an arbitrary macro index, checked against the
// lookup rule worked out plainly on a sorted copy: an entry equal to the search key, otherwise
// the entry where the key would be inserted when its name part equals the key; the two lists cut
// at the first "(" and ")". Then assigning the typed word to a new reply succeeds exactly when
// nothing was found, and afterwards finds it.
// Input: lines; the last is the typed word, the others the macros of replies in load order.
#include "fuzz_check.h"
#include "library/collation.h"
#include "library/rep_list.h"
#include "library/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

using namespace tw;

namespace {

constexpr std::size_t kMaxLines = 64;

std::string NamePart(const std::string& t) {
    const std::size_t open = t.find('(');
    return open == std::string::npos ? t : t.substr(0, open + 1);
}

std::string FoldedAscii(std::string t) {
    for (char& c : t) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return t;
}

std::string Stretch(const std::string& t) {
    const std::size_t open = t.find('(');
    const std::size_t start = open == std::string::npos ? 0 : open + 1;
    const std::size_t close = t.find(')');
    return close == std::string::npos || close <= start ? "" : t.substr(start, close - start);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return -1;
    }
    std::vector<std::string> lines =
        SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    if (lines.empty()) {
        return 0;
    }
    // Past a few dozen entries the sorts and searches only repeat steps they take with fewer,
    // while every line adds a reply to build and tear down.
    if (lines.size() > kMaxLines) {
        return -1;
    }
    const std::string typed = lines.back();
    lines.pop_back();
    ReplyTree tree;
    ListModel hotKeys, macros;
    TRepList list(tree, hotKeys, macros);
    list.BeginLoad();
    std::vector<std::string> reference;
    std::unordered_set<std::string> seen; // folded, so that the first of equal texts is kept
    for (const std::string& macro : lines) {
        TRep* rep = list.At(list.AddItem("r", nullptr));
        rep->FileName = "1.rep";
        list.Macros.Add(macro, rep);
        if (!macro.empty() && seen.insert(FoldedAscii(macro)).second) {
            reference.push_back(macro);
        }
    }
    list.EndLoad();
    std::stable_sort(reference.begin(), reference.end(), IndexTextLess{});
    fuzz::Check(static_cast<int>(reference.size()) == list.Macros.Count(), "one entry per text");
    for (std::size_t i = 0; i < reference.size(); ++i) {
        fuzz::Check(list.Macros.Get(static_cast<int>(i)) == reference[i],
                    "sorted as the rule says");
    }

    const std::string key = NamePart(typed);
    const auto lower = std::lower_bound(reference.begin(), reference.end(), key, IndexTextLess{});
    int expected = -1;
    if (lower != reference.end() &&
        (CompareIndexText(*lower, key) == 0 || SameTextAscii(NamePart(*lower), key))) {
        expected = static_cast<int>(lower - reference.begin());
    }
    std::string fields = "?", values = "?";
    const int found = list.FindMacro(typed, &fields, &values);
    fuzz::Check(found == expected, "found where the rule says", [&] {
        return "position " + std::to_string(found) + " expected " + std::to_string(expected);
    });
    if (found >= 0) {
        std::string typedValues = Stretch(typed);
        std::replace(typedValues.begin(), typedValues.end(), ',', '\x01');
        fuzz::Check(fields == Stretch(reference[static_cast<std::size_t>(found)]), "stored list");
        fuzz::Check(values == typedValues, "typed list");
    }

    TRep* fresh = list.At(list.AddItem("new", nullptr));
    fresh->FileName = "2.rep";
    const Assignment assigned = list.SetMacro(fresh, typed);
    if (typed.empty()) {
        fuzz::Check(assigned == Assignment::Unchanged && list.MacroIndexOf(fresh) < 0,
                    "an empty macro is no macro");
    } else {
        fuzz::Check(assigned == (found < 0 ? Assignment::Assigned : Assignment::HeldByAnother),
                    "assigned exactly when free");
        if (assigned == Assignment::Assigned) {
            const int at = list.FindMacro(typed);
            fuzz::Check(at >= 0 && list.MacroRep(at) == fresh && list.MacroIndexOf(fresh) == at,
                        "an assigned macro is found");
        }
    }
    return 0;
}
