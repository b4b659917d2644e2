// The worker threads of the optimisation search.
//
// The search computes every candidate through a window's input screen, and the screen is no
// thread's to share. So each worker owns a private clone of the window (a window of the same
// formula on a platform that does nothing, typed with the window's whole input state) and
// computes chunks of consecutive candidates in it, exactly as the search computes them in the
// window itself, keeping each chunk's rows in a buffer. The search takes the chunks back in
// serial order and lists their rows.
//
// A candidate writes every control it sets, yet a few states carry over from one candidate to
// the next (the slope box, which some changes untick for good; the rock text of the mode not
// selected). A worker cannot know them before the chunks ahead of its own are computed, so it
// makes a good guess: it computes again, without listing them, the last candidate before its
// chunk and the last one before that of the other rock mode. The texts the chunk then started
// from travel with its rows; the search compares them with the texts the chunk before really
// ended with and computes a chunk that started wrong again, from the right texts, itself.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/pile_input.h"
#include "optimise/candidate_generator.h"
#include "optimise/item_ranges.h"
#include "optimise/result_list.h"

namespace pile {

class InputScreen;
class OptimisationScreen;
struct TypedState;

// A worker's private window.
class SearchClone {
  public:
    virtual ~SearchClone() = default;
    virtual InputScreen& input() = 0;
    virtual OptimisationScreen& screen() = 0;
};
// Makes a clone; callable on any thread, as often as there are workers.
using SearchCloneMaker = std::function<std::unique_ptr<SearchClone>()>;
// Clones of a window whose typed state is `state`: a window of its formula on a platform that
// does nothing, typed as a project is, and set to optimise.
SearchCloneMaker windowCloneMaker(const TypedState& state);

// Told the index of every candidate before it is computed, on whichever thread computes it
// (tests inject faults with it).
using CandidateHook = std::function<void(std::uint64_t index)>;

// The threads a search uses unless told otherwise: one for each core.
unsigned defaultSearchThreads();
// Candidates a worker computes at a time.
inline constexpr std::uint64_t kSearchChunkSize = 1024;

// The row of one computed candidate, keeping its own copies of the texts the row views.
class BufferedRow {
  public:
    explicit BufferedRow(const ListRowValues& row);
    BufferedRow(const BufferedRow&) = delete;
    BufferedRow& operator=(const BufferedRow&) = delete;
    BufferedRow(BufferedRow&& other) noexcept;
    BufferedRow& operator=(BufferedRow&&) = delete;
    // The row, viewing this buffer's texts.
    const ListRowValues& values() const { return m_values; }

  private:
    void point();
    ListRowValues m_values;
    std::string m_ra, m_rc, m_nk, m_n;
};

// Consecutive candidates of the serial order and what computing them gave.
struct SearchChunk {
    std::uint64_t first = 0;            // the index of the first candidate
    bool started = false;               // the worker computed it from startTexts
    std::vector<Candidate> candidates;  // every candidate of the chunk
    std::vector<BufferedRow> rows;      // the rows of the candidates computed, in order
    bool refused = false;               // the candidate after the last row was refused
    std::exception_ptr error;           // thrown while computing the candidate after the last row
    InputTexts startTexts;              // the input screen's texts before the first candidate
    InputTexts endTexts;                // and after the last candidate computed
    // The texts before candidate (j + 1) * markSpan, for each such candidate computed: the
    // search computes the end of its last chunk again from the nearest of them.
    std::uint64_t markSpan = 1;
    std::vector<InputTexts> marks;
};
// The span of the marks of a chunk of `chunkSize` candidates.
inline std::uint64_t markSpanOf(std::uint64_t chunkSize) {
    return chunkSize / 16 > 0 ? chunkSize / 16 : 1;
}

// Whether two sets of texts are the same.
bool sameTexts(const InputTexts& a, const InputTexts& b);
// Writes one candidate into the clone's input screen and computes it without listing it.
void replayCandidate(OptimisationScreen& screen, const Candidate& candidate);
// Computes the candidates of `chunk` in `clone` from the state it is in, stopping at the first
// refused one or the first exception (kept in the chunk), or where `stop` is set. Sets rows,
// refused, error and endTexts.
void computeChunk(SearchClone& clone, SearchChunk& chunk, const CandidateHook& hook,
                  const std::atomic<bool>* stop = nullptr);

// The pool of workers of one search. Workers take chunks in order and run at most a few chunks
// ahead of the one the search takes next. Stopping or destroying the pool ends every worker
// and joins it.
class SearchWorkers {
  public:
    struct Job {
        ItemRanges ranges;
        std::uint64_t total = 0;
        unsigned threads = 2;
        std::uint64_t chunkSize = kSearchChunkSize;
        SearchCloneMaker makeClone;
        CandidateHook hook;
    };

    explicit SearchWorkers(Job job);
    ~SearchWorkers();
    SearchWorkers(const SearchWorkers&) = delete;
    SearchWorkers& operator=(const SearchWorkers&) = delete;

    // The next chunk in serial order, once it is computed; nothing after the last.
    std::optional<SearchChunk> next();
    // Hands a chunk the search is done with back, for a worker to fill again: its buffers keep
    // their memory, so the pages are not faulted in afresh for every chunk.
    void recycle(SearchChunk chunk);
    // Ends every worker (the chunk a worker is computing is finished first) and joins it.
    void stop();

  private:
    void work();
    // The next chunk number for a worker, or nothing when the pool stops or has handed out
    // every chunk; `chunk` becomes a spare one when there is one.
    std::optional<std::uint64_t> take(SearchChunk& chunk);
    void deliver(std::uint64_t number, SearchChunk chunk);

    const Job m_job;
    const std::uint64_t m_chunks;  // chunks in the search
    const std::uint64_t m_ahead;   // chunks handed out beyond the one taken next, at most

    std::mutex m_mutex;
    std::condition_variable m_workerWake;  // a chunk may be taken, or the pool stops
    std::condition_variable m_chunkReady;  // a chunk is delivered
    std::uint64_t m_nextToHand = 0;
    std::uint64_t m_nextToTake = 0;
    std::vector<std::optional<SearchChunk>> m_slots;  // chunk n in slot n % m_ahead
    std::vector<SearchChunk> m_spare;                 // chunks handed back, to fill again
    bool m_stopping = false;
    std::atomic<bool> m_stopFlag{false};  // m_stopping, read by the workers between candidates
    std::vector<std::thread> m_threads;
};

}  // namespace pile
