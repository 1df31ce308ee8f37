#pragma once

// Whole numbers to and from text for the preload library and its probe, through std::to_chars and
// std::from_chars: the C library's printf and scanf would follow the locale of the program they are loaded
// into.

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace fileserver {

// The digits of `value` in `base` (lower-case letters beyond 9).
template <typename T> std::string digits(T value, int base = 10) {
    char text[72];
    const auto written = std::to_chars(text, text + sizeof text, value, base);
    return std::string(text, written.ptr);
}

// `value` read from the whole of `text` in `base`; false when text is no such number.
template <typename T> bool readDigits(std::string_view text, T& value, int base = 10) {
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return read.ec == std::errc() && read.ptr == text.data() + text.size();
}

// The value of the line "key=value" in `text`; empty when there is none.
inline std::string_view field(std::string_view text, std::string_view key) {
    for (std::size_t from = 0; from < text.size();) {
        std::size_t to = text.find('\n', from);
        if (to == std::string_view::npos) to = text.size();
        const std::string_view line = text.substr(from, to - from);
        if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=')
            return line.substr(key.size() + 1);
        from = to + 1;
    }
    return {};
}

// The words of a line, separated by blanks.
inline std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t from = line.find_first_not_of(' '); from != std::string_view::npos;) {
        const std::size_t to = line.find(' ', from);
        out.push_back(line.substr(from, to - from));
        from = to == std::string_view::npos ? to : line.find_first_not_of(' ', to);
    }
    return out;
}

} // namespace fileserver
