#include "delivery/profile_settings.h"

#include "settings/reg_proc.h"

#include <algorithm>
#include <charconv>

namespace tw {
namespace {

constexpr int kMaxProfiles = 1000;
constexpr int kMaxDelayMs = 10000;
constexpr std::size_t kFieldCount = 8;

std::string Subkey(const std::string& settingsKey) {
    return settingsKey + "\\" + kProfilesSubkey;
}

// Tabs and line breaks would split the record: they become spaces.
std::string Field(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::optional<int> Number(std::string_view text, int max) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string EncodeProfile(const DeliveryProfile& p) {
    return Field(p.name) + '\t' + Field(p.program) + '\t' + Field(p.windowClass) + '\t' +
           Field(p.titlePattern) + '\t' + std::to_string(static_cast<int>(p.paste)) + '\t' +
           std::to_string(p.keyDelayMs) + '\t' + std::to_string(p.pauseBeforePasteMs) + '\t' +
           (p.recognise ? "1" : "0");
}

std::optional<DeliveryProfile> DecodeProfile(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = text.find('\t', start);
        fields.push_back(text.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    if (fields.size() != kFieldCount || fields[1].empty()) {
        return std::nullopt;
    }
    const auto paste = Number(fields[4], static_cast<int>(PasteMethod::TypeOut));
    const auto delay = Number(fields[5], kMaxDelayMs);
    const auto pause = Number(fields[6], kMaxDelayMs);
    const auto recognise = Number(fields[7], 1);
    if (!paste || !delay || !pause || !recognise) {
        return std::nullopt;
    }
    return DeliveryProfile{std::string(fields[0]),
                           std::string(fields[1]),
                           std::string(fields[2]),
                           std::string(fields[3]),
                           static_cast<PasteMethod>(*paste),
                           *delay,
                           *pause,
                           *recognise == 1};
}

std::vector<DeliveryProfile> LoadDeliveryProfiles(RawRegistry& registry,
                                                  const std::string& settingsKey) {
    const std::string key = Subkey(settingsKey);
    if (!RegKeyExists(registry, key)) {
        return DefaultProfiles();
    }
    const int count = std::clamp<int>(RegReadInteger(registry, key, "Count"), 0, kMaxProfiles);
    std::vector<DeliveryProfile> profiles;
    for (int i = 1; i <= count; ++i) {
        if (auto p = DecodeProfile(RegReadString(registry, key, std::to_string(i)))) {
            profiles.push_back(std::move(*p));
        }
    }
    return profiles;
}

bool SaveDeliveryProfiles(RawRegistry& registry, const std::string& settingsKey,
                          const std::vector<DeliveryProfile>& profiles) {
    const std::string key = Subkey(settingsKey);
    if (!RegEnsureKey(registry, key)) {
        return false;
    }
    const int before = std::clamp<int>(RegReadInteger(registry, key, "Count"), 0, kMaxProfiles);
    const int count = static_cast<int>(std::min<std::size_t>(profiles.size(), kMaxProfiles));
    bool written = true;
    for (int i = 0; i < count; ++i) {
        written = RegWriteString(registry, key, std::to_string(i + 1),
                                 EncodeProfile(profiles[static_cast<std::size_t>(i)])) &&
                  written;
    }
    for (int i = count + 1; i <= before; ++i) {
        RegRemoveValue(registry, key, std::to_string(i));
    }
    return RegWriteInteger(registry, key, "Count", count) && written;
}

} // namespace tw
