// Books as bytes: each field in turn, numbers in the machine's order, texts behind their length.
// One function per block lists its fields for both directions.
#include "books/book_bytes.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace pile {

namespace {

class Writer {
  public:
    explicit Writer(std::string& out) : m_out(out) {}
    template <class T>
    void number(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        m_out.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void operator()(const std::string& text) {
        number(std::uint32_t(text.size()));
        m_out += text;
    }
    void operator()(const std::vector<std::string>& texts) {
        number(std::uint32_t(texts.size()));
        for (const std::string& text : texts) (*this)(text);
    }
    void operator()(const int& value) { number(std::int32_t(value)); }
    void operator()(const double& value) { number(value); }
    void operator()(const bool& value) { number(std::uint8_t(value ? 1 : 0)); }
    void operator()(const CellAlign& value) { number(std::uint8_t(value)); }

  private:
    std::string& m_out;
};

class Reader {
  public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    template <class T>
    T number() {
        T value{};
        if (m_bytes.size() < sizeof value) throw std::runtime_error("a stored book is cut short");
        std::memcpy(&value, m_bytes.data(), sizeof value);
        m_bytes.remove_prefix(sizeof value);
        return value;
    }
    void operator()(std::string& text) {
        const auto size = number<std::uint32_t>();
        if (m_bytes.size() < size) throw std::runtime_error("a stored book is cut short");
        text.assign(m_bytes.substr(0, size));
        m_bytes.remove_prefix(size);
    }
    void operator()(std::vector<std::string>& texts) {
        texts.resize(number<std::uint32_t>());
        for (std::string& text : texts) (*this)(text);
    }
    void operator()(int& value) { value = number<std::int32_t>(); }
    void operator()(double& value) { value = number<double>(); }
    void operator()(bool& value) { value = number<std::uint8_t>() != 0; }
    void operator()(CellAlign& value) { value = CellAlign(number<std::uint8_t>()); }
    bool atEnd() const { return m_bytes.empty(); }

  private:
    std::string_view m_bytes;
};

// The fields of each block, in order; `io` is a Writer over const blocks or a Reader.
template <class Io, class T>
void fields(Io& io, T& b) {
    using B = std::remove_const_t<T>;
    if constexpr (std::is_same_v<B, BookTitle>) {
        io(b.name), io(b.number), io(b.label), io(b.pile);
    } else if constexpr (std::is_same_v<B, BookHeading>) {
        io(b.level), io(b.number), io(b.text), io(b.suffix);
    } else if constexpr (std::is_same_v<B, BookValue>) {
        io(b.number), io(b.labelLines), io(b.value), io(b.unit), io(b.column), io(b.width);
    } else if constexpr (std::is_same_v<B, BookNote>) {
        io(b.lines), io(b.indent), io(b.continuation);
    } else if constexpr (std::is_same_v<B, BookFormula>) {
        io(b.text), io(b.clause), io(b.indent), io(b.clauseColumn), io(b.upper), io(b.lower),
            io(b.limitColumn), io(b.limitWidth);
    } else if constexpr (std::is_same_v<B, BookColumn>) {
        io(b.caption1), io(b.caption2), io(b.lead), io(b.width), io(b.align), io(b.gap);
    } else if constexpr (std::is_same_v<B, BookSoilLayer>) {
        io(b.number), io(b.top), io(b.bottom), io(b.bottomText), io(b.pile), io(b.pileTop),
            io(b.qTop), io(b.qBottom), io(b.shape);
    } else if constexpr (std::is_same_v<B, BookClosing>) {
        io(b.timeText);
    } else {
        static_assert(std::is_same_v<B, void>, "a block without its fields");
    }
}

void write(Writer& w, const BookTable& b) {
    w.number(std::uint32_t(b.columns.size()));
    for (const BookColumn& column : b.columns) fields(w, column);
    w.number(std::uint32_t(b.rows.size()));
    for (const auto& row : b.rows) w(row);
    w(b.indent), w(b.rule), w(b.closed);
}
void read(Reader& r, BookTable& b) {
    b.columns.resize(r.number<std::uint32_t>());
    for (BookColumn& column : b.columns) fields(r, column);
    b.rows.resize(r.number<std::uint32_t>());
    for (auto& row : b.rows) r(row);
    r(b.indent), r(b.rule), r(b.closed);
}
void write(Writer& w, const BookSoilFigure& b) {
    w(b.eg), w(b.ep), w(b.egText), w(b.epText), w(b.socket), w(b.socketText);
    w.number(std::uint32_t(b.layers.size()));
    for (const BookSoilLayer& layer : b.layers) fields(w, layer);
    w(b.rockText), w(b.diameter), w(b.diameterText);
}
void read(Reader& r, BookSoilFigure& b) {
    r(b.eg), r(b.ep), r(b.egText), r(b.epText), r(b.socket), r(b.socketText);
    b.layers.resize(r.number<std::uint32_t>());
    for (BookSoilLayer& layer : b.layers) fields(r, layer);
    r(b.rockText), r(b.diameter), r(b.diameterText);
}
template <class T>
void write(Writer& w, const T& b) {
    fields(w, b);
}
template <class T>
void read(Reader& r, T& b) {
    fields(r, b);
}

template <std::size_t I = 0>
BookBlock blockOf(std::size_t index, Reader& r) {
    if constexpr (I < std::variant_size_v<BookBlock>) {
        if (index != I) return blockOf<I + 1>(index, r);
        std::variant_alternative_t<I, BookBlock> block;
        read(r, block);
        return block;
    } else {
        throw std::runtime_error("a stored book holds an unknown block");
    }
}

}  // namespace

void appendBookBytes(std::string& out, const BookModel& book) {
    Writer w(out);
    w.number(std::uint32_t(book.blocks.size()));
    for (const BookBlock& block : book.blocks) {
        w.number(std::uint8_t(block.index()));
        std::visit([&w](const auto& b) { write(w, b); }, block);
    }
}

BookModel bookFromBytes(std::string_view bytes) {
    Reader r(bytes);
    BookModel book;
    const auto count = r.number<std::uint32_t>();
    book.blocks.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        book.blocks.push_back(blockOf(r.number<std::uint8_t>(), r));
    if (!r.atEnd()) throw std::runtime_error("a stored book has bytes after its end");
    return book;
}

}  // namespace pile
