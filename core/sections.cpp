// The socket depths offered for a section, and the note that names the optimiser's codes.
#include "core/sections.h"

namespace pile {

std::vector<std::string> DepthItems(const SectionDescription& section) {
    std::vector<std::string> items;
    for (const char* m : {"1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"})
        items.push_back(std::string(m) + section.depthUnit);
    for (const char* mm : {"1000", "1500", "2000", "2500", "3000"}) items.emplace_back(mm);
    return items;
}

std::string SectionCodeNote() {
    std::string note;
    for (int code = kLowestSectionCode; code <= kHighestSectionCode; ++code) {
        if (!note.empty()) note += "/";
        note += std::string(DescribeCode(code).name) + std::to_string(code);
    }
    return note;
}

InputTexts NewSectionTexts(SectionType section, RockStrengthMode mode) {
    InputTexts t;  // a new window: circle, frk mode
    t.section = section;
    t.mode = mode;
    const SectionDescription& description = Describe(section);
    t.tyzd = std::string(description.secondSize);
    t.hr = DepthItems(description).front();
    t.process = DefaultProcessIndex(section, mode);
    t.processText = ProcessItems(section, mode)[static_cast<std::size_t>(t.process)];
    return t;
}

}  // namespace pile
