// The reply as HTML: what each construct of the editor's and word processors' RTF becomes, the
// text in every script, and the safety property over damaged input.
#include "expansion/html_clipboard.h"
#include "expansion/rtf_html.h"
#include "rtf_html_check.h"
#include "rtf_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

const std::string kArial10 = "<span style=\"font-family:'Arial',sans-serif;font-size:10pt";
const std::string kPara = "<p style=\"margin:0pt 0pt 0pt 0pt;white-space:pre-wrap\">";

std::string Html(const std::string& body) {
    return RtfToHtml(testing::RtfDocument(body));
}

TEST(RtfToHtml, CharacterFormattingBecomesInlineStyles) {
    const struct {
        const char* body;
        std::string span; // the styled span of the word "w"
    } cases[] = {
        {"\\b w\\b0", kArial10 + ";font-weight:bold\">w</span>"},
        {"\\i w", kArial10 + ";font-style:italic\">w</span>"},
        {"\\ul w\\ulnone", kArial10 + ";text-decoration:underline\">w</span>"},
        {"\\uldb\\strike w", kArial10 + ";text-decoration:underline line-through\">w</span>"},
        {"\\cf1 w", kArial10 + ";color:#ff0000\">w</span>"},
        {"\\highlight1 w", kArial10 + ";background-color:#ff0000\">w</span>"},
        {"\\cf7 w", kArial10 + "\">w</span>"},
        {"\\fs27 w", "<span style=\"font-family:'Arial',sans-serif;font-size:13.5pt\">w</span>"},
        {"\\fs99999 w", "<span style=\"font-family:'Arial',sans-serif;font-size:1638pt\">w</span>"},
        {"\\super w", "<span style=\"font-family:'Arial',sans-serif;font-size:6.5pt;"
                      "vertical-align:super\">w</span>"},
        {"\\f1\\dn4 w", "<span style=\"font-family:'Name Sans',sans-serif;font-size:6.5pt;"
                        "vertical-align:sub\">w</span>"},
        {"{\\b\\i x}w", kArial10 + "\">w</span>"},
        {"\\b x\\plain w",
         "<span style=\"font-family:'Arial',sans-serif;font-size:12pt\">w</span>"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(Html(c.body).find(c.span), std::string::npos) << c.body << "\n" << Html(c.body);
    }
}

TEST(RtfToHtml, FacesGetAGenericFamilyToFallBackOn) {
    const struct {
        const char* font;
        const char* family;
    } cases[] = {
        {"\\fnil\\fcharset0 Courier New", "'Courier New',monospace"},
        {"\\fmodern Fixedsys", "'Fixedsys',monospace"},
        {"\\froman Book", "'Book',serif"},
        {"\\fnil Times New Roman", "'Times New Roman',serif"},
        {"\\fswiss Microsoft Sans Serif", "'Microsoft Sans Serif',sans-serif"},
        {"\\fnil Evil'x:\\'22<y>", "'Evilx:y',sans-serif"},
    };
    for (const auto& c : cases) {
        const std::string source =
            std::string("{\\rtf1\\ansi{\\fonttbl{\\f0") + c.font + ";}}\\f0 w}";
        EXPECT_NE(RtfToHtml(source).find(std::string("font-family:") + c.family + ";"),
                  std::string::npos)
            << RtfToHtml(source);
    }
}

TEST(RtfToHtml, ParagraphsBreaksAlignmentIndentsAndTabs) {
    const std::string arial = "<span style=\"font-family:'Arial',sans-serif;font-size:10pt\">";
    const struct {
        const char* body;
        std::string html;
    } cases[] = {
        {"a\\par b", kPara + arial + "a</span></p>" + kPara + arial + "b</span></p>"},
        {"a\\line b\\tab c", kPara + arial + "a</span><br>" + arial + "b\tc</span></p>"},
        {"a\\par\\par", kPara + arial + "a</span></p>" + kPara + "<br></p>" + kPara + "<br></p>"},
        {"a\\line", kPara + arial + "a</span><br><br></p>"},
        {"\\qc a", "<p style=\"margin:0pt 0pt 0pt 0pt;text-align:center;white-space:pre-wrap\">" +
                       arial + "a</span></p>"},
        {"\\pard\\qr\\li720\\fi-360\\sb120\\sa60\\ri20 a",
         "<p style=\"margin:6pt 1pt 3pt 36pt;text-indent:-18pt;text-align:right;"
         "white-space:pre-wrap\">" +
             arial + "a</span></p>"},
        {"\\li99999999 a",
         "<p style=\"margin:0pt 0pt 0pt 1584pt;white-space:pre-wrap\">" + arial + "a</span></p>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Html(c.body), c.html) << c.body;
    }
}

TEST(RtfToHtml, ListsBecomeHtmlLists) {
    const std::string bulletPn = "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0"
                                 "{\\pntxtb\\'B7}}\\fi-360\\li720 ";
    const std::string numberPn = "{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0"
                                 "\\pnstart3\\pnlcltr{\\pntxta.}}\\fi-360\\li720 ";
    const std::string tables =
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1"
        "{\\leveltext\\'02\\'00.;}}{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}}"
        "\\listid5}}{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}";
    const std::string ul = "<ul style=\"margin-top:0;margin-bottom:0;list-style-type:disc\">";
    const std::string li =
        "<li style=\"margin:0pt 0pt 0pt 0pt;white-space:pre-wrap\">" + kArial10 + "\">";
    const struct {
        std::string source;
        std::string structure;
    } cases[] = {
        {testing::RtfDocument(bulletPn + "one\\par " + bulletPn + "two\\par\\pard after"),
         ul + li + "one</span></li>" + li + "two</span></li></ul>" + kPara},
        {testing::RtfDocument(numberPn + "x"),
         "<ol start=\"3\" style=\"margin-top:0;margin-bottom:0;list-style-type:lower-alpha\">" +
             li + "x</span></li></ol>"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}" + tables +
             "\\f0\\fs20\\pard\\ls1 {\\listtext 1.\\tab}a\\par\\ilvl1 {\\listtext \\'95\\tab}b"
             "\\par\\ilvl0 c\\par\\pard d\\par}",
         "<ol style=\"margin-top:0;margin-bottom:0;list-style-type:decimal\">" + li +
             "a</span></li>" + ul + li + "b</span></li></ul>" + li + "c</span></li></ol>" + kPara},
    };
    for (const auto& c : cases) {
        EXPECT_NE(RtfToHtml(c.source).find(c.structure), std::string::npos) << c.source << "\n"
                                                                            << RtfToHtml(c.source);
        EXPECT_EQ(testing::CheckRtfHtml(c.source), "");
    }
}

TEST(RtfToHtml, LinksAndTables) {
    const struct {
        const char* body;
        std::string html;
    } cases[] = {
        {"{\\field{\\*\\fldinst{HYPERLINK \"https://example.com/?a=1&b=\\'3c\"}}"
         "{\\fldrslt{\\ul\\cf1 site}}} after",
         "<a href=\"https://example.com/?a=1&amp;b=&lt;\">" + kArial10 +
             ";text-decoration:underline;color:#ff0000\">site</span></a>" + kArial10 +
             "\"> after</span>"},
        {"{\\field{\\*\\fldinst HYPERLINK javascript:alert(1)}{\\fldrslt x}}",
         kPara + kArial10 + "\">x</span></p>"},
        {"{\\field{\\*\\fldinst{ PAGE }}{\\fldrslt 3}}", kPara + kArial10 + "\">3</span></p>"},
        {"\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\par c\\cell\\row\\pard after",
         "<table style=\"border-collapse:collapse\"><tr><td style=\"border:1px solid #808080;"
         "padding:0 4pt;vertical-align:top;white-space:pre-wrap\">" +
             kArial10 +
             "\">a</span></td><td style=\"border:1px solid #808080;padding:0 4pt;"
             "vertical-align:top;white-space:pre-wrap\">" +
             kArial10 + "\">b</span><br>" + kArial10 + "\">c</span></td></tr></table>" + kPara},
    };
    for (const auto& c : cases) {
        EXPECT_NE(Html(c.body).find(c.html), std::string::npos) << c.body << "\n" << Html(c.body);
        EXPECT_EQ(testing::CheckRtfHtml(testing::RtfDocument(c.body)), "");
    }
}

TEST(RtfToHtml, TextInAnyScriptArrivesAsUtf8) {
    const struct {
        const char* source;
        const char* text; // of the plain text, which the HTML shows
    } cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1250 \\'bf\\'f3\\'b3w}", "\xc5\xbc\xc3\xb3\xc5\x82w"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0 A;}{\\f1\\fnil\\fcharset161 G;}}"
         "\\f0\\'e9{\\f1\\'ea\\'e1}\\'e9}",
         "\xc3\xa9\xce\xba\xce\xb1\xc3\xa9"},
        {"{\\rtf1\\ansi\\uc1\\u20013?\\u25991?{\\uc2\\u-10179??\\u-8700??}}",
         "\xe4\xb8\xad\xe6\x96\x87\xf0\x9f\x98\x84"},
        {"{\\rtf1\\ansi <script>&amp;\"x\"}", "<script>&amp;\"x\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RtfToPlainText(c.source), c.text);
        EXPECT_EQ(testing::CheckRtfHtml(c.source), "");
    }
    EXPECT_NE(RtfToHtml(cases[3].source).find(">&lt;script&gt;&amp;amp;&quot;x&quot;<"),
              std::string::npos);
}

TEST(RtfToHtml, DamagedAndForeignInputStaysWellFormedWithThePlainText) {
    const char* sources[] = {
        "{\\rtf1 a{\\pict\\pngblip 89504e47}b{\\*\\shppict{\\pict\\bin4 }{}}c\\bin3 <x>}",
        "{\\rtf1 {\\b{\\i{\\ul deep}}} }}} } \\unknownword9 text{",
        "{\\rtf1 \\u13\\u10 x\\u13 y\\u10\\u13 z\\u0 \\u-1 \\'0c\\par\\u13}",
        "{\\rtf1 \\intbl a\\cell b\\par c\\par\\pard d\\par \\intbl e\\row f\\cell}",
        "{\\rtf1 \\intbl c1\\cell c2\\par}",
        "{\\rtf1 \\ls1\\ilvl99 {\\*\\pn\\pnlvl77\\pnucrm}a\\par\\pard\\intbl\\ls1 b\\cell\\row}",
        "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"http://a\"}{\\fldrslt x\\par y}}\\line}",
        "{\\rtf1{\\colortbl;\\red999\\green-5;}\\cf1\\cf99999999999\\highlight-3 a\\fs-4 b}",
        "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce}",
        "plain <b>text</b> & more\r\nline \xe2\x82\xac \x80",
        "",
    };
    for (const char* source : sources) {
        EXPECT_EQ(testing::CheckRtfHtml(source), "") << source;
    }
}

// Each reader's rule, applied to data holding text of several scripts: the fragment is what the
// converter gave, whichever rule the reader follows.
TEST(HtmlClipboardData, EveryReaderFindsTheSameFragment) {
    const std::string fragment =
        "<p>\xc5\xbc\xc3\xb3\xc5\x82w \xce\xba\xce\xb1\xce\xbb\xce\xae \xe4\xb8\xad "
        "\xf0\x9f\x98\x84</p>";
    const std::string data = HtmlClipboardData(fragment);
    const auto number = [&](const std::string& key) {
        const std::size_t at = data.find("\r\n" + key + ":");
        return at == std::string::npos ? std::string::npos
                                       : std::stoul(data.substr(at + key.size() + 3, 10));
    };
    // In this order, at the start, so that a reader of the first lines finds them.
    EXPECT_EQ(data.rfind("Version:0.9\r\nStartHTML:", 0), 0u);
    EXPECT_LT(data.find("StartHTML:"), data.find("EndHTML:"));
    EXPECT_LT(data.find("EndHTML:"), data.find("StartFragment:"));
    const std::size_t startHtml = number("StartHTML");
    const std::size_t endHtml = number("EndHTML");
    const std::size_t start = number("StartFragment");
    const std::size_t end = number("EndFragment");
    EXPECT_EQ(data.substr(startHtml, 5), "<html");
    EXPECT_EQ(endHtml, data.size());
    EXPECT_EQ(data.substr(start, end - start), fragment);
    const std::size_t afterComment =
        data.find("<!--StartFragment-->") + std::string("<!--StartFragment-->").size();
    EXPECT_EQ(data.substr(afterComment, data.find("<!--EndFragment-->") - afterComment), fragment);
    EXPECT_NE(data.find("<meta charset=\"utf-8\">"), std::string::npos);
}

} // namespace
} // namespace tw
