#pragma once
// Field lists declared by a parametric macro, e.g. sig(Name,Company).
#include <optional>
#include <string>

namespace tw {

// The text strictly between the first "(" and the first ")"; empty when either is missing or
// ")" comes first.
std::string FieldListOfMacro(const std::string& macroText);

// The current reply's field list: from the macro selected in the macro list, if any.
std::string FieldListOfCurrentReply(const std::optional<std::string>& selectedMacro);

// A command delivery asks for values only when the setting is on (1) and there are fields.
bool ShouldAskForFieldValues(int showMacroInsSetting, const std::string& fieldList);

} // namespace tw
