#include "delivery/profiles_form.h"

#include "delivery/profile_settings.h"
#include "library/collation.h"
#include "platform/message_boxes.h"
#include "settings/settings_store.h"

#include <charconv>

namespace tw {
namespace {

constexpr int kMaxDelayMs = 10000;

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> Milliseconds(const std::string& typed) {
    const std::string text = Trimmed(typed);
    if (text.empty()) {
        return 0;
    }
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > kMaxDelayMs) {
        return std::nullopt;
    }
    return value;
}

std::string NameFromProgram(const std::string& program) {
    const std::size_t dot = program.rfind('.');
    return dot == std::string::npos || dot == 0 ? program : program.substr(0, dot);
}

const char* PasteText(PasteMethod paste) {
    switch (paste) {
    case PasteMethod::ShiftInsert:
        return "Shift+Insert";
    case PasteMethod::CtrlShiftV:
        return "Ctrl+Shift+V";
    case PasteMethod::TypeOut:
        return "Typed out";
    case PasteMethod::CtrlV:
        break;
    }
    return "Ctrl+V";
}

} // namespace

void ProfilesForm::FormShow() {
    loaded_ = LoadDeliveryProfiles(registry_, kSettingsKey);
    working_ = loaded_;
    ShowRows(working_.empty() ? -1 : 0);
}

void ProfilesForm::ButtonOkClick() {
    if (working_ == loaded_) {
        return;
    }
    if (!SaveDeliveryProfiles(registry_, kSettingsKey, working_)) {
        boxes_.ShowError("The delivery profiles could not be saved in the settings.");
    }
    loaded_ = working_;
    if (saved_) {
        saved_(working_);
    }
}

void ProfilesForm::ButtonAddClick() {
    if (auto added = Edit(ProfileFields{}, -1)) {
        working_.push_back(std::move(*added));
        ShowRows(static_cast<int>(working_.size()) - 1);
    }
}

void ProfilesForm::ButtonEditClick() {
    const int row = view_ ? view_->SelectedRow() : -1;
    if (row < 0 || row >= static_cast<int>(working_.size())) {
        return;
    }
    if (auto edited = Edit(FieldsOf(working_[static_cast<std::size_t>(row)]), row)) {
        working_[static_cast<std::size_t>(row)] = std::move(*edited);
        ShowRows(row);
    }
}

void ProfilesForm::ButtonRemoveClick() {
    const int row = view_ ? view_->SelectedRow() : -1;
    if (row < 0 || row >= static_cast<int>(working_.size())) {
        return;
    }
    working_.erase(working_.begin() + row);
    const int last = static_cast<int>(working_.size()) - 1;
    ShowRows(row <= last ? row : last);
}

void ProfilesForm::ButtonResetClick() {
    working_ = DefaultProfiles();
    ShowRows(0);
}

ProfileFields ProfilesForm::FromWindow(const TargetWindow& window, ProfileFields typed) {
    if (window.program.empty()) {
        return typed;
    }
    typed.program = window.program;
    typed.name = NameFromProgram(window.program);
    return typed;
}

std::variant<DeliveryProfile, std::string> ProfilesForm::Check(const ProfileFields& fields,
                                                               int editing) const {
    std::string program = Trimmed(fields.program);
    // A typed path stands for its program: matching is by file name only.
    program = program.substr(program.find_last_of("\\/") + 1);
    if (program.empty()) {
        return std::string("Type the program's file name, such as putty.exe, or pick a window.");
    }
    if (program.find_first_of("*?<>|:\"") != std::string::npos) {
        return "\"" + program + "\" cannot be a program's file name.";
    }
    const std::optional<int> delay = Milliseconds(fields.keyDelayMs);
    const std::optional<int> pause = Milliseconds(fields.pauseBeforePasteMs);
    if (!delay || !pause) {
        return "The delays are whole milliseconds from 0 to " + std::to_string(kMaxDelayMs) + ".";
    }
    DeliveryProfile profile{Trimmed(fields.name),
                            program,
                            Trimmed(fields.windowClass),
                            Trimmed(fields.titlePattern),
                            fields.paste,
                            *delay,
                            *pause,
                            fields.recognise};
    if (profile.name.empty()) {
        profile.name = NameFromProgram(program);
    }
    for (std::size_t i = 0; i < working_.size(); ++i) {
        const DeliveryProfile& other = working_[i];
        // Of two profiles for the same windows only the first would ever be used.
        if (static_cast<int>(i) != editing && SameTextAscii(other.program, profile.program) &&
            SameTextAscii(other.windowClass, profile.windowClass) &&
            SameTextAscii(other.titlePattern, profile.titlePattern)) {
            return "The profile \"" + other.name + "\" is already for these windows.";
        }
    }
    return profile;
}

ProfileFields ProfilesForm::FieldsOf(const DeliveryProfile& p) {
    return {p.name,
            p.program,
            p.windowClass,
            p.titlePattern,
            p.paste,
            std::to_string(p.keyDelayMs),
            std::to_string(p.pauseBeforePasteMs),
            p.recognise};
}

ProfileRow ProfilesForm::RowOf(const DeliveryProfile& p) {
    std::string delays = "none";
    if (p.keyDelayMs > 0 || p.pauseBeforePasteMs > 0) {
        delays = std::to_string(p.keyDelayMs) + " ms, pause " +
                 std::to_string(p.pauseBeforePasteMs) + " ms";
    }
    return {p.program,
            p.windowClass.empty() ? "any" : p.windowClass,
            p.titlePattern.empty() ? "any" : p.titlePattern,
            PasteText(p.paste),
            delays,
            p.recognise ? "on" : "off"};
}

void ProfilesForm::ShowRows(int selected) {
    if (!view_) {
        return;
    }
    std::vector<ProfileRow> rows;
    for (const DeliveryProfile& p : working_) {
        rows.push_back(RowOf(p));
    }
    view_->ShowRows(rows, selected);
}

std::optional<DeliveryProfile> ProfilesForm::Edit(ProfileFields fields, int editing) {
    while (view_) {
        std::optional<ProfileFields> typed = view_->EditProfile(fields, editing < 0);
        if (!typed) {
            return std::nullopt;
        }
        auto checked = Check(*typed, editing);
        if (auto* profile = std::get_if<DeliveryProfile>(&checked)) {
            return *profile;
        }
        boxes_.ShowWarning(std::get<std::string>(checked));
        fields = std::move(*typed); // the dialog opens again with what the user typed
    }
    return std::nullopt;
}

} // namespace tw
