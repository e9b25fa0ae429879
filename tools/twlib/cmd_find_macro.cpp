#include "commands.h"
#include "loaded_library.h"

#include <ostream>

namespace tw::twlib {

int RunFindMacro(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].empty()) {
        return kExitBadArguments;
    }
    LoadedLibrary library(args[0], err);
    std::string fields;
    std::string values;
    const int p = library.list.FindMacro(args[1], &fields, &values);
    if (p < 0) {
        out << "not found\n";
        return 1;
    }
    for (char& c : values) {
        if (c == '\x01') {
            c = '|';
        }
    }
    out << library.list.MacroRep(p)->Caption() << '\n';
    out << "fields: " << fields << '\n';
    out << "values: " << values << '\n';
    return 0;
}

} // namespace tw::twlib
