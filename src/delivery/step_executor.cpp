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
    // Told once the plan has run, so the reply it made is there to offer.
    if (run.cut) {
        host_.TellDeliveryFailed(DeliveryFailure::KeysCut, "", run.reply);
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
        run.cut = !SendKeys(*keys) || run.cut;
    } else if (const auto* type = std::get_if<step::TypeText>(&s)) {
        if (!TypeText(run.reply.text, type->delayMs)) {
            run.cut = true;
            return false; // the rest would land in the middle of the reply
        }
    } else if (const auto* told = std::get_if<step::TellCannotType>(&s)) {
        host_.TellDeliveryFailed(DeliveryFailure::InputDropped, told->program, run.reply);
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
    run.reply = reply;
    host_.ReplyDelivered();
    if (s.holdForNotice) {
        return;
    }
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

bool StepExecutor::TypeText(const std::u16string& text, int delayMs) {
    // Small enough that a busy system takes each batch whole. A batch ends between characters
    // only, so a cut never splits a surrogate pair or an Enter.
    constexpr std::size_t kBatchEvents = 64;
    std::vector<KeyEvent> batch;
    const auto unit = [&](std::uint8_t virtualKey, char16_t c) {
        batch.push_back({virtualKey, false, c});
        batch.push_back({virtualKey, true, c});
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (batch.size() + (pair ? 4 : 2) > kBatchEvents) {
            if (!SendKeys({batch, delayMs})) {
                return false;
            }
            batch.clear();
        }
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            unit(vkey::Return, 0);
        } else {
            unit(0, c);
            if (pair) {
                unit(0, text[++i]);
            }
        }
    }
    return SendKeys({batch, delayMs});
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
