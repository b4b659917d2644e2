// What every fuzz target checks of the texts the program writes, and its stand-ins for the
// platform.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/model/platform.h"

namespace pile::fuzz {

// A failed check stops the run with the reason, so that the crash report says what broke.
inline void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

// "inf", "nan" and a lone "-0" (or "-0.00") would all be faults of the number texts.
inline void checkText(const std::string& text) {
    check(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos,
          "a text shows inf or nan");
    for (std::size_t at = text.find("-0"); at != std::string::npos; at = text.find("-0", at + 1)) {
        std::size_t end = at + 2;
        while (end < text.size() && (text[end] == '0' || text[end] == '.')) ++end;
        const bool digitFollows = end < text.size() && text[end] >= '1' && text[end] <= '9';
        check(digitFollows || (at > 0 && text[at - 1] >= '0' && text[at - 1] <= '9'),
              "a text shows -0");
    }
}

// The texts of a fuzz input after its `header` control bytes, separated by line feeds, handed
// out in order; an empty text once they run out.
class Texts {
  public:
    Texts(const std::uint8_t* data, std::size_t size, std::size_t header) : m_texts(1) {
        for (std::size_t i = header; i < size; ++i) {
            if (data[i] == '\n')
                m_texts.emplace_back();
            else
                m_texts.back() += static_cast<char>(data[i]);
        }
    }
    std::string next() { return m_next < m_texts.size() ? m_texts[m_next++] : std::string(); }

  private:
    std::vector<std::string> m_texts;
    std::size_t m_next = 0;
};

struct NoFolder : DocumentsFolder {
    std::filesystem::path documentsPath() const override { return {}; }
};
struct FixedTime : Clock {
    std::string timeText() const override { return "2026-12-10 12:00:00"; }
};
struct NoBoxes : MessageBox, ErrorBox, UrlOpener {
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    void openUrl(const std::string&) override {}
};

}  // namespace pile::fuzz
