#include "delivery/step_executor.h"

#include "delivery/clipboard_keeper.h"
#include "delivery/clipboard_plan.h"
#include "expansion/apply_replacements.h"

#include <algorithm>

namespace tw {

void StepExecutor::Run(const DeliveryPlan& plan) {
    ClipboardKeeping* keeping = host_.Keeping();
    if (keeping && PlanPastes(plan) && keeping->host.RestoreClipboardSetting() == 1) {
        RunSteps(KeepingUserClipboard(plan));
    } else {
        RunSteps(plan);
    }
}

void StepExecutor::RunSteps(const DeliveryPlan& plan) {
    RunState run;
    for (const DeliveryStep& s : plan) {
        if (!RunStep(s, run)) {
            break;
        }
    }
    // Also after an early end: the reply must not stay on the clipboard for good.
    if (run.offeredForPaste) {
        host_.Keeping()->keeper.DeliveryEnded();
    }
}

bool StepExecutor::RunStep(const DeliveryStep& s, RunState& run) {
    if (const auto* select = std::get_if<step::Select>(&s)) {
        run.remembered = host_.SelectedNode();
        host_.SelectNode(select->node);
    } else if (std::holds_alternative<step::RememberSelection>(s)) {
        run.remembered = host_.SelectedNode();
    } else if (const auto* ask = std::get_if<step::AskFieldValues>(&s)) {
        std::optional<std::string> answers = host_.ShowInsertionsDialog(ask->fields, ask->anchor);
        if (!answers) {
            return false;
        }
        run.answers = std::move(*answers);
    } else if (const auto* expand = std::get_if<step::ExpandAndCopy>(&s)) {
        ExpandAndCopy(*expand, run);
    } else if (std::holds_alternative<step::Reload>(s)) {
        host_.SelectNode(nullptr);
        host_.SelectNode(run.remembered);
    } else if (const auto* keys = std::get_if<step::Keys>(&s)) {
        SendKeys(*keys);
    } else if (const auto* type = std::get_if<step::TypeText>(&s)) {
        TypeText(run.text, type->delayMs);
    } else if (const auto* told = std::get_if<step::TellCannotType>(&s)) {
        host_.TellCannotType(told->program);
    } else if (std::holds_alternative<step::ReleaseModifierKeys>(s)) {
        ReleaseModifierKeys();
    } else if (std::holds_alternative<step::WaitWhileCtrlDown>(s)) {
        WaitWhileCtrlDown();
    } else if (const auto* pause = std::get_if<step::Sleep>(&s)) {
        ports_.sleep.Sleep(pause->milliseconds);
    } else if (const auto* activate = std::get_if<step::Activate>(&s)) {
        ports_.windows.BringToForeground(activate->window);
    } else if (const auto* guard = std::get_if<step::StopUnlessWindowExists>(&s)) {
        return guard->window != 0 && ports_.windows.WindowExists(guard->window);
    } else if (const auto* click = std::get_if<step::Click>(&s)) {
        if (!pointer_) {
            return false;
        }
        pointer_->ClickLeftButton({click->x, click->y});
    }
    return true;
}

void StepExecutor::ExpandAndCopy(const step::ExpandAndCopy& s, RunState& run) {
    using Fields = step::ExpandAndCopy::Fields;
    const std::string& values = s.source == Fields::Typed     ? s.values
                                : s.source == Fields::Answers ? run.answers
                                                              : std::string();
    // The editor keeps showing the stored reply: the expansion is the core's own copy.
    const ReplyContent reply = RenderReply(
        ExpandReplySource(host_.ReplySource(), s.source == Fields::None ? std::string() : s.names,
                          values, ports_.clock));
    run.text = reply.text;
    host_.ReplyDelivered();
    ClipboardKeeping* keeping = s.keepUserClipboard ? host_.Keeping() : nullptr;
    if (keeping && keeping->keeper.PutReplyForPaste(reply)) {
        run.offeredForPaste = true;
        return;
    }
    host_.PutOnClipboard(reply);
}

bool StepExecutor::SendKeys(const step::Keys& keys) {
    if (keys.delayMs <= 0) {
        return SendBatch(keys.events);
    }
    for (const KeyEvent& e : keys.events) {
        if (!SendBatch({e})) {
            return false;
        }
        ports_.sleep.Sleep(keys.delayMs);
    }
    return true;
}

void StepExecutor::TypeText(const std::u16string& text, int delayMs) {
    // Small enough that a busy system takes each batch whole; a batch it cuts short ends the
    // typing rather than leave a gap in the middle of the reply.
    constexpr std::size_t kBatchEvents = 64;
    std::vector<KeyEvent> events;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            events.push_back({vkey::Return, false});
            events.push_back({vkey::Return, true});
        } else {
            events.push_back({0, false, c});
            events.push_back({0, true, c});
        }
    }
    for (std::size_t start = 0; start < events.size(); start += kBatchEvents) {
        const std::size_t end = std::min(events.size(), start + kBatchEvents);
        const step::Keys batch{{events.begin() + static_cast<std::ptrdiff_t>(start),
                                events.begin() + static_cast<std::ptrdiff_t>(end)},
                               delayMs};
        if (!SendKeys(batch)) {
            return;
        }
    }
}

bool StepExecutor::SendBatch(const std::vector<KeyEvent>& events) {
    if (events.empty()) {
        return true;
    }
    const std::size_t inserted = std::min(ports_.keyInput.SendKeys(events), events.size());
    if (inserted == events.size()) {
        return true;
    }
    // The rest of the batch is dropped; whatever it pressed and had not released yet goes up,
    // last pressed first, so no key stays held in the system.
    std::vector<KeyEvent> releases;
    for (std::size_t i = inserted; i-- > 0;) {
        const KeyEvent& e = events[i];
        const auto released = [&](const KeyEvent& later) {
            return later.keyUp && later.virtualKey == e.virtualKey && later.unicode == e.unicode;
        };
        const auto begin = events.begin() + static_cast<std::ptrdiff_t>(i) + 1;
        const auto end = events.begin() + static_cast<std::ptrdiff_t>(inserted);
        const bool alreadyQueued =
            std::any_of(releases.begin(), releases.end(), [&](const KeyEvent& r) {
                return r.virtualKey == e.virtualKey && r.unicode == e.unicode;
            });
        if (!e.keyUp && !alreadyQueued && std::none_of(begin, end, released)) {
            releases.push_back({e.virtualKey, true, e.unicode});
        }
    }
    if (!releases.empty()) {
        ports_.keyInput.SendKeys(releases);
    }
    return false;
}

void StepExecutor::ReleaseModifierKeys() {
    std::vector<KeyEvent> releases;
    for (std::uint8_t key : {vkey::Shift, vkey::Ctrl, vkey::Alt}) {
        if (ports_.keyState.IsKeyDown(key)) {
            releases.push_back({key, true});
        }
    }
    SendBatch(releases);
}

void StepExecutor::WaitWhileCtrlDown() {
    for (int polls = 0; polls < kMaxCtrlPolls && ports_.keyState.IsKeyDown(vkey::Ctrl); ++polls) {
        ports_.sleep.Sleep(kCtrlPollMs);
    }
}

} // namespace tw
