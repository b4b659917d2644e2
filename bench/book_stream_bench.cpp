// pilecalc book --formula 2 --out over a long batch: the books stream through the archive and the
// file writer, so the peak memory stays flat and the time grows with the piles alone. The input
// lines are made as they are read, so they take no memory either.
//
//   build-bench/bench/book_stream_bench    (peak_rss_MB: the process's peak so far, in MB)
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/commands.h"

namespace {

// `count` copies of one line, made as they are read.
class RepeatedLines : public std::streambuf {
  public:
    RepeatedLines(std::string line, std::int64_t count) : m_line(std::move(line)), m_left(count) {}

  protected:
    int_type underflow() override {
        if (m_left-- <= 0) return traits_type::eof();
        setg(m_line.data(), m_line.data(), m_line.data() + m_line.size());
        return traits_type::to_int_type(m_line[0]);
    }

  private:
    std::string m_line;
    std::int64_t m_left;
};

double peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KB on Linux
}

void BM_FormulaTwoBookToFile(benchmark::State& state) {
    const std::int64_t piles = state.range(0);
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / "book_stream_bench.txt";
    for (auto _ : state) {
        RepeatedLines lines("{\"negativeFriction\":true,\"sideResistance\":true}\n", piles);
        std::istream in(&lines);
        std::ostringstream stdoutText, stderrText;
        const int status = pile::cli::runBookCommand(
            {"--formula", "2", "--time", "T", "--out", out.string()}, in, stdoutText, stderrText);
        if (status != 0) state.SkipWithError(stderrText.str().c_str());
    }
    std::filesystem::remove(out);
    state.SetItemsProcessed(state.iterations() * piles);
    state.counters["peak_rss_MB"] = peakRssMegabytes();
}
BENCHMARK(BM_FormulaTwoBookToFile)
    ->Arg(30000)
    ->Arg(100000)
    ->Arg(300000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
