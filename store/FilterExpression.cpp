// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FilterExpression.h"

#include "store/StoreError.h"
#include "store/TextEncoding.h"

#include <cctype>
#include <string>

namespace store {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool atEnd() {
        skipBlanks();
        return pos_ == text_.size();
    }

    std::string_view identifier() {
        skipBlanks();
        const size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
            ++pos_;
        if (pos_ == start) fail("field name expected");
        return text_.substr(start, pos_ - start);
    }

    void expect(char c) {
        skipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != c) fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    bool peek(char c) {
        skipBlanks();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    std::int64_t integer() {
        skipBlanks();
        const size_t start = pos_;
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) negative = text_[pos_++] == '-';
        const size_t digits = pos_;
        std::int64_t value = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            if (value < 1'000'000'000'000) value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (pos_ == digits) {
            pos_ = start;
            fail("number expected");
        }
        return negative ? -value : value;
    }

    std::string quoted() {
        expect('\'');
        std::string value;
        for (;;) {
            if (pos_ >= text_.size()) fail("unterminated text");
            const char c = text_[pos_++];
            if (c != '\'') {
                value += c;
            } else if (pos_ < text_.size() && text_[pos_] == '\'') {
                value += '\'';
                ++pos_;
            } else {
                return value;
            }
        }
    }

    void andKeyword() {
        skipBlanks();
        if (text_.size() - pos_ < 3 || !equalsNoCase(text_.substr(pos_, 3), "AND") ||
            (pos_ + 3 < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_ + 3]))))
            fail("AND expected");
        pos_ += 3;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw StoreError("Invalid filter \"" + std::string(text_) + "\": " + what + " at position " +
                         std::to_string(pos_ + 1));
    }

private:
    static bool equalsNoCase(std::string_view a, std::string_view b) {
        for (size_t i = 0; i < a.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
        return true;
    }
    void skipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

bool isIntegerField(int field) { return field == Paev || field == Kuu || field == Aasta; }

std::optional<std::int64_t> integerValue(const EventRow& row, int field) {
    switch (field) {
        case Paev: return row.paev ? std::optional<std::int64_t>(*row.paev) : std::nullopt;
        case Kuu: return row.kuu ? std::optional<std::int64_t>(*row.kuu) : std::nullopt;
        default: return row.aasta ? std::optional<std::int64_t>(*row.aasta) : std::nullopt;
    }
}

}  // namespace

FilterExpression FilterExpression::parse(std::string_view text) {
    FilterExpression expression;
    Parser parser(text);
    if (parser.atEnd()) return expression;
    for (;;) {
        const std::string_view name = parser.identifier();
        const int field = fieldPosition(name);
        if (field < 0 || field == Kuup || field == Vanus)
            parser.fail("no field '" + std::string(name) + "' to filter on");
        parser.expect('=');
        Term term{field, 0, {}, false};
        if (isIntegerField(field)) {
            term.number = parser.integer();
        } else {
            term.text = parser.quoted();
            if (utf8Length(term.text) >= 2 && term.text.back() == '*') {
                term.text.pop_back();
                term.prefix = true;
            }
        }
        expression.terms_.push_back(std::move(term));
        if (parser.atEnd()) break;
        parser.andKeyword();
    }
    return expression;
}

bool FilterExpression::matches(const EventRow& row) const {
    for (const Term& term : terms_) {
        if (isIntegerField(term.field)) {
            const auto value = integerValue(row, term.field);
            if (!value || *value != term.number) return false;
        } else {
            const std::string& value = term.field == Nimi ? row.nimi : row.tyyp;
            if (term.prefix ? !value.starts_with(term.text) : value != term.text) return false;
        }
    }
    return true;
}

}  // namespace store
