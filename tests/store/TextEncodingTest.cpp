// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/TextEncoding.h"

#include <gtest/gtest.h>

using store::utf8Prefix;
using store::utf8Suffix;

TEST(TextEncoding, PrefixAndSuffixCountCharactersNotBytes) {
    const std::string name = "Õie Ülo";  // Õ and Ü take two bytes each
    EXPECT_EQ(utf8Prefix(name, 2), "Õi");
    EXPECT_EQ(utf8Prefix(name, 5), "Õie Ü");
    EXPECT_EQ(utf8Suffix(name, 3), "Ülo");
    EXPECT_EQ(utf8Suffix(name, 4), " Ülo");
    EXPECT_EQ(utf8Suffix("päev", 3), "äev");
}

TEST(TextEncoding, PrefixAndSuffixOfZeroOrMoreThanTheTextHas) {
    EXPECT_EQ(utf8Prefix("Tähtpäev", 0), "");
    EXPECT_EQ(utf8Suffix("Tähtpäev", 0), "");
    EXPECT_EQ(utf8Prefix("Tähtpäev", 20), "Tähtpäev");
    EXPECT_EQ(utf8Suffix("Tähtpäev", 20), "Tähtpäev");
    EXPECT_EQ(utf8Suffix("", 2), "");
}
