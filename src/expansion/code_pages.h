#pragma once
// Characters and bytes: the single-byte ANSI code pages a document's \ansicpg can name, and
// UTF-8, in which values arrive from the dialog and plain text leaves the extractor.
#include <optional>
#include <string>
#include <string_view>

namespace tw {

constexpr int kDefaultCodePage = 1252;

// The character a byte stands for. In a code page without a table here every byte above 0x7F
// is U+FFFD.
char32_t CharOfCodePageByte(int codePage, unsigned char byte);
// The byte that stands for the character, when the code page holds it.
std::optional<unsigned char> CodePageByteOf(int codePage, char32_t c);

// Decodes UTF-8. A byte that starts no valid sequence is taken as a byte of the code page, so
// text that is still in the ANSI code page comes through unchanged.
std::u32string DecodeUtf8(std::string_view text, int codePage);
void AppendUtf8(std::string& out, char32_t c);

} // namespace tw
