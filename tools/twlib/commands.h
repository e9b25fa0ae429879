#pragma once
// twlib's commands. Each takes the arguments after its name and returns the exit code;
// 2 means the arguments were wrong.
#include <iosfwd>
#include <string>
#include <vector>

namespace tw::twlib {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage; // the arguments, for the usage text
    int (*run)(const Args& args, std::ostream& out, std::ostream& err);
};

const std::vector<Command>& CommandTable();

int RunList(const Args& args, std::ostream& out, std::ostream& err);
int RunFindMacro(const Args& args, std::ostream& out, std::ostream& err);
int RunExpand(const Args& args, std::ostream& out, std::ostream& err);

inline constexpr int kExitBadArguments = 2;

} // namespace tw::twlib
