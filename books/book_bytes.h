// A calculation book as bytes, for the piles a long batch keeps on disk: every block with every
// field, read back into the same book. The bytes are for this build's own temporary files, not
// an exchange format.
#pragma once

#include <string>
#include <string_view>

#include "books/book_model.h"

namespace pile {

// Appends the book's bytes to `out`.
void appendBookBytes(std::string& out, const BookModel& book);

// The book of bytes made by appendBookBytes(). Throws std::runtime_error on bytes that are cut
// short or not a book's.
BookModel bookFromBytes(std::string_view bytes);

}  // namespace pile
