// The binary settings records (the full and compact window layouts and the insertions dialog's
// size) read from whatever the registry holds. Only binary data of exactly the record's length
// is a record (for a layout, only with every number positive); a record read back writes the
// same bytes; anything written reads back as its numbers' low 16 bits, signed (a layout whose
// numbers do not all stay positive that way reads as none); and a layout taken to a monitor of
// 96 dots per inch or more and back is the layout it was.
#include "expansion/insertions_settings.h"
#include "fakes/fake_registry.h"
#include "fuzz_check.h"
#include "ui/layout_records.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

using namespace tw;

namespace {

int Low16(int v) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}

// The stored numbers as the record's layout has them: signed 16-bit little-endian.
std::vector<int> Words(const std::vector<std::uint8_t>& bytes) {
    std::vector<int> words;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        words.push_back(Low16(bytes[i] | bytes[i + 1] << 8));
    }
    return words;
}

// Big-endian ints from the input, so that any value (negative, over 16 bits) can be written.
std::vector<int> Ints(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<int> out;
    for (std::size_t k = 0; k < count; ++k) {
        unsigned v = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t at = 4 * k + i;
            v = v << 8 | (at < size ? data[at] : 0);
        }
        out.push_back(static_cast<int>(v));
    }
    return out;
}

template <class T> std::vector<std::uint8_t> Bytes(const T& array) {
    return {array.begin(), array.end()};
}

struct Record {
    const char* value;
    std::size_t length;
    bool positive; // a number that is not positive makes it no record
    // The record read from the registry, as its bytes written again.
    std::optional<std::vector<std::uint8_t>> (*readBack)(RawRegistry&);
    // Writes the record made of `numbers` (in the stored order).
    void (*write)(RawRegistry&, const std::vector<int>&);
};

const Record kRecords[] = {
    {kMainFormSettingsValue, 14, true,
     [](RawRegistry& r) -> std::optional<std::vector<std::uint8_t>> {
         const auto layout = ReadFullLayout(r);
         if (!layout) {
             return std::nullopt;
         }
         // Any monitor at least as fine as the stored 96 dpi gives the layout back unchanged.
         for (int dpi : {96, 120, 144, 168, 192, 288, 480}) {
             fuzz::Check(FullLayoutAt96(FullLayoutAtDpi(*layout, dpi), dpi) == *layout,
                         "a layout scaled to a monitor and back is unchanged");
         }
         return Bytes(EncodeFullLayout(*layout));
     },
     [](RawRegistry& r, const std::vector<int>& n) {
         WriteFullLayout(r, FullLayoutRecord{{n[1], n[0]}, {n[2], n[3]}, n[4], n[5], n[6]});
     }},
    {kNavMainFormSettingsValue, 4, true,
     [](RawRegistry& r) -> std::optional<std::vector<std::uint8_t>> {
         const auto size = ReadCompactLayout(r);
         if (!size) {
             return std::nullopt;
         }
         fuzz::Check(SizeAt96(SizeAtDpi(*size, 192), 192) == *size,
                     "a compact size scaled to a monitor and back is unchanged");
         return Bytes(EncodeCompactLayout(*size));
     },
     [](RawRegistry& r, const std::vector<int>& n) {
         WriteCompactLayout(r, Size{n[0], n[1]});
     }},
    {kMacroInsFormSettingsValue, 4, false,
     [](RawRegistry& r) -> std::optional<std::vector<std::uint8_t>> {
         const auto size = ReadInsertionsSize(r);
         return size ? std::optional(Bytes(EncodeInsertionsSize(*size))) : std::nullopt;
     },
     // Stored height first.
     [](RawRegistry& r, const std::vector<int>& n) {
         WriteInsertionsSize(r, DialogSize{n[1], n[0]});
     }},
};

} // namespace

// The first byte picks the record and the type the registry holds; the rest is the data.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 256) {
        return -1; // every record is a few bytes long; longer data only fails the same way
    }
    const Record& record = kRecords[(data[0] >> 2) % 3];
    const RegType types[] = {RegType::Binary, RegType::Integer, RegType::String, RegType::Other};
    const RegValue stored{types[data[0] % 4], std::vector<std::uint8_t>(data + 1, data + size)};
    fakes::FakeRegistry registry;
    registry.CreateKey(kSettingsKey);
    registry.Write(kSettingsKey, record.value, stored);

    const auto words = Words(stored.data);
    const bool isRecord =
        stored.type == RegType::Binary && stored.data.size() == record.length &&
        (!record.positive || std::all_of(words.begin(), words.end(), [](int w) { return w > 0; }));
    const auto read = record.readBack(registry);
    fuzz::Check(read.has_value() == isRecord, "exactly the well-formed records are read");
    fuzz::Check(!read || *read == stored.data, "a record read writes back the same bytes");

    // The same data taken as numbers to write.
    const auto numbers = Ints(data + 1, size - 1, record.length / 2);
    record.write(registry, numbers);
    const auto back = registry.Read(kSettingsKey, record.value);
    std::vector<int> low;
    std::transform(numbers.begin(), numbers.end(), std::back_inserter(low), Low16);
    fuzz::Check(back && back->type == RegType::Binary && Words(back->data) == low,
                "a record is written as its numbers' low 16 bits");
    const bool readable =
        !record.positive || std::all_of(low.begin(), low.end(), [](int w) { return w > 0; });
    fuzz::Check(record.readBack(registry).has_value() == readable,
                "a written record reads back unless a number is not positive");
    return 0;
}
