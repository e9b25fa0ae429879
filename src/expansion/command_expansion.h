#pragma once
// Expansion for the command deliveries (copy the entire reply, paste into the previously active
// window, drag and drop): the values of the reply's fields come from the insertions dialog when
// the setting asks for it; a cancelled dialog expands and delivers nothing.
#include "expansion/apply_replacements.h"
#include "expansion/local_clock.h"

#include <optional>
#include <string>

namespace tw {

// Asks the user for the field values (ShowInsertionsDialog, then GetAnswers).
class FieldValuesDialog {
public:
    virtual ~FieldValuesDialog() = default;
    // The answers as a values list, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> Ask(const std::string& fieldList) = 0;
};

enum class CommandExpansion { Expanded, Cancelled };

CommandExpansion ExpandForCommandDelivery(ExpansionEditor& editor, int showMacroInsSetting,
                                          const std::string& fieldList, FieldValuesDialog& dialog,
                                          LocalClock& clock);

} // namespace tw
