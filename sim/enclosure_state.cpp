#include "sim/enclosure_state.h"

#include <charconv>

namespace stowkeep::sim {

namespace {

bool ParseNumber(std::string_view text, std::uint32_t& value) {
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    return error == std::errc{} && last == end;
}

void ApplyLine(std::string_view key, std::string_view value, EnclosureState& state) {
    std::uint32_t number = 0;
    if (key == "letter") {
        if (value.size() == 1 && value[0] >= 'A' && value[0] <= 'Z')
            state.letter = static_cast<wchar_t>(value[0]);
    } else if (!ParseNumber(value, number)) {
        return;
    } else if (key == "plugged" && number <= 1) {
        state.plugged = number == 1;
    } else if (key == "held" && number <= 1) {
        state.held = number == 1;
    } else if (key == "presses") {
        state.presses = number;
    }
}

} // namespace

std::string FormatEnclosureState(const EnclosureState& state) {
    std::string text;
    text += "plugged " + std::to_string(state.plugged ? 1 : 0) + "\n";
    text += "letter ";
    text += static_cast<char>(state.letter);
    text += "\n";
    text += "presses " + std::to_string(state.presses) + "\n";
    text += "held " + std::to_string(state.held ? 1 : 0) + "\n";
    return text;
}

EnclosureState ParseEnclosureState(std::string_view text) {
    EnclosureState state;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t space = line.find(' ');
        if (space != std::string_view::npos)
            ApplyLine(line.substr(0, space), line.substr(space + 1), state);
    }
    return state;
}

} // namespace stowkeep::sim
