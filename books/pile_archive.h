// Where the books of a long batch keep their older piles: in an unnamed temporary file, so that
// memory holds only what a delete-last may soon take back. pilecalc book streams its piles
// through one; the desktop window keeps its books in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace pile {

class PileArchive {
  public:
    // Throws std::runtime_error when no temporary file can be made.
    PileArchive();
    ~PileArchive();
    PileArchive(const PileArchive&) = delete;
    PileArchive& operator=(const PileArchive&) = delete;

    // A pile's summary-table row and its detailed book (up to its closing rule).
    void push(const std::string& row, const std::vector<std::string>& book);
    // Takes out the pile pushed last.
    void pop(std::string& row, std::vector<std::string>& book);
    void clear();
    std::size_t size() const { return m_offsets.size(); }

    // Every pile, first pushed first.
    void forEach(const std::function<void(const std::string& row,
                                          const std::vector<std::string>& book)>& visit) const;

  private:
    // Reads the pile at the current position of the file.
    void read(std::string& row, std::vector<std::string>& book) const;

    std::FILE* m_file;
    std::vector<std::uint64_t> m_offsets;  // where each pile starts
    std::uint64_t m_end = 0;
};

}  // namespace pile
