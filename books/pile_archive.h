// Where the books of a long batch keep their older piles: in memory while they are few, then in
// an unnamed temporary file, so that memory holds only what a delete-last may soon take back.
// pilecalc book streams its piles through one; the desktop window keeps its books in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace pile {

class PileArchive {
  public:
    // The piles held in memory before the first goes to disk: a batch of a few dozen piles
    // never needs the temporary folder.
    static constexpr std::size_t kDefaultMemoryBytes = 256 * 1024;

    // The temporary file is made when the piles outgrow `memoryBytes` (0: with the first
    // pile), in the folder TMPDIR names (else /tmp), or on Windows in the user's temporary
    // folder. Every method that reaches the file throws std::runtime_error, naming the folder
    // and the reason, when it cannot be made, written or read; the piles held stay as they were.
    explicit PileArchive(std::size_t memoryBytes = kDefaultMemoryBytes);
    ~PileArchive();
    PileArchive(const PileArchive&) = delete;
    PileArchive& operator=(const PileArchive&) = delete;

    // A pile's summary-table row and its detailed book (up to its closing rule).
    void push(const std::string& row, const std::vector<std::string>& book);
    // Takes out the pile pushed last.
    void pop(std::string& row, std::vector<std::string>& book);
    void clear();
    std::size_t size() const { return m_file ? m_offsets.size() : m_memory.size(); }
    // Whether the piles are in the temporary file.
    bool onDisk() const { return m_file != nullptr; }

    // Every pile, first pushed first.
    void forEach(const std::function<void(const std::string& row,
                                          const std::vector<std::string>& book)>& visit) const;

  private:
    struct Pile {
        std::string row;
        std::vector<std::string> book;
    };
    // Makes the temporary file and moves the piles held in memory into it.
    void moveToDisk();
    void write(const std::string& row, const std::vector<std::string>& book);
    // Reads the pile at the current position of the file.
    void read(std::string& row, std::vector<std::string>& book) const;

    std::size_t m_memoryLimit;
    std::vector<Pile> m_memory;  // until the file is made
    std::size_t m_memoryBytes = 0;
    std::FILE* m_file = nullptr;
    std::string m_folder;                  // where the file is, for the messages
    std::vector<std::uint64_t> m_offsets;  // where each pile starts in the file
    std::uint64_t m_end = 0;
};

}  // namespace pile
