// pilecalc book --formula 2 --pdf over a long batch of piles of 20 soil layers: the books wait in
// the archive on disk and are typeset a book at a time into the file, so the peak memory stays
// flat and the time grows with the piles alone (each book laid out twice: once to count the
// pages for the footer's total, once to paint them).
//
//   build-bench/bench/book_pdf_bench --benchmark_filter='/1000/'
//   (peak_rss_MB: the process's peak during the run; s_per_pile: seconds a pile)
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
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

// A formula-two pile with 20 negative-friction layers and 20 side-resistance layers.
std::string pileLine() {
    std::string drag;
    std::string side;
    double bottom = 118.0;
    for (int i = 0; i < 20; ++i) {
        bottom -= 1.3;
        std::ostringstream layer;
        layer.setf(std::ios::fixed);
        layer.precision(2);
        layer << "[\"" << bottom << "\",\"18.5\",\"" << (i % 3 ? "0.25" : "") << "\",\"40\"]";
        drag += (i ? "," : "") + layer.str();
        side += std::string(i ? "," : "") + "[\"1.5\",\"51\"]";
    }
    return "{\"section\":1,\"d\":\"1500\",\"c\":\"300\",\"hr\":\"500\",\"frk\":\"6.55\","
           "\"negativeFriction\":true,\"sideResistance\":true,"
           "\"drag\":{\"p\":\"11.1\",\"Eg\":\"118.5\",\"Ep\":\"117.0\",\"layers\":[" +
           drag + "]},\"side\":{\"layers\":[" + side + "]}}\n";
}

// The peak resident memory (VmHWM), in MB.
double peakRssMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Starts the peak over from the memory in use now, so that each run reports its own.
void resetPeakRss() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_FormulaTwoBooksToPdf(benchmark::State& state) {
    const std::int64_t piles = state.range(0);
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "book_pdf_bench.pdf";
    resetPeakRss();
    for (auto _ : state) {
        RepeatedLines lines(pileLine(), piles);
        std::istream in(&lines);
        std::ostringstream stdoutText, stderrText;
        const int status = pile::cli::runBookCommand(
            {"--formula", "2", "--time", "T", "--pdf", out.string()}, in, stdoutText, stderrText);
        if (status != 0) state.SkipWithError(stderrText.str().c_str());
    }
    state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(out)) / 1e6;
    std::filesystem::remove(out);
    state.SetItemsProcessed(state.iterations() * piles);
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    state.counters["s_per_pile"] =
        benchmark::Counter(static_cast<double>(state.iterations() * piles),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FormulaTwoBooksToPdf)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
