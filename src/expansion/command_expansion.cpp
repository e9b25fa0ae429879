#include "expansion/command_expansion.h"

#include "expansion/field_lists.h"

namespace tw {

CommandExpansion ExpandForCommandDelivery(ExpansionEditor& editor, int showMacroInsSetting,
                                          const std::string& fieldList, FieldValuesDialog& dialog,
                                          LocalClock& clock) {
    std::string answers;
    if (ShouldAskForFieldValues(showMacroInsSetting, fieldList)) {
        const std::optional<std::string> asked = dialog.Ask(fieldList);
        if (!asked) {
            return CommandExpansion::Cancelled;
        }
        answers = *asked;
    }
    ExpandReply(editor, fieldList, answers, clock);
    return CommandExpansion::Expanded;
}

} // namespace tw
