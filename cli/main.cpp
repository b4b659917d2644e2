// pilecalc: the batch front end of the rock-socketed pile calculator.
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/json_input.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/program_version.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>  // after windows.h, whose types it uses
#endif

namespace {

void printUsage(std::ostream& os) {
    os << "usage: pilecalc compute [--formula 1|2] [--precision 0..4] < piles.jsonl\n"
          "       pilecalc book [--formula 1|2] [--table] [--precision 0..4] [--time TEXT]\n"
          "                     [--out FILE] [--pdf FILE] [--odt FILE] < piles.jsonl\n"
          "       pilecalc search [--formula 1|2] [--time TEXT] [--save] [--threads N] < "
          "request.json\n"
          "                           (the optimisation screen; formula two, for example:\n"
          "                            {\"switches\":[\"1\",\"1\"],\"actions\":[{\"sort\":14}]})\n"
          "       pilecalc            (prints the default pile)\n"
          "       pilecalc --version\n";
}

// Without a sub-command: the result of a new window's default pile.
int printDefaultPile(std::ostream& os) {
    std::istringstream in("{}\n");
    return pile::cli::runComputeCommand({}, in, os, std::cerr);
}

#ifdef _WIN32
// The arguments as UTF-8, as the program takes every text: from the wide command line, since
// argv holds them in the ANSI code page, where a Chinese file name may not fit.
std::vector<std::string> utf8Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) {
        const int len = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(len > 0 ? len : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), len, nullptr, nullptr);
        arg.resize(std::char_traits<char>::length(arg.c_str()));
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The lines go through as they are: no CR added before LF, none taken away, no Ctrl-Z
    // taken for the end of the input.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    (void)argc;
    (void)argv;
    std::vector<std::string> args = utf8Arguments();
#else
    std::vector<std::string> args(argv + 1, argv + argc);
#endif
    if (args.empty()) return printDefaultPile(std::cout);
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "compute")
        return pile::cli::runComputeCommand(args, std::cin, std::cout, std::cerr);
    if (command == "book") return pile::cli::runBookCommand(args, std::cin, std::cout, std::cerr);
    if (command == "search")
        return pile::cli::runSearchCommand(args, std::cin, std::cout, std::cerr);
    if (command == "--version") {
        std::cout << "pilecalc " << pile::ProgramVersionText() << "\n";
        return pile::cli::streamStatus(std::cin, std::cout, std::cerr, "pilecalc", 0);
    }
    if (command == "--help" || command == "-h") {
        printUsage(std::cout);
        return pile::cli::streamStatus(std::cin, std::cout, std::cerr, "pilecalc", 0);
    }
    std::cerr << "pilecalc: unknown command \"" << command << "\"\n";
    printUsage(std::cerr);
    return pile::cli::kExitUsage;
}
