// pilecalc: the batch front end of the rock-socketed pile calculator.
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_input.h"
#include "core/number_format.h"
#include "core/pile_calc.h"

namespace {

void printUsage(std::ostream& os) {
    os << "usage: pilecalc compute [--formula 1|2] [--precision 0..4] < piles.jsonl\n"
          "       pilecalc book [--formula 1|2] [--table] [--precision 0..4] [--time TEXT]\n"
          "                     [--out FILE] < piles.jsonl\n"
          "       pilecalc search [--formula 1|2] [--time TEXT] [--save] < request.json\n"
          "                           (the optimisation screen; formula two, for example:\n"
          "                            {\"switches\":[\"1\",\"1\"],\"actions\":[{\"sort\":14}]})\n"
          "       pilecalc            (prints the default pile)\n";
}

// Without a sub-command: the result of a new window's default pile.
int printDefaultPile(std::ostream& os) {
    std::istringstream in("{}\n");
    return pile::cli::runComputeCommand({}, in, os, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return printDefaultPile(std::cout);
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "compute") return pile::cli::runComputeCommand(args, std::cin, std::cout, std::cerr);
    if (command == "book") return pile::cli::runBookCommand(args, std::cin, std::cout, std::cerr);
    if (command == "search")
        return pile::cli::runSearchCommand(args, std::cin, std::cout, std::cerr);
    if (command == "--help" || command == "-h") {
        printUsage(std::cout);
        return 0;
    }
    std::cerr << "pilecalc: unknown command \"" << command << "\"\n";
    printUsage(std::cerr);
    return pile::cli::kExitUsage;
}
