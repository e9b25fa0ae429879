// twlib: the library core from the command line, for scripts, benchmarks and black-box tests.
#include "commands.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

void PrintUsage(std::ostream& err) {
    err << "usage:\n";
    for (const auto& c : tw::twlib::CommandTable()) {
        err << "  twlib " << c.name << ' ' << c.usage << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return tw::twlib::kExitBadArguments;
    }
    const std::string name = argv[1];
    for (const auto& c : tw::twlib::CommandTable()) {
        if (name != c.name) {
            continue;
        }
        const tw::twlib::Args args(argv + 2, argv + argc);
        try {
            const int code = c.run(args, std::cout, std::cerr);
            if (code == tw::twlib::kExitBadArguments) {
                PrintUsage(std::cerr);
            }
            std::cout.flush();
            return code;
        } catch (const std::exception& e) {
            std::cerr << e.what() << '\n';
            return 3;
        }
    }
    std::cerr << "unknown command: " << name << '\n';
    PrintUsage(std::cerr);
    return tw::twlib::kExitBadArguments;
}
