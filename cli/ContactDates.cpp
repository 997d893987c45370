// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ContactDates.h"

#include "cli/CliError.h"
#include "cli/ControlCharacters.h"
#include "cli/TrimBlanks.h"
#include "cli/VcardProperties.h"
#include "store/EventRecord.h"
#include "store/TextEncoding.h"

#include <algorithm>
#include <initializer_list>

namespace cli {

namespace {

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

// The digits of `text` when it is `count` digits, or those digits with a dash
// at each of the places `dashAt`; nullopt otherwise.
std::optional<std::string> digitsOf(std::string_view text, size_t count, std::initializer_list<size_t> dashAt) {
    std::string digits;
    if (text.size() == count + dashAt.size()) {
        for (size_t i = 0; i < text.size(); ++i) {
            const bool dashPlace = std::find(dashAt.begin(), dashAt.end(), i) != dashAt.end();
            if (!dashPlace)
                digits += text[i];
            else if (text[i] != '-')
                return std::nullopt;
        }
    } else if (text.size() == count) {
        digits = text;
    } else {
        return std::nullopt;
    }
    if (!allDigits(digits)) return std::nullopt;
    return digits;
}

// Backslash escapes of a text value resolved: "\n" is a line break, any
// other escaped character stands for itself.
std::string unescape(std::string_view text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            result += text[i];
        } else if (++i < text.size()) {
            result += text[i] == 'n' || text[i] == 'N' ? '\n' : text[i];
        }
    }
    return result;
}

// Parts of a value between unescaped separators, still escaped.
std::vector<std::string_view> splitUnescaped(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(std::min(start, text.size())));
    return parts;
}

// One line: control characters (C0, DEL, C1, bidirectional marks) become
// spaces, runs of blanks one space.
std::string oneLine(std::string_view text) {
    std::string result;
    bool blank = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (const size_t control = controlCharacterAt(text.substr(i)); control > 0 || text[i] == ' ') {
            blank = !result.empty();
            i += control > 0 ? control - 1 : 0;
            continue;
        }
        if (blank) result += ' ';
        blank = false;
        result += text[i];
    }
    return result;
}

// "Family;Given;Additional;Prefix;Suffix" as "Prefix Given Additional Family Suffix".
std::string nameFromStructured(std::string_view value) {
    std::vector<std::string> parts;
    for (const std::string_view component : splitUnescaped(value, ';')) {
        std::string joined;
        for (const std::string_view piece : splitUnescaped(component, ',')) joined += unescape(piece) + " ";
        parts.push_back(joined);
    }
    parts.resize(std::max<size_t>(parts.size(), 5));
    return oneLine(parts[3] + " " + parts[1] + " " + parts[2] + " " + parts[0] + " " + parts[4]);
}

struct CardDate {
    char type;
    std::string value;
    std::string omittedYear;  // X-APPLE-OMIT-YEAR
};

struct Card {
    std::string formattedName;
    std::string structuredName;
    std::vector<CardDate> dates;
};

// The name of the card: its FN, else its N; no longer than a name of the list.
std::string nameOf(const Card& card) {
    std::string name = oneLine(unescape(card.formattedName));
    if (name.empty()) name = nameFromStructured(card.structuredName);
    return std::string(store::utf8Prefix(name, store::kNimiWidth));
}

// No real contact has this many dates; a card with more is refused rather
// than letting each of them copy its name.
constexpr size_t kMostDatesPerCard = 16;

std::string tooManyDates(const Card& card) {
    return "Kontaktil \"" + nameOf(card) + "\" on üle " + std::to_string(kMostDatesPerCard) +
           " tähtpäeva; sellist faili ei loeta.";
}

void addCardDates(const Card& card, std::vector<ContactDate>& out) {
    const std::string name = nameOf(card);
    for (const CardDate& cardDate : card.dates) {
        std::optional<YearlyDate> date = readVcardDate(cardDate.value);
        if (date && date->year && std::to_string(*date->year) == trimBlanks(cardDate.omittedYear)) date->year.reset();
        out.push_back({name, cardDate.type, date, std::string(trimBlanks(cardDate.value))});
    }
}

std::optional<char> dateType(const std::string& propertyName) {
    if (propertyName == "BDAY") return store::kBirthday;
    if (propertyName == "ANNIVERSARY" || propertyName == "X-ANNIVERSARY" || propertyName == "X-EVOLUTION-ANNIVERSARY")
        return store::kRedLetterDay;
    return std::nullopt;
}

}  // namespace

std::optional<YearlyDate> readVcardDate(std::string_view value) {
    std::string_view text = trimBlanks(value);
    if (text.starts_with("--")) {
        const auto digits = digitsOf(text.substr(2), 4, {2});
        if (!digits) return std::nullopt;
        const int month = number(digits->substr(0, 2));
        const int day = number(digits->substr(2, 2));
        if (!isMonthDay(month, day)) return std::nullopt;
        return YearlyDate{std::nullopt, month, day};
    }
    const auto digits = digitsOf(text.substr(0, text.find('T')), 8, {4, 7});
    if (!digits) return std::nullopt;
    const int year = number(digits->substr(0, 4));
    const int month = number(digits->substr(4, 2));
    const int day = number(digits->substr(6, 2));
    if (!store::isValidDate(year, month, day)) return std::nullopt;
    return YearlyDate{year, month, day};
}

std::vector<ContactDate> readContactDates(std::string_view vcf) {
    std::vector<ContactDate> dates;
    bool foundCard = false;
    int depth = 0;
    Card card;
    forEachVcardProperty(vcf, [&](const VcardProperty& property) {
        const bool aboutVcard = upperAscii(trimBlanks(property.value)) == "VCARD";
        if (property.name == "BEGIN" && aboutVcard) {
            if (depth++ == 0) card = Card{};
            foundCard = true;
        } else if (property.name == "END" && aboutVcard) {
            if (depth > 0 && --depth == 0) addCardDates(card, dates);
        } else if (depth == 1) {
            if (property.name == "FN" && card.formattedName.empty()) {
                card.formattedName = property.value;
            } else if (property.name == "N" && card.structuredName.empty()) {
                card.structuredName = property.value;
            } else if (const auto type = dateType(property.name)) {
                if (card.dates.size() == kMostDatesPerCard) throw CliError(tooManyDates(card));
                card.dates.push_back({*type, property.value, std::string(property.param("X-APPLE-OMIT-YEAR"))});
            }
        }
    });
    if (depth > 0) addCardDates(card, dates);
    if (!foundCard) throw CliError("Failis pole ühtegi vCardi (rida BEGIN:VCARD puudub).");
    return dates;
}

}  // namespace cli
