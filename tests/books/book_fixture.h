// Piles for the book tests, read and computed by the core exactly as the input screen does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "core/design_tables.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"
#include "core/sections.h"
#include "core/text_width.h"

namespace pile::test {

// Part of a line from display column `from` (inclusive) to `to` (exclusive); fails when a
// boundary falls inside a two-column character.
inline std::string columns(const std::string& line, int from, int to) {
    std::string out;
    int col = 0;
    for (size_t i = 0; i < line.size();) {
        size_t len = 1;
        const auto b = static_cast<unsigned char>(line[i]);
        if (b >= 0xF0)
            len = 4;
        else if (b >= 0xE0)
            len = 3;
        else if (b >= 0xC0)
            len = 2;
        const std::string ch = line.substr(i, len);
        const int w = DisplayWidth(ch);
        if (col < from && col + w > from)
            ADD_FAILURE() << "column " << from << " splits \"" << ch << "\"";
        if (col < to && col + w > to)
            ADD_FAILURE() << "column " << to << " splits \"" << ch << "\"";
        if (col >= from && col + w <= to) out += ch;
        col += w;
        i += len;
    }
    return out;
}

struct ComputedPile {
    PileInput input;
    PileResult result;
    std::string rockClassName;  // empty in fuk mode
};

// The screen after choosing `section` and `mode` in a new window.
inline InputTexts screenTexts(SectionType section, RockStrengthMode mode = RockStrengthMode::Frk) {
    return NewSectionTexts(section, mode);
}

inline ComputedPile compute(InputTexts texts) {
    auto read = ReadPileInput(texts);
    if (auto* rej = std::get_if<Rejection>(&read)) throw std::runtime_error(rej->message);
    ComputedPile pile{std::get<PileInput>(read), {}, {}};
    auto computed = ComputePile(pile.input);
    if (auto* rej = std::get_if<Rejection>(&computed)) throw std::runtime_error(rej->message);
    pile.result = std::get<PileResult>(computed);
    if (pile.result.rockClass) pile.rockClassName = RockClassName(*pile.result.rockClass);
    return pile;
}

// One pile of every kind the books distinguish: section, square, rock mode, slope, capping.
inline std::vector<InputTexts> pilesOfAllKinds() {
    std::vector<InputTexts> piles;
    for (auto mode : {RockStrengthMode::Frk, RockStrengthMode::Fuk}) {
        for (auto section : {SectionType::Circle, SectionType::Ellipse, SectionType::Rectangle})
            piles.push_back(screenTexts(section, mode));
        InputTexts square = screenTexts(SectionType::Rectangle, mode);
        square.dd = square.tyzd = "1200";
        piles.push_back(square);
    }
    InputTexts capped = screenTexts(SectionType::Circle);  // soft rock, hr/d = 9
    capped.frk = "10";
    capped.hr = "9.0d";
    capped.process = 0;
    capped.processText = ProcessItems(SectionType::Circle, RockStrengthMode::Frk)[0];
    piles.push_back(capped);
    InputTexts sloped = screenTexts(SectionType::Ellipse);
    sloped.slope = true;
    sloped.hr = "1500";
    sloped.gradeIndex = 7;
    sloped.gradeText = "C60";
    piles.push_back(sloped);
    return piles;
}

// A new empty folder under the system's temporary folder, unique across concurrent runs.
inline std::filesystem::path freshTempDir(const std::string& prefix) {
    std::random_device random;
    for (;;) {
        const auto dir = std::filesystem::temp_directory_path() /
                         (prefix + "_" + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(dir)) return dir;
    }
}

}  // namespace pile::test
