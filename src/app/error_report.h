#pragma once
// The standard error report: an error that no command handles ends that command, is shown in a
// box captioned with the application title, and the program goes on. Nothing is rolled back.
#include "app/product.h"

#include <exception>
#include <string>
#include <utility>

namespace tw {

class ErrorReportPort {
public:
    virtual ~ErrorReportPort() = default;
    // Error icon, OK button, kApplicationTitle as caption.
    virtual void ShowErrorReport(const std::string& text) = 0;
};

// Appends a full stop when the last character sorts after '.', such as a letter or a digit.
std::string StandardErrorText(const std::string& message);

// Runs one command; returns false when it ended with an error (which has been shown).
template <class Command> bool RunReported(ErrorReportPort& report, Command&& command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const std::exception& e) {
        report.ShowErrorReport(StandardErrorText(e.what()));
    } catch (...) {
        report.ShowErrorReport(StandardErrorText("Unexpected error"));
    }
    return false;
}

} // namespace tw
