#pragma once
// The tip of the day: the ten tips and the dialog's choice of which to show.
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tw {

const std::vector<std::string>& StandardTips();

inline constexpr const char* kNoTipsText = "Sorry, the list of tips is empty...";

// Picks uniformly in [0, bound); bound is at least 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int Below(int bound) = 0;
};

// Seeded once from the system's entropy source.
class SystemRandom : public RandomSource {
public:
    SystemRandom();
    int Below(int bound) override;

private:
    std::mt19937 engine_;
};

class TipPicker {
public:
    TipPicker(std::vector<std::string> tips, RandomSource& random)
        : tips_(std::move(tips)), random_(random) {}

    // A tip picked at random, each equally likely; the same one may come twice in a row.
    std::string Pick();
    bool NextEnabled() const { return tips_.size() > 1; }

private:
    std::vector<std::string> tips_;
    RandomSource& random_;
};

class TipDialogPort {
public:
    virtual ~TipDialogPort() = default;
    // Modal. Shows the check box "&Show tips at startup" as given and returns its state at close.
    virtual bool ShowTipDialog(bool showAtStartup) = 0;
};

} // namespace tw
