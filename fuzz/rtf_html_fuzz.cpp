// Fuzzes the conversion of replies to HTML: whatever the source, the HTML is well formed, holds
// only the converter's own markup, and shows exactly the reply's plain text.
// Run: build/fuzz/bin/rtf_html_fuzz -max_total_time=60 fuzz/corpus/rtf_html
#include "expansion/rtf_html_check.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>

namespace {
constexpr std::size_t kMaxSize = 2048;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two kilobytes hold a header with font and colour tables and a table, list or field after
    // it; the converter's work, and the check's, grows with every byte past that and reaches no
    // other state.
    if (size > kMaxSize) {
        return -1;
    }
    std::string source(reinterpret_cast<const char*>(data), size);
    // Odd-length inputs get a document group, so the fuzzer reaches the RTF states at once.
    if (size % 2 == 1) {
        source = "{\\rtf1\\ansi " + source + "}";
    }
    const std::string problem = tw::testing::CheckRtfHtml(source);
    if (!problem.empty()) {
        tw::fuzz::Broken("well-formed HTML showing the plain text", problem);
    }
    return 0;
}
