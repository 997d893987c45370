#include "store/AgeText.h"

#include <charconv>
#include <string>

namespace store {

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

int parseInteger(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') throw ConversionError(text);
    long long value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) throw ConversionError(text);
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) throw ConversionError(text);
    return static_cast<int>(value);
}

std::string AgeText(std::string_view yearText, int month, int day, const Date& today) {
    if (yearText.empty()) return "?";
    long long n = static_cast<long long>(today.year) - parseInteger(yearText);
    if (today.month < month || (today.month == month && today.day < day)) --n;
    return n < 0 ? "?" : std::to_string(n);
}

std::string ageOfRow(const EventRow& row, const Date& today) {
    const std::string year = row.aasta ? std::to_string(*row.aasta) : std::string();
    return AgeText(year, row.kuu.value_or(0), row.paev.value_or(0), today);
}

}  // namespace store
