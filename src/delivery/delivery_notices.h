#pragma once
// What the user is told when a reply cannot reach the window in front, and the reply the notice
// offers to copy instead. Nothing on the delivery paths fails silently where the failure is known.
#include "delivery/reply_content.h"
#include "library/collation.h"

#include <optional>
#include <set>
#include <string>

namespace tw {

enum class DeliveryFailure {
    InputDropped, // the window's program runs above us: nothing was typed
    KeysCut,      // the system took only part of the keys sent
};

struct DeliveryNotice {
    std::string title;
    std::string text; // UTF-8
    bool operator==(const DeliveryNotice&) const = default;
};

class DeliveryNotices {
public:
    // The notice to show; none when this program has been told it cannot be typed into already
    // in this run. A notice shown offers its reply until the next one replaces it.
    std::optional<DeliveryNotice> Failed(DeliveryFailure failure, const std::string& program,
                                         const ReplyContent& reply);
    // The user clicked the notice: the reply it offered, once.
    std::optional<ReplyContent> TakeOffered();

private:
    std::set<std::string, IndexTextLess> told_; // program names, case folded
    std::optional<ReplyContent> offered_;
};

} // namespace tw
