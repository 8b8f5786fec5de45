#include "model/design_text.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "model/palette.h"
#include "model/recount.h"

namespace kadro {

namespace {

char letterOf(float colour) {
    const PaletteEntry* entry = paletteEntryOf(colour);
    return entry ? entry->letter : kEmptyLetter;
}

// The code of a cell letter, either case; empty when the character is none.
std::optional<uint8_t> codeOfLetter(char letter) {
    if (letter == kEmptyLetter) return 0;
    const char upper =
        letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (const PaletteEntry& entry : kPalette) {
        if (upper == entry.letter) return static_cast<uint8_t>(entry.code);
    }
    return std::nullopt;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmedEnd(std::string_view line) {
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

std::string_view trimmed(std::string_view line) {
    line = trimmedEnd(line);
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    return line;
}

// The whole UTF-8 character that starts at byte i, as far as the text holds it.
std::string_view characterAt(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return text.substr(i, length);
}

// Part of a line as a message quotes it: at most 24 bytes, whole UTF-8 characters, control
// characters as '?'.
std::string quoted(std::string_view text) {
    constexpr size_t kLongest = 24;
    std::string shown;
    size_t i = 0;
    while (i < text.size() && i < kLongest) {
        const std::string_view character = characterAt(text, i);
        const auto lead = static_cast<unsigned char>(character[0]);
        bool whole =
            character.size() == 1 ? lead >= 0x20 && lead < 0x7F : lead >= 0xC0 && lead < 0xF8;
        for (char follower : character.substr(1))
            whole = whole && (static_cast<unsigned char>(follower) & 0xC0) == 0x80;
        if (character.size() > 1 && whole) {
            const size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            whole = character.size() == expected;
        }
        shown += whole ? character : std::string_view("?");
        i += character.size();
    }
    if (i < text.size()) shown += "...";
    return "'" + shown + "'";
}

std::string plural(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The text's lines, numbered from 1, with blanks and CR at their ends taken off.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    struct Line {
        int number;
        std::string_view text;
    };
    // The next line, empty ones included; none at the end of the text.
    std::optional<Line> next() {
        if (at_ > text_.size()) return std::nullopt;
        const size_t end = std::min(text_.find('\n', at_), text_.size());
        const Line line{++number_, trimmedEnd(text_.substr(at_, end - at_))};
        at_ = end + 1;
        return line;
    }
    std::optional<Line> nextNotEmpty() {
        for (std::optional<Line> line = next(); line; line = next()) {
            if (!line->text.empty()) return line;
        }
        return std::nullopt;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
    int number_ = 0;
};

std::string lineError(int number, const std::string& what) {
    return "Line " + std::to_string(number) + ": " + what;
}

DesignReading refused(std::string why) { return {false, {}, std::move(why)}; }

// "size N" with N whole (a sign allowed, so that the message can name it); empty otherwise.
// Numbers too long to hold count as far too large.
std::optional<long> sizeOf(std::string_view line) {
    constexpr std::string_view prefix = "size ";
    if (line.substr(0, prefix.size()) != prefix) return std::nullopt;
    std::string_view number = line.substr(prefix.size());
    const bool negative = !number.empty() && number.front() == '-';
    if (negative) number.remove_prefix(1);
    if (number.empty()) return std::nullopt;
    long value = 0;
    for (char digit : number) {
        if (digit < '0' || digit > '9') return std::nullopt;
        value = std::min(value * 10 + (digit - '0'), 1000000000L);
    }
    return negative ? -value : value;
}

}  // namespace

std::string designText(const ViewState& state, const CellGrid& grid) {
    const int size = static_cast<int>(state.gridDepth);
    std::string text = "KADRO design\nsize " + std::to_string(size) + "\n";
    text.reserve(text.size() +
                 static_cast<size_t>(size) * (10 + static_cast<size_t>(size) * (size + 1)));
    for (int layer = 1; layer <= size; ++layer) {
        text += "layer " + std::to_string(layer) + "\n";
        for (int row = size - 1; row >= 0; --row) {
            for (int column = 0; column < size; ++column)
                text += letterOf(grid.at(column, row, layer).colour);
            text += '\n';
        }
    }
    return text;
}

DesignReading readDesign(std::string_view text) {
    if (text.size() > kMaxDesignTextBytes)
        return refused("The clipboard text is over 1 MiB, too long for a KADRO design.");
    Lines lines(text);
    std::optional<Lines::Line> line;
    do {
        line = lines.next();
    } while (line && trimmed(line->text) != "KADRO design");
    if (!line) return refused("The clipboard holds no KADRO design.");

    line = lines.nextNotEmpty();
    if (!line) return refused("The design's size line is missing.");
    const std::optional<long> size = sizeOf(line->text);
    if (!size)
        return refused(
            lineError(line->number, quoted(line->text) + " is not a size line such as 'size 5'."));
    if (*size < kMinSize || *size > kMaxSize) {
        const std::string given = quoted(line->text.substr(std::string_view("size ").size()));
        return refused(lineError(
            line->number, "the size is 2 to 20, not " + given.substr(1, given.size() - 2) + "."));
    }
    DesignReading reading{true, {}, {}};
    Design& design = reading.design;
    design.size = static_cast<int>(*size);
    const int n = design.size;
    for (int layer = 1; layer <= n; ++layer) {
        const std::string header = "layer " + std::to_string(layer);
        line = lines.nextNotEmpty();
        if (!line) return refused("Layer " + std::to_string(layer) + " is missing.");
        if (line->text != header)
            return refused(lineError(
                line->number, "'" + header + "' expected, found " + quoted(line->text) + "."));
        for (int rowsRead = 0; rowsRead < n; ++rowsRead) {
            line = lines.nextNotEmpty();
            const std::string rowsShort = "layer " + std::to_string(layer) + " has " +
                                          plural(rowsRead, "row", "rows") + ", " +
                                          std::to_string(n) + " expected.";
            if (!line) return refused("Layer " + rowsShort.substr(6));
            if (line->text.substr(0, 6) == "layer ")
                return refused(lineError(line->number, rowsShort));
            const int row = n - 1 - rowsRead;
            for (size_t i = 0; i < line->text.size(); ++i) {
                const std::optional<uint8_t> code = codeOfLetter(line->text[i]);
                if (!code)
                    return refused(lineError(line->number, quoted(characterAt(line->text, i)) +
                                                               " is not one of . Y L A F R."));
                if (static_cast<int>(i) < n) {
                    design.codes[(static_cast<size_t>(i) * n + row) * n + (layer - 1)] = *code;
                }
            }
            if (static_cast<int>(line->text.size()) != n) {
                return refused(lineError(
                    line->number, plural(static_cast<int>(line->text.size()), "cell", "cells") +
                                      ", " + std::to_string(n) + " expected."));
            }
        }
    }
    return reading;
}

}  // namespace kadro
