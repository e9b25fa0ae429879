#include "delivery/delivery_notices.h"

#include <utility>

namespace tw {
namespace {

constexpr const char* kCopyInstead = " Click here to copy the reply to the clipboard instead.";

} // namespace

std::optional<DeliveryNotice> DeliveryNotices::Failed(DeliveryFailure failure,
                                                      const std::string& program,
                                                      const ReplyContent& reply) {
    DeliveryNotice notice{"Textwright", ""};
    if (failure == DeliveryFailure::InputDropped) {
        // Every delivery into it fails the same way; once a run is enough to know why.
        if (!told_.insert(program).second) {
            return std::nullopt;
        }
        notice.text = "Textwright cannot type into programs running as administrator";
        notice.text += program.empty() ? "." : " (" + program + ").";
    } else {
        notice.text = "Textwright could not deliver the whole reply: the system took only part "
                      "of the keys it sent.";
    }
    offered_.reset();
    if (!reply.rtf.empty() || !reply.text.empty()) {
        notice.text += kCopyInstead;
        offered_ = reply;
    }
    return notice;
}

std::optional<ReplyContent> DeliveryNotices::TakeOffered() {
    return std::exchange(offered_, std::nullopt);
}

} // namespace tw
