// The glyph text file of the raw output, every line ending in CR LF:
//
//   2 fonts
//   Font named: Sample SansRegular15
//   95 glyphs
//   [ A ] xy(12,34) wh(9,11) left(0) top(11) advance(10)
//   [   ] xy(0,0) wh(0,0) left(0) top(0) advance(4)
//
// Numbers are decimal without leading zeros, blanks or plus sign; only
// left and top may be negative. The character is one raw byte.
#include <cstring>

#include "parsed_table.hpp"

namespace glyphkiln::detail {

namespace {

// Splits the file at CR LF. The glyph character may itself be CR or LF;
// it is always followed by a blank, so a CR LF pair never comes from it.
class LineReader {
public:
    LineReader(const std::uint8_t* data, std::size_t size, const std::string& file)
        : data_(reinterpret_cast<const char*>(data)), size_(size), file_(file) {}

    bool atEnd() const { return pos_ == size_; }
    std::size_t number() const { return line_; }

    // The next line without its CR LF; `what` names it if it is missing.
    std::string next(const std::string& what) {
        ++line_;
        if (atEnd()) fail(file_, at("line", line_), "the file ends before " + what);
        std::size_t end = pos_;
        while (end + 1 < size_ && !(data_[end] == '\r' && data_[end + 1] == '\n')) ++end;
        if (end + 1 >= size_) fail(file_, at("line", line_), "the line does not end with CR LF");
        std::string text(data_ + pos_, end - pos_);
        pos_ = end + 2;
        return text;
    }

private:
    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::size_t line_ = 0;
    const std::string& file_;
};

// Reads the pieces of one line in order; every mismatch names the column.
class LineParser {
public:
    LineParser(const std::string& text, const std::string& file, std::size_t line)
        : text_(text), file_(file), line_(line) {}

    [[noreturn]] void error(const std::string& reason) const {
        fail(file_, at("line", line_), "column " + std::to_string(pos_ + 1) + ": " + reason);
    }

    void expect(const char* literal) {
        const std::size_t n = std::strlen(literal);
        if (text_.compare(pos_, n, literal) != 0) error(std::string("expected \"") + literal + "\"");
        pos_ += n;
    }

    std::uint8_t byte() {
        if (pos_ >= text_.size()) error("expected a character");
        return static_cast<std::uint8_t>(text_[pos_++]);
    }

    // A decimal in [low, high]; `what` names it in messages.
    long long number(long long low, long long high, const char* what) {
        const std::size_t start = pos_;
        const bool negative = pos_ < text_.size() && text_[pos_] == '-' && low < 0;
        if (negative) ++pos_;
        const std::size_t digits = pos_;
        long long value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (value <= high) value = value * 10 + (text_[pos_] - '0');  // stops growing once out of range
            ++pos_;
        }
        if (pos_ == digits) {
            pos_ = start;
            error(std::string("expected ") + what + " as a decimal number");
        }
        const std::string shown = text_.substr(start, pos_ - start);
        if ((pos_ - digits > 1 && text_[digits] == '0') || (negative && value == 0)) {
            pos_ = start;
            error(std::string(what) + " " + shown + " has a leading zero or a minus sign on zero");
        }
        if (negative) value = -value;
        if (value < low || value > high) {
            pos_ = start;
            error(std::string(what) + " " + shown + " is outside " + std::to_string(low) + " to " +
                  std::to_string(high));
        }
        return value;
    }

    void end() {
        if (pos_ != text_.size()) error("unexpected text after the end of the line");
    }

private:
    const std::string& text_;
    const std::string& file_;
    std::size_t line_;
    std::size_t pos_ = 0;
};

}  // namespace

ParsedTable parseGlyphText(const std::uint8_t* data, std::size_t size, const std::string& file) {
    LineReader lines(data, size, file);
    ParsedTable table;
    table.placeWord = "line";

    const auto count = [&](const char* suffix, const std::string& what) {
        const std::string text = lines.next(what);
        LineParser p(text, file, lines.number());
        const auto n = static_cast<unsigned>(p.number(0, 255, what.c_str()));
        p.expect(suffix);
        p.end();
        return n;
    };

    const unsigned setCount = count(" fonts", "the set count");
    table.sets.resize(setCount);
    table.where.resize(setCount);
    for (unsigned s = 0; s < setCount; ++s) {
        const std::string label = "set " + std::to_string(s + 1);
        GlyphSet& set = table.sets[s];
        {
            const std::string text = lines.next("the name of " + label);
            LineParser p(text, file, lines.number());
            p.expect("Font named: ");
            set.name = text.substr(12);
            if (set.name.size() > 127) {
                fail(file, at("line", lines.number()), "the set name is longer than 127 bytes");
            }
        }
        const unsigned glyphCount = count(" glyphs", "the glyph count of " + label);
        set.glyphs.reserve(glyphCount);
        for (unsigned g = 0; g < glyphCount; ++g) {
            const std::string text =
                lines.next("glyph " + std::to_string(g + 1) + " of " + std::to_string(glyphCount) +
                           " of " + label);
            LineParser p(text, file, lines.number());
            Glyph glyph;
            p.expect("[ ");
            glyph.character = p.byte();
            p.expect(" ] xy(");
            glyph.x = static_cast<std::uint16_t>(p.number(0, 65535, "x"));
            p.expect(",");
            glyph.y = static_cast<std::uint16_t>(p.number(0, 65535, "y"));
            p.expect(") wh(");
            glyph.width = static_cast<std::uint16_t>(p.number(0, 65535, "width"));
            p.expect(",");
            glyph.height = static_cast<std::uint16_t>(p.number(0, 65535, "height"));
            p.expect(") left(");
            glyph.left = static_cast<std::int16_t>(p.number(-32767, 32767, "left"));
            p.expect(") top(");
            glyph.top = static_cast<std::int16_t>(p.number(-32767, 32767, "top"));
            p.expect(") advance(");
            glyph.advance = static_cast<std::uint16_t>(p.number(0, 65535, "advance"));
            p.expect(")");
            p.end();
            checkGlyphRecord(glyph, set, file, at("line", lines.number()));
            set.glyphs.push_back(glyph);
            table.where[s].push_back(lines.number());
        }
    }
    if (!lines.atEnd()) {
        fail(file, at("line", lines.number() + 1), "text follows the last glyph set");
    }
    return table;
}

}  // namespace glyphkiln::detail
