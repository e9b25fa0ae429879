// twlib expand DIR WORD [--now "YYYY-MM-DD HH:MM:SS"] [--plain | --html]: the reply a typed macro
// selects, expanded as a delivery would expand it (typed values into the fields, then the
// placeholders at the given or the current local time), as RTF source, plain text or the HTML
// fragment a browser receives.
#include "commands.h"
#include "loaded_library.h"

#include "expansion/apply_replacements.h"
#include "expansion/calendar.h"
#include "expansion/local_clock.h"
#include "expansion/rtf_html.h"
#include "expansion/rtf_plain_text.h"
#include "library/text_lines.h"

#include <optional>
#include <ostream>

namespace tw::twlib {

namespace {

class FixedClock : public LocalClock {
public:
    explicit FixedClock(LocalDateTime t) : t_(t) {}
    LocalDateTime Now() override { return t_; }

private:
    LocalDateTime t_;
};

bool ReadNumber(const std::string& text, std::size_t at, std::size_t digits, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Exactly "YYYY-MM-DD HH:MM:SS" naming a real moment.
std::optional<LocalDateTime> ParseNow(const std::string& text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    LocalDateTime t;
    if (!ReadNumber(text, 0, 4, t.year) || !ReadNumber(text, 5, 2, t.month) ||
        !ReadNumber(text, 8, 2, t.day) || !ReadNumber(text, 11, 2, t.hour) ||
        !ReadNumber(text, 14, 2, t.minute) || !ReadNumber(text, 17, 2, t.second)) {
        return std::nullopt;
    }
    if (!IsValidCivilDate({t.year, t.month, t.day}) || t.hour > 23 || t.minute > 59 ||
        t.second > 59) {
        return std::nullopt;
    }
    return t;
}

// One line end per line on the console, whatever the platform's stream makes of '\n'.
void PrintLines(const std::string& text, std::ostream& out) {
    std::string printed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        printed += text[i];
    }
    if (printed.empty() || printed.back() != '\n') {
        printed += '\n';
    }
    out << printed;
}

} // namespace

int RunExpand(const Args& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> positional;
    std::optional<LocalDateTime> now;
    bool plain = false;
    bool html = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--plain") {
            plain = true;
        } else if (args[i] == "--html") {
            html = true;
        } else if (args[i] == "--now") {
            if (i + 1 >= args.size() || !(now = ParseNow(args[i + 1]))) {
                err << "--now needs a local time as \"YYYY-MM-DD HH:MM:SS\"\n";
                return kExitBadArguments;
            }
            ++i;
        } else if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
            err << "unknown option: " << args[i] << '\n';
            return kExitBadArguments;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2 || positional[0].empty() || (plain && html)) {
        return kExitBadArguments;
    }
    LoadedLibrary library(positional[0], err);
    std::string fields;
    std::string values;
    const int p = library.list.FindMacro(positional[1], &fields, &values);
    if (p < 0) {
        out << "not found\n";
        return 1;
    }
    SystemLocalClock systemClock;
    FixedClock fixedClock(now.value_or(LocalDateTime{}));
    LocalClock& clock = now ? static_cast<LocalClock&>(fixedClock) : systemClock;
    const std::string source = ExpandReplySource(
        JoinLines(library.list.BodyOf(library.list.MacroRep(p))), fields, values, clock);
    PrintLines(plain ? RtfToPlainText(source) : html ? RtfToHtml(source) : source, out);
    return 0;
}

} // namespace tw::twlib
