#include "expansion/html_clipboard.h"

#include <cstdio>

namespace tw {
namespace {

constexpr std::string_view kBefore =
    "<html><head><meta charset=\"utf-8\"></head><body>\r\n<!--StartFragment-->";
constexpr std::string_view kAfter = "<!--EndFragment-->\r\n</body></html>";

// Ten digits: every offset has the same width, so the header's length is known beforehand.
std::string Offset(std::size_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%010zu", value);
    return digits;
}

} // namespace

std::string HtmlClipboardData(std::string_view fragment) {
    const std::string sample = "Version:0.9\r\nStartHTML:" + Offset(0) +
                               "\r\nEndHTML:" + Offset(0) + "\r\nStartFragment:" + Offset(0) +
                               "\r\nEndFragment:" + Offset(0) + "\r\n";
    const std::size_t startHtml = sample.size();
    const std::size_t startFragment = startHtml + kBefore.size();
    const std::size_t endFragment = startFragment + fragment.size();
    const std::size_t endHtml = endFragment + kAfter.size();
    std::string data = "Version:0.9\r\nStartHTML:" + Offset(startHtml) +
                       "\r\nEndHTML:" + Offset(endHtml) +
                       "\r\nStartFragment:" + Offset(startFragment) +
                       "\r\nEndFragment:" + Offset(endFragment) + "\r\n";
    data.reserve(endHtml);
    data += kBefore;
    data += fragment;
    data += kAfter;
    return data;
}

} // namespace tw
