// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FilterExpression.h"
#include "store/StoreError.h"

#include <gtest/gtest.h>

namespace store {
namespace {

EventRow row(std::optional<std::int16_t> day, std::optional<std::int16_t> month, std::optional<std::int32_t> year,
             std::string name, std::string type = "S") {
    EventRow r;
    r.paev = day;
    r.kuu = month;
    r.aasta = year;
    r.nimi = std::move(name);
    r.tyyp = std::move(type);
    return r;
}

bool matches(const char* filter, const EventRow& r) { return FilterExpression::parse(filter).matches(r); }

TEST(FilterExpression, CombinesTermsWithAnd) {
    const EventRow march5 = row(5, 3, 1980, "Mari");
    EXPECT_TRUE(matches("Paev=05 AND Kuu=3", march5));
    EXPECT_TRUE(matches("Paev=5", march5));
    EXPECT_FALSE(matches("Paev=05 AND Kuu=4", march5));
    EXPECT_TRUE(matches("Aasta=1980 AND Nimi='Mari' AND Tyyp='S'", march5));
    EXPECT_FALSE(matches("Aasta=1981", march5));
    EXPECT_TRUE(matches("  Kuu = 3  and  Paev=5 ", march5));
}

TEST(FilterExpression, EmptyTextPassesEveryRow) {
    EXPECT_TRUE(FilterExpression::parse("").empty());
    EXPECT_TRUE(FilterExpression::parse("   ").empty());
    EXPECT_TRUE(matches("", row(std::nullopt, std::nullopt, std::nullopt, "")));
}

TEST(FilterExpression, EmptyNumbersMatchNothing) {
    EXPECT_FALSE(matches("Aasta=0", row(1, 1, std::nullopt, "x")));
    EXPECT_FALSE(matches("Paev=0", row(std::nullopt, 1, 2000, "x")));
}

TEST(FilterExpression, ComparesTextsExactlyOrByPrefix) {
    EXPECT_TRUE(matches("Nimi='O''Brien'", row(1, 1, {}, "O'Brien")));
    EXPECT_FALSE(matches("Nimi='o''brien'", row(1, 1, {}, "O'Brien")));
    EXPECT_TRUE(matches("Nimi='Ann*'", row(1, 1, {}, "Anneli")));
    EXPECT_TRUE(matches("Nimi='Ann*'", row(1, 1, {}, "Ann")));
    EXPECT_FALSE(matches("Nimi='Ann*'", row(1, 1, {}, "Mari-Ann")));
    EXPECT_TRUE(matches("Nimi='*'", row(1, 1, {}, "*")));  // one character: taken as it is
    EXPECT_FALSE(matches("Nimi='*'", row(1, 1, {}, "Ann")));
    EXPECT_TRUE(matches("Nimi='Õ*'", row(1, 1, {}, "Õie")));  // two characters, three bytes
    EXPECT_TRUE(matches("Nimi='Jüri & Co <%>'", row(1, 1, {}, "Jüri & Co <%>")));
    EXPECT_TRUE(matches("Nimi=' Mari '", row(1, 1, {}, " Mari ")));
    EXPECT_FALSE(matches("Nimi=' Mari '", row(1, 1, {}, "Mari")));
    EXPECT_TRUE(matches("Nimi='null'", row(1, 1, {}, "null")));
    EXPECT_FALSE(matches("Nimi='null'", row(1, 1, {}, "")));
    EXPECT_TRUE(matches("Tyyp='N'", row(1, 1, {}, "x", "N")));
    EXPECT_FALSE(matches("Tyyp='N'", row(1, 1, {}, "x", "S")));
}

TEST(FilterExpression, RefusesMalformedTextWithAStoreError) {
    for (const char* bad : {"Paev", "Paev=", "Paev='x'", "Nimi=Mari", "Nimi='Mari", "Vanus='3'", "Kuup=1", "Foo=1",
                            "Paev=1 OR Kuu=2", "Paev=1 AND", "Paev=1 ANDKuu=2", "=1", "Paev=1 Kuu=2"}) {
        try {
            FilterExpression::parse(bad);
            ADD_FAILURE() << bad;
        } catch (const StoreError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with("ClientDataSet1: ")) << error.what();
        }
    }
}

}  // namespace
}  // namespace store
