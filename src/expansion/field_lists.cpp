#include "expansion/field_lists.h"

namespace tw {

std::string FieldListOfMacro(const std::string& macroText) {
    const std::size_t open = macroText.find('(');
    const std::size_t close = macroText.find(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return std::string();
    }
    return macroText.substr(open + 1, close - open - 1);
}

std::string FieldListOfCurrentReply(const std::optional<std::string>& selectedMacro) {
    return selectedMacro ? FieldListOfMacro(*selectedMacro) : std::string();
}

bool ShouldAskForFieldValues(int showMacroInsSetting, const std::string& fieldList) {
    return showMacroInsSetting == 1 && !fieldList.empty();
}

} // namespace tw
