#include "ui/reply_working_copy.h"

#include "library/text_lines.h"

namespace tw {

std::string ReplyWorkingCopy::GetRtfSource() {
    StopIfFailed(editing_.CommitCurrentReply()); // nothing is expanded
    return JoinLines(editor_.BodyLines());
}

void ReplyWorkingCopy::LoadRtfSource(const std::string& source) {
    editor_.ClearEditor();
    editor_.LoadBody(SplitLines(source));
}

} // namespace tw
