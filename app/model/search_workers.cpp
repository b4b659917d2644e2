// The worker threads of the optimisation search.
#include "app/model/search_workers.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "app/model/input_screen.h"
#include "app/model/optimisation_screen.h"
#include "app/model/platform.h"
#include "app/model/project_file.h"

namespace pile {

namespace {

// A clone computes and nothing else: no file, box, link or permission is ever asked for.
class QuietPlatform : DocumentsFolder,
                      Clock,
                      PermissionService,
                      MessageBox,
                      ErrorBox,
                      UrlOpener,
                      CancellingDialogs {
  public:
    Platform platform{*this, *this, *this, *this, *this, *this, *this};

  private:
    std::filesystem::path documentsPath() const override { return {}; }
    std::string timeText() const override { return {}; }
    void request(const std::vector<std::string>&, const RationaleHandler&,
                 const ResultHandler&) override {}
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    void openUrl(const std::string&) override {}
};

class WindowClone : public SearchClone {
  public:
    explicit WindowClone(const TypedState& state) {
        if (state.formula == 2)
            m_window = std::make_unique<FormulaTwoWindow>(m_platform.platform);
        else
            m_window = std::make_unique<FormulaOneWindow>(m_platform.platform);
        typeState(*m_window, state);
        // Computed piles go to the optimisation screen, not the books.
        m_window->setOptimisationMode(true);
    }
    InputScreen& input() override { return m_window->inputScreen(); }
    OptimisationScreen& screen() override { return m_window->optimisationScreen(); }

  private:
    QuietPlatform m_platform;  // outlives the window
    std::unique_ptr<CalculatorWindow> m_window;
};

}  // namespace

SearchCloneMaker windowCloneMaker(const TypedState& state) {
    auto shared = std::make_shared<const TypedState>(state);
    return [shared]() -> std::unique_ptr<SearchClone> {
        return std::make_unique<WindowClone>(*shared);
    };
}

unsigned defaultSearchThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

// ---- Rows --------------------------------------------------------------------------------

BufferedRow::BufferedRow(const ListRowValues& row)
    : m_values(row), m_ra(row.raText), m_rc(row.rcText), m_nk(row.nkText), m_n(row.nText) {
    point();
}

BufferedRow::BufferedRow(BufferedRow&& other) noexcept
    : m_values(other.m_values),
      m_ra(std::move(other.m_ra)),
      m_rc(std::move(other.m_rc)),
      m_nk(std::move(other.m_nk)),
      m_n(std::move(other.m_n)) {
    point();
}

// A moved short string moves its characters too: the views follow the strings every time.
void BufferedRow::point() {
    m_values.raText = m_ra;
    m_values.rcText = m_rc;
    m_values.nkText = m_nk;
    m_values.nText = m_n;
}

// ---- Chunks ------------------------------------------------------------------------------

bool sameTexts(const InputTexts& a, const InputTexts& b) {
    return a.section == b.section && a.dd == b.dd && a.tyzd == b.tyzd && a.hr == b.hr &&
           a.gradeIndex == b.gradeIndex && a.gradeText == b.gradeText && a.process == b.process &&
           a.processText == b.processText && a.mode == b.mode && a.frk == b.frk && a.fuk == b.fuk &&
           a.slope == b.slope;
}

void replayCandidate(OptimisationScreen& screen, const Candidate& candidate) {
    screen.setRowSink([](const ListRowValues&) {});
    try {
        screen.computeSearchCandidate(candidate);
    } catch (...) {
        screen.setRowSink({});
        throw;
    }
    screen.setRowSink({});
}

void computeChunk(SearchClone& clone, SearchChunk& chunk, const CandidateHook& hook,
                  const std::atomic<bool>* stop) {
    OptimisationScreen& screen = clone.screen();
    chunk.rows.clear();
    chunk.marks.clear();
    chunk.refused = false;
    chunk.error = nullptr;
    chunk.rows.reserve(chunk.candidates.size());
    screen.setRowSink([&chunk](const ListRowValues& row) { chunk.rows.emplace_back(row); });
    try {
        for (std::size_t i = 0; i < chunk.candidates.size(); ++i) {
            if (stop && stop->load(std::memory_order_relaxed)) break;
            if (i > 0 && i % chunk.markSpan == 0)
                clone.input().readTexts(chunk.marks.emplace_back());
            if (hook) hook(chunk.first + i);
            if (!screen.computeSearchCandidate(chunk.candidates[i])) {
                chunk.refused = true;
                break;
            }
        }
    } catch (...) {
        chunk.error = std::current_exception();
    }
    screen.setRowSink({});
    clone.input().readTexts(chunk.endTexts);
}

// ---- The pool ----------------------------------------------------------------------------

SearchWorkers::SearchWorkers(Job job)
    : m_job(std::move(job)),
      m_chunks(m_job.chunkSize ? (m_job.total + m_job.chunkSize - 1) / m_job.chunkSize : 0),
      m_ahead(2 * std::max(1u, m_job.threads)),
      m_slots(m_ahead) {
    const auto threads = std::min<std::uint64_t>(std::max(1u, m_job.threads), m_chunks);
    try {
        for (std::uint64_t i = 0; i < threads; ++i) m_threads.emplace_back([this] { work(); });
    } catch (...) {
        stop();
        throw;
    }
}

SearchWorkers::~SearchWorkers() { stop(); }

void SearchWorkers::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_stopFlag.store(true, std::memory_order_relaxed);
    }
    m_workerWake.notify_all();
    for (std::thread& thread : m_threads)
        if (thread.joinable()) thread.join();
    m_threads.clear();
}

std::optional<std::uint64_t> SearchWorkers::take(SearchChunk& chunk) {
    std::unique_lock lock(m_mutex);
    m_workerWake.wait(lock, [this] {
        return m_stopping || m_nextToHand >= m_chunks || m_nextToHand < m_nextToTake + m_ahead;
    });
    if (m_stopping || m_nextToHand >= m_chunks) return std::nullopt;
    if (!m_spare.empty()) {
        chunk = std::move(m_spare.back());
        m_spare.pop_back();
    }
    return m_nextToHand++;
}

void SearchWorkers::recycle(SearchChunk chunk) {
    std::lock_guard lock(m_mutex);
    if (m_spare.size() < m_ahead + 2) m_spare.push_back(std::move(chunk));
}

void SearchWorkers::deliver(std::uint64_t number, SearchChunk chunk) {
    {
        std::lock_guard lock(m_mutex);
        m_slots[number % m_ahead] = std::move(chunk);
    }
    m_chunkReady.notify_all();
}

std::optional<SearchChunk> SearchWorkers::next() {
    std::optional<SearchChunk> chunk;
    {
        std::unique_lock lock(m_mutex);
        if (m_nextToTake >= m_chunks) return std::nullopt;
        std::optional<SearchChunk>& slot = m_slots[m_nextToTake % m_ahead];
        m_chunkReady.wait(lock, [&slot] { return slot.has_value(); });
        chunk = std::move(slot);
        slot.reset();
        ++m_nextToTake;
    }
    m_workerWake.notify_all();
    return chunk;
}

void SearchWorkers::work() {
    std::unique_ptr<SearchClone> clone;
    CandidateGenerator generator(m_job.ranges);
    std::uint64_t position = 0;  // the index of the candidate the generator gives next
    // The last candidate of each rock mode before `position`, and its index.
    std::array<std::optional<Candidate>, 2> lastOfMode;
    std::array<std::uint64_t, 2> lastIndex{};
    const auto remember = [&](const Candidate& c, std::uint64_t index) {
        const std::size_t mode = c.rockType == 2 ? 1 : 0;
        lastOfMode[mode] = c;
        lastIndex[mode] = index;
    };

    // A worker that failed outside a candidate (no memory, no clone) hands its chunks on
    // uncomputed, with the error: its generator and clone are not to be trusted any more.
    std::exception_ptr broken;

    for (;;) {
        SearchChunk chunk;
        const auto number = take(chunk);
        if (!number) break;
        chunk.candidates.clear();
        chunk.started = false;
        chunk.refused = false;
        chunk.error = nullptr;
        chunk.first = *number * m_job.chunkSize;
        chunk.markSpan = markSpanOf(m_job.chunkSize);
        const std::uint64_t end = std::min(chunk.first + m_job.chunkSize, m_job.total);
        if (broken) {
            chunk.error = broken;
            deliver(*number, std::move(chunk));
            continue;
        }
        try {
            // The generator gives candidateCount() candidates; should it give fewer, the
            // worker fails rather than read past the end.
            const auto next = [&generator]() -> const Candidate& {
                const Candidate* c = generator.next();
                if (!c) throw std::logic_error("the search ran out of candidates");
                return *c;
            };
            while (position < chunk.first) {
                remember(next(), position);
                ++position;
            }
            // The candidates that set the state the chunk starts from, the older first.
            std::array<const Candidate*, 2> guess{};
            if (chunk.first > 0) {
                const std::size_t newest = lastOfMode[1] && lastIndex[1] == chunk.first - 1;
                const std::size_t other = 1 - newest;
                if (lastOfMode[other]) guess[0] = &*lastOfMode[other];
                guess[1] = &*lastOfMode[newest];
            }
            chunk.candidates.reserve(end - chunk.first);
            for (; position < end; ++position) chunk.candidates.push_back(next());

            if (!clone) clone = m_job.makeClone();
            for (const Candidate* c : guess)
                if (c) replayCandidate(clone->screen(), *c);
            clone->input().readTexts(chunk.startTexts);
            chunk.started = true;
            for (std::uint64_t i = 0; i < chunk.candidates.size(); ++i)
                remember(chunk.candidates[i], chunk.first + i);
            computeChunk(*clone, chunk, m_job.hook, &m_stopFlag);
        } catch (...) {
            // The search computes the chunk again itself, or gives up with this error.
            chunk.started = false;
            chunk.error = broken = std::current_exception();
        }
        deliver(*number, std::move(chunk));
    }
}

}  // namespace pile
