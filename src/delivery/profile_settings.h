#pragma once
// The delivery profiles in the settings: a subkey of their own holding "Count" and one string
// value per profile, "1" to "Count", its fields separated by tabs. A damaged value costs only
// its own profile; a missing subkey (a first start) gives the defaults.
#include "delivery/delivery_profile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class RawRegistry;

inline constexpr const char* kProfilesSubkey = "Profiles";

std::string EncodeProfile(const DeliveryProfile& profile);
std::optional<DeliveryProfile> DecodeProfile(std::string_view text);

std::vector<DeliveryProfile> LoadDeliveryProfiles(RawRegistry& registry,
                                                  const std::string& settingsKey);
// False when the key or a value could not be written.
bool SaveDeliveryProfiles(RawRegistry& registry, const std::string& settingsKey,
                          const std::vector<DeliveryProfile>& profiles);

} // namespace tw
