#pragma once
// The product's name and version as the program shows them.
namespace tw {

inline constexpr const char* kApplicationTitle = "Textwright";
inline constexpr const char* kProductVersion = "2.0.0";

} // namespace tw
