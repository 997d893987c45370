// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/DataGenerator.h"

#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "tests/support/TempDir.h"

#include <array>
#include <filesystem>
#include <map>
#include <random>
#include <string_view>
#include <unordered_set>

namespace bench {

namespace {

constexpr std::array<std::string_view, 60> kFirstNames = {
    "Mari",   "Jüri",    "Tõnu",   "Õie",       "Ülle",   "Tõnis",   "Märt",   "Kärt",   "Jaan",   "Liis",
    "Peeter", "Anneli",  "Ants",   "Maarja",    "Mart",   "Kadri",   "Toomas", "Külli",  "Aivar",  "Ene",
    "Rein",   "Tiiu",    "Andres", "Pille",     "Urmas",  "Sirje",   "Priit",  "Helle",  "Indrek", "Merike",
    "Jaanus", "Reet",    "Margus", "Kristiina", "Tarmo",  "Triin",   "Mihkel", "Katrin", "Väino",  "Ülo",
    "Õnne",   "Küllike", "Hillar", "Ülar",      "Viljar", "Signe",   "Sander", "Gerda",  "Tiit",   "Meelis",
    "Heino",  "Leida",   "Laine",  "Endel",     "Žanna",  "Šarlota", "Mõnika", "Tõivo",  "Kätlin", "Merle",
};

constexpr std::array<std::string_view, 60> kFamilyNames = {
    "Tamm",  "Saar",     "Sepp",   "Mägi",       "Kask",  "Kukk",  "Rebane", "Ilves",  "Pärn",      "Koppel",
    "Lepik", "Kuusk",    "Kõiv",   "Karu",       "Lepp",  "Luik",  "Kallas", "Oja",    "Raudsepp",  "Vaher",
    "Kivi",  "Jõgi",     "Mets",   "Männik",     "Põder", "Laur",  "Paju",   "Kütt",   "Org",       "Lõhmus",
    "Tamme", "Peterson", "Sild",   "Toom",       "Lill",  "Nõmm",  "Valk",   "Rätsep", "Õunapuu",   "Ääremaa",
    "Ütt",   "Šmidt",    "Žukova", "Štšerbakov", "Müür",  "Türk",  "Kärner", "Sööt",   "Ploom",     "Tõnisson",
    "Väli",  "Mölder",   "Põldma", "Külm",       "Järve", "Lõoke", "Hõbe",   "Vähi",   "Ševtšenko", "Põllu",
};

// Stems and endings of compound family names ("Kõivu" + "puu").
constexpr std::array<std::string_view, 48> kFamilyStems = {
    "Tamme", "Kase",  "Kuuse",  "Männi",  "Pärna", "Lepa",  "Kõivu", "Saare", "Mäe",   "Oja",   "Järve",   "Metsa",
    "Välja", "Kivi",  "Rebase", "Hundi",  "Karu",  "Kure",  "Luige", "Põllu", "Niidu", "Raba",  "Soo",     "Küla",
    "Vahe",  "Liiva", "Allik",  "Mõisa",  "Kaasi", "Hõbe",  "Kulla", "Ojala", "Nõmme", "Rohu",  "Tõnis",   "Ääre",
    "Üle",   "Jõe",   "Sepa",   "Möldre", "Põdra", "Kõrve", "Lõuna", "Põhja", "Ida",   "Lääne", "Šveitsi", "Žuravi"};
constexpr std::array<std::string_view, 32> kFamilyEndings = {
    "",     "puu",  "salu", "mets", "oja",  "mäe",  "saar", "küla",  "maa",  "pere", "lepp",
    "kivi", "järv", "väli", "org",  "nurm", "soo",  "aru",  "põld",  "mägi", "vere", "kõrv",
    "laid", "rand", "sild", "tamm", "kask", "kand", "niit", "stein", "berg", "mann"};
constexpr std::array<std::string_view, 24> kSecondGivenNames = {
    "Liis", "Maria", "Ann",  "Kai",   "Riin", "Triin", "Helen", "Eliise", "Johannes", "Mihkel", "Peeter", "Kristjan",
    "Ülle", "Õnne",  "Ärni", "Härmo", "Siim", "Tõnn",  "Karl",  "Rasmus", "Šarl",     "Žaan",   "Mari",   "Jaan"};

// Birthdays mostly, then name days, anniversaries and the rest.
char typeOf(int percentile) {
    if (percentile < 70) return 'S';
    if (percentile < 82) return 'N';
    if (percentile < 92) return 'T';
    return 'M';
}

// The temporary folder of the data files, removed at exit.
TempDir& dataFolder() {
    static TempDir folder;
    return folder;
}

}  // namespace

std::vector<store::EventRow> generateRows(int count, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::vector<store::EventRow> rows(static_cast<size_t>(count));
    for (store::EventRow& row : rows) {
        const bool yearKnown = pick(0, 99) >= 15;
        const int year = yearKnown ? pick(1900, 2026) : kToday.year;
        const int month = pick(1, 12);
        const int day = pick(1, store::daysInMonth(year, month));
        row.nimi = std::string(kFirstNames[static_cast<size_t>(pick(0, kFirstNames.size() - 1))]) + " " +
                   std::string(kFamilyNames[static_cast<size_t>(pick(0, kFamilyNames.size() - 1))]);
        row.paev = static_cast<std::int16_t>(day);
        row.kuu = static_cast<std::int16_t>(month);
        if (yearKnown) row.aasta = year;
        row.tyyp = std::string(1, typeOf(pick(0, 99)));
        row.kuup = store::Date{year, month, day};
    }
    return rows;
}

std::vector<store::EventRow> generateDistinctRows(int count, unsigned seed) {
    std::vector<store::EventRow> rows = generateRows(count, seed);
    std::mt19937 random(seed + 1);
    const auto pick = [&](const auto& words) {
        return std::string(words[std::uniform_int_distribution<size_t>(0, words.size() - 1)(random)]);
    };
    std::unordered_set<std::string> used;
    used.reserve(rows.size());
    for (store::EventRow& row : rows) {
        do {
            const int form = std::uniform_int_distribution<int>(0, 99)(random);
            std::string given = pick(kFirstNames);
            if (form < 35)
                given += "-" + pick(kSecondGivenNames);
            else if (form < 50)
                given += " " + pick(kSecondGivenNames);
            std::string family = form % 5 == 0 ? pick(kFamilyNames) : pick(kFamilyStems) + pick(kFamilyEndings);
            row.nimi = given + " " + family;
        } while (!used.insert(row.nimi).second);
    }
    return rows;
}

const std::string& dataFileOf(int count) {
    static std::map<int, std::string> written;
    auto [place, isNew] = written.try_emplace(count);
    if (isNew) {
        place->second = dataFolder().file("rows-" + std::to_string(count) + ".xml");
        store::PosixFileSystem::instance().replace(place->second, store::writeDataPacket(generateRows(count)));
    }
    return place->second;
}

std::string scratchCopyOf(int count) {
    const std::string path = dataFolder().file("scratch-" + std::to_string(count) + ".xml");
    std::filesystem::copy_file(dataFileOf(count), path, std::filesystem::copy_options::overwrite_existing);
    return path;
}

}  // namespace bench
