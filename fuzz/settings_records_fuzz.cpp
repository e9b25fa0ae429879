// The binary settings record of the insertions dialog's size, read from whatever the registry
// holds: only binary data of exactly four bytes is a size, it is never read past, and a size
// read back writes the same four bytes; any size written reads back as its low 16 bits, signed.
#include "expansion/insertions_settings.h"
#include "fakes/fake_registry.h"
#include "fuzz_check.h"

#include <cstdint>

using namespace tw;

namespace {

int Low16(int v) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const RegType types[] = {RegType::String, RegType::Integer, RegType::Binary, RegType::Other};
    RegValue stored{types[data[0] % 4], std::vector<std::uint8_t>(data + 1, data + size)};
    fakes::FakeRegistry registry;
    registry.CreateKey(kSettingsKey);
    registry.Write(kSettingsKey, kMacroInsFormSettingsValue, stored);
    const auto read = ReadInsertionsSize(registry);
    const bool isSize = stored.type == RegType::Binary && stored.data.size() == 4;
    fuzz::Check(read.has_value() == isSize, "only four binary bytes are a size");
    if (read) {
        const auto bytes = EncodeInsertionsSize(*read);
        fuzz::Check(std::vector<std::uint8_t>(bytes.begin(), bytes.end()) == stored.data,
                    "a size read writes back the same bytes");
    }
    if (size >= 9) {
        int w = 0;
        int h = 0;
        for (int i = 0; i < 4; ++i) {
            w = static_cast<int>(static_cast<unsigned>(w) << 8 | data[1 + i]);
            h = static_cast<int>(static_cast<unsigned>(h) << 8 | data[5 + i]);
        }
        WriteInsertionsSize(registry, DialogSize{w, h});
        const auto back = ReadInsertionsSize(registry);
        fuzz::Check(back && back->width == Low16(w) && back->height == Low16(h),
                    "a written size reads back as its low 16 bits");
    }
    return 0;
}
