#pragma once
// Where a failed library write reaches the user: its message in the standard error report,
// shown by the command that ran it, once.
#include "app/error_report.h"
#include "library/library_result.h"

#include <stdexcept>

namespace tw {

// Shows the failure; true when there was none.
template <class T> bool ShowFailure(ErrorReportPort& report, const LibraryResult<T>& result) {
    if (!result) {
        report.ShowErrorReport(StandardErrorText(result.Error()));
    }
    return result.Ok();
}

// For the callers that a failure stops by unwinding (a delivery, an expansion): the command
// runner around them (RunReported) shows the message.
inline void StopIfFailed(const LibraryResult<>& result) {
    if (!result) {
        throw std::runtime_error(result.Error());
    }
}

} // namespace tw
