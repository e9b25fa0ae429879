#include "commands.h"

namespace tw::twlib {

const std::vector<Command>& CommandTable() {
    static const std::vector<Command> table = {
        {"list", "DIR", RunList},
        {"find-macro", "DIR WORD", RunFindMacro},
        {"expand", "DIR WORD [--now \"YYYY-MM-DD HH:MM:SS\"] [--plain | --html]", RunExpand},
    };
    return table;
}

} // namespace tw::twlib
