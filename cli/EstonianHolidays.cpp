// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EstonianHolidays.h"

#include "store/EventRecord.h"

#include <array>
#include <string_view>

namespace cli {

namespace {

struct FixedDay {
    int day;
    int month;
    std::string_view name;
};

// The holidays act (public holidays, days of national importance) and the
// flag act (flag days) as in force in 2026.
constexpr std::array<FixedDay, 25> kFixedDays = {{
    {1, 1, "Uusaasta"},
    {3, 1, "Vabadussõjas võidelnute mälestuspäev"},
    {6, 1, "Kolmekuningapäev"},
    {30, 1, "Eesti kirjanduse päev"},
    {2, 2, "Tartu rahulepingu aastapäev"},
    {24, 2, "Iseseisvuspäev, Eesti Vabariigi aastapäev"},
    {14, 3, "Emakeelepäev"},
    {23, 4, "Veteranipäev"},
    {1, 5, "Kevadpüha"},
    {9, 5, "Euroopa päev"},
    {1, 6, "Lastekaitsepäev"},
    {4, 6, "Eesti lipu päev"},
    {14, 6, "Leinapäev"},
    {23, 6, "Võidupüha"},
    {24, 6, "Jaanipäev"},
    {20, 8, "Taasiseseisvumispäev"},
    {23, 8, "Kommunismi ja natsismi ohvrite mälestuspäev"},
    {1, 9, "Teadmistepäev"},
    {22, 9, "Vastupanuvõitluse päev"},
    {1, 10, "Omavalitsuspäev"},
    {2, 11, "Hingedepäev"},
    {16, 11, "Taassünni päev"},
    {24, 12, "Jõululaupäev"},
    {25, 12, "Esimene jõulupüha"},
    {26, 12, "Teine jõulupüha"},
}};

}  // namespace

std::vector<NewEntry> estonianHolidays() {
    std::vector<NewEntry> entries;
    entries.reserve(kFixedDays.size());
    for (const FixedDay& fixed : kFixedDays)
        entries.push_back(
            {std::string(fixed.name), store::kRedLetterDay, YearlyDate{std::nullopt, fixed.month, fixed.day}});
    return entries;
}

}  // namespace cli
