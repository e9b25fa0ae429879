// Values in any script, typed into the insertions dialog, go through the replacement into real
// replies and come out of the plain-text extractor as they went in.
#include "expansion/code_pages.h"
#include "expansion/macro_inserts_form.h"
#include "expansion/rtf_plain_text.h"
#include "expansion/rtf_replace.h"
#include "expansion/rtf_scanner.h"
#include "fake_macro_inserts_view.h"
#include "fakes/fake_registry.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// The same letter as the rich-edit control writes it, as a word processor writes it, in an
// Eastern European code page, and in groups that give \u another count of fallback characters.
const struct {
    const char* what;
    const char* source;
} kDocuments[] = {
    {"rich-edit control",
     "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
     "Calibri;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
     "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Dear Name, from Company \\endash  see you "
     "\\ldblquote soon\\rdblquote .\\par\r\n}\r\n"},
    {"word processor",
     "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff31507\\deff0\\stshfdbch31505"
     "\\deflang1033{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose "
     "02020603050405020304}Times New Roman;}}\r\n{\\colortbl;\\red0\\green0\\blue0;}"
     "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\rtlch\\fcs1 \\af31507\\afs24 \\ltrch\\fcs0 "
     "\\fs24\\lang1033 \\snext0 \\sqformat \\spriority0 Normal;}}\r\n{\\*\\rsidtbl \\rsid1857234}"
     "{\\*\\generator Microsoft Word 16.0;}{\\info{\\author Name}{\\operator Company}}\r\n"
     "\\paperw12240\\paperh15840\\ltrsect \r\n\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\itap0"
     "\\pararsid1857234 \\rtlch\\fcs1 \\af31507\\afs24 \\ltrch\\fcs0 \\fs24\\lang1033 "
     "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\insrsid1857234 Dear Name, from Company "
     "\\u8211\\'96 see you \\u8220\\'93soon\\u8221\\'94.}{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 "
     "\\insrsid1857234 \\par }}"},
    {"Eastern European code page",
     "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}\\uc1 "
     "\\pard\\f0 Dear Name, from Company \\'96 see you \\'93soon\\'94.\\par\r\n}"},
    {"two fallback characters",
     "{\\rtf1\\ansi{\\uc2 Dear Name, from Company \\u8211\\'96\\'96 see you \\u8220??soon"
     "\\u8221??.}\\par}"},
    {"no fallback characters",
     "{\\rtf1\\ansi{\\uc0 Dear Name, from Company \\u8211  see you \\u8220 soon\\u8221 .}\\par}"},
};

TEST(UnicodeValues, ArriveUnchangedInEveryKindOfReply) {
    const char* const values[] = {
        "\xc5\x81ukasz \xc5\xbb\xc3\xb3\xc5\x82\xc4\x87",            // Polish
        "Zo\xc3\xab Ng",                                             // French diaeresis
        "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e",                      // CJK
        "\xf0\x9f\x91\x8d done",                                     // emoji beyond the BMP
        "\xe2\x80\x9cquoted\xe2\x80\x9d it\xe2\x80\x99s",            // curly quotes
        "\xe2\x82\xac 12,50 \xe2\x80\x94 {ok} C:\\x",                // euro, dash, RTF specials
        "\xd0\x9c\xd0\xbe\xd1\x81\xd0\xba\xd0\xb2\xd0\xb0 \xce\xb1", // Cyrillic, Greek
    };
    fakes::FakeRegistry registry;
    testing::FakeMacroInsertsView view;
    TFormMacroInserts form{view, registry};
    view.form = &form;
    for (const auto& document : kDocuments) {
        for (const char* value : values) {
            SCOPED_TRACE(std::string(document.what) + ": " + value);
            form.PrepareFields("Name,Company");
            ASSERT_EQ(form.Rows().size(), 2u);
            view.boxes.at(form.Rows()[0].second).text = value;
            view.boxes.at(form.Rows()[1].second).text = "ACME";
            const std::string out =
                ReplaceInRtf(document.source, "Name,Company", form.GetAnswers());
            EXPECT_TRUE(IsBalancedRtf(out)) << out;
            EXPECT_EQ(RtfToPlainText(out),
                      std::string("Dear ") + value +
                          ", from ACME \xe2\x80\x93 see you \xe2\x80\x9csoon\xe2\x80\x9d.\r\n")
                << out;
            // Hidden destinations keep their words.
            EXPECT_EQ(out.find("{\\author Name}") != std::string::npos,
                      std::string(document.source).find("{\\author Name}") != std::string::npos);
        }
    }
}

TEST(UnicodeValues, TheCodePageHoldsWhatItCanAndTheRestIsWrittenAsUnicode) {
    const struct {
        const char* header;
        const char* value;
        const char* written;
    } cases[] = {
        {"\\ansi\\ansicpg1252", "Zo\xc3\xab", "Zo\\'eb"},
        {"\\ansi", "\xe2\x82\xac", "\\'80"},
        {"\\ansi\\ansicpg1252", "\xc5\x81", "\\u321?"},
        {"\\ansi\\ansicpg1250", "\xc5\x81", "\\'a3"},
        {"\\ansi\\ansicpg1251", "\xd0\x9c", "\\'cc"},
        {"\\ansi\\ansicpg932", "\xc3\xab", "\\u235?"},
        {"\\ansi", "\xe6\x97\xa5", "\\u26085?"},
        {"\\ansi", "\xf0\x9f\x91\x8d", "\\u-10179?\\u-9139?"},
        {"\\ansi{\\uc0",
         "\xc5\x81"
         "1",
         "\\u321 1"},
        {"\\ansi{\\uc2", "\xc5\x81", "\\u321??"},
        {"\\ansi", "M\xfcller", "M\\'fcller"}, // not UTF-8: taken in the code page
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string source = std::string("{\\rtf1") + c.header + " <F>}";
        const std::string out = ReplaceInRtf(source, "F", c.value);
        EXPECT_EQ(out, std::string("{\\rtf1") + c.header + " <" + c.written + ">}");
    }
}

// Every character a code page holds is written as its byte (the first, where two bytes stand for
// one character), and nothing else is.
TEST(UnicodeValues, EveryCharacterOfACodePageIsWrittenAsItsByte) {
    for (int codePage = 1250; codePage <= 1258; ++codePage) {
        SCOPED_TRACE(codePage);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char32_t c = CharOfCodePageByte(codePage, static_cast<unsigned char>(byte));
            int first = 0x80;
            while (CharOfCodePageByte(codePage, static_cast<unsigned char>(first)) != c) {
                ++first;
            }
            EXPECT_EQ(CodePageByteOf(codePage, c), first) << "byte " << byte;
        }
        for (const char32_t absent : {U'\x4E2D', U'\xFFFF', U'\x1F600', U'\x10141'}) {
            EXPECT_EQ(CodePageByteOf(codePage, absent), std::nullopt);
        }
    }
    EXPECT_EQ(CodePageByteOf(932, U'\xE9'), std::nullopt);
    EXPECT_EQ(CodePageByteOf(932, U'A'), 'A');
}

} // namespace
} // namespace tw
