// SPDX-License-Identifier: GPL-3.0-or-later
// The event record: its fields in their fixed positions, the type codes and
// their labels, and the text of the empty data file.
#pragma once

#include "store/Date.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace store {

// Field positions of the record. Vanus is calculated and never stored.
enum FieldPos : int { Paev = 0, Kuu = 1, Aasta = 2, Nimi = 3, Tyyp = 4, Kuup = 5, Vanus = 6 };
inline constexpr int kFieldCount = 7;
inline constexpr int kStoredFieldCount = 6;

// Field names by position ("Paev" … "Vanus").
inline constexpr std::array<std::string_view, kFieldCount> kFieldNames = {"Paev", "Kuu",  "Aasta", "Nimi",
                                                                          "Tyyp", "Kuup", "Vanus"};

// Position of the named field (exact, case-sensitive), or -1.
int fieldPosition(std::string_view name);

inline constexpr int kNimiWidth = 99;  // characters
inline constexpr int kTyypWidth = 1;   // characters

// One stored row. Empty optionals are null values; texts are UTF-8.
struct EventRow {
    std::optional<std::int16_t> paev;
    std::optional<std::int16_t> kuu;
    std::optional<std::int32_t> aasta;
    std::string nimi;
    std::string tyyp;
    std::optional<Date> kuup;

    friend bool operator==(const EventRow&, const EventRow&) = default;
};

// The type codes as the data file has them in Tyyp.
enum TypeCode : char { kBirthday = 'S', kRedLetterDay = 'T', kNameDay = 'N', kOtherDay = 'M' };

// Type codes and the labels the editor and the report give them.
struct EventType {
    char code;
    std::string_view label;  // "Sünnipäev", "Tähtpäev", "Nimepäev", "Muu"
};
inline constexpr std::array<EventType, 4> kEventTypes = {
    {{kBirthday, "Sünnipäev"}, {kRedLetterDay, "Tähtpäev"}, {kNameDay, "Nimepäev"}, {kOtherDay, "Muu"}}};

// Place of a type code text in kEventTypes ("T" -> 1), or nullopt for
// anything else.
std::optional<size_t> typeIndex(std::string_view code);

// Label of a type code text ("S" -> "Sünnipäev"), or nullopt for anything else.
std::optional<std::string_view> typeLabel(std::string_view code);

// Lower-case month names, "jaanuar" … "detsember".
inline constexpr std::array<std::string_view, 12> MonthNames = {"jaanuar",   "veebruar", "märts",    "aprill",
                                                                "mai",       "juuni",    "juuli",    "august",
                                                                "september", "oktoober", "november", "detsember"};

// The data file's name in the program's folder.
inline constexpr std::string_view kDataFileName = "Vozoraza.xml";

// The 431 characters of the empty data packet, without the closing CR LF.
extern const std::string_view kEmptyPacket;

}  // namespace store
