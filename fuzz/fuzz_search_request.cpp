// libFuzzer target: the request of pilecalc search, as the command reads it, for either formula
// (the first byte chooses). Checks: the reader answers every text with a request or a problem,
// never a crash or a runaway recursion; a refusal says what is wrong; every cell it accepts is
// one line of text, as the screen's cells are.
#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/json_input.h"
#include "cli/search_request.h"
#include "fuzz/fuzz_checks.h"

using pile::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool two = data[0] & 1;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto parsed = pile::cli::parseSearchRequest(
        text, two ? pile::formulaTwoOptimisation() : pile::formulaOneOptimisation());
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        check(!problem->empty(), "a refusal without a reason");
        return 0;
    }
    check(text.find('\0') == std::string::npos, "a request with a NUL byte was read");
    const auto& request = std::get<pile::cli::SearchRequest>(parsed);
    const auto oneLine = [](const pile::cli::CellRows& rows) {
        for (const auto& row : rows)
            for (const auto& cell : row)
                check(pile::cli::isOneLineText(cell), "a cell of more than one line");
    };
    if (request.items) oneLine(*request.items);
    if (request.switches) oneLine(*request.switches);
    if (request.filters) oneLine(*request.filters);
    for (const auto& action : request.actions) oneLine(action.cells);
    check(request.precision >= 0 && request.precision <= 4, "a precision out of range");
    return 0;
}
