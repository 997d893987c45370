// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IcsExport.h"
#include "cli/ListRows.h"
#include "store/TextEncoding.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <tuple>

namespace cli {
namespace {

using testing::eventRow;

const store::Date kToday{2026, 3, 5};

// The calendar parsed back with libical, freed at the end of the test.
class ParsedCalendar {
public:
    explicit ParsedCalendar(const std::string& text) : calendar_(icalparser_parse_string(text.c_str())) {}
    ~ParsedCalendar() {
        if (calendar_) icalcomponent_free(calendar_);
    }
    ParsedCalendar(const ParsedCalendar&) = delete;
    ParsedCalendar& operator=(const ParsedCalendar&) = delete;

    icalcomponent* get() const { return calendar_; }
    std::vector<icalcomponent*> events() const {
        std::vector<icalcomponent*> found;
        for (icalcomponent* c = icalcomponent_get_first_component(calendar_, ICAL_VEVENT_COMPONENT); c;
             c = icalcomponent_get_next_component(calendar_, ICAL_VEVENT_COMPONENT))
            found.push_back(c);
        return found;
    }
    // The events by their SUMMARY.
    std::map<std::string, icalcomponent*> bySummary() const {
        std::map<std::string, icalcomponent*> found;
        for (icalcomponent* event : events()) found[icalcomponent_get_summary(event)] = event;
        return found;
    }

private:
    icalcomponent* calendar_;
};

std::string text(icalcomponent* event, icalproperty_kind kind) {
    icalproperty* property = icalcomponent_get_first_property(event, kind);
    return property ? icalproperty_get_value_as_string(property) : "";
}

icalrecurrencetype rule(icalcomponent* event) {
    return icalproperty_get_rrule(icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY));
}

std::vector<std::string> uidsOf(const std::string& calendarText) {
    std::vector<std::string> uids;
    ParsedCalendar parsed(calendarText);
    for (icalcomponent* event : parsed.events()) uids.push_back(icalcomponent_get_uid(event));
    return uids;
}

const std::string kPunctuated = "Õie Šõmer, Jüri; Ülo \\ Äädik";

std::vector<store::EventRow> sampleRows() {
    std::vector<store::EventRow> rows = {
        eventRow("Mari Maasikas", 5, 3, 1980),   eventRow(kPunctuated, 24, 6, std::nullopt, "T"),
        eventRow("Liigaasta", 29, 2, 1984),      eventRow("Mari Maasikas", 5, 3, 1980),
        eventRow("Vigane", 31, 2, std::nullopt), eventRow("Tundmatu", 1, 5, std::nullopt, "X")};
    rows[1].kuup = store::Date{2019, 6, 24};
    rows[5].kuup.reset();
    cli::putInListOrder(rows);
    return rows;
}

TEST(IcsExport, OneYearlyAllDayEventPerValidRow) {
    const IcsCalendar calendar = icsCalendar(sampleRows(), kToday);
    EXPECT_EQ(calendar.eventCount, 5);
    ParsedCalendar parsed(calendar.text);
    ASSERT_NE(parsed.get(), nullptr);
    EXPECT_EQ(icalcomponent_isa(parsed.get()), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(text(parsed.get(), ICAL_PRODID_PROPERTY), "-//Tarvalind//Zerizedozi//ET");
    EXPECT_EQ(text(parsed.get(), ICAL_VERSION_PROPERTY), "2.0");
    ASSERT_EQ(parsed.events().size(), 5u);

    for (icalcomponent* event : parsed.events()) {
        EXPECT_EQ(rule(event).freq, ICAL_YEARLY_RECURRENCE);
        EXPECT_TRUE(icalcomponent_get_dtstart(event).is_date);
        const icaltimetype stamp = icalcomponent_get_dtstamp(event);
        EXPECT_TRUE(icaltime_is_utc(stamp));
        EXPECT_EQ(stamp.year * 10000 + stamp.month * 100 + stamp.day, 20260305);
    }
    const auto events = parsed.bySummary();
    const icaltimetype start = icalcomponent_get_dtstart(events.at("Mari Maasikas — sünnipäev"));
    EXPECT_EQ(start.year * 10000 + start.month * 100 + start.day, 19800305);
    EXPECT_EQ(rule(events.at("Mari Maasikas — sünnipäev")).by_month_day[0], ICAL_RECURRENCE_ARRAY_MAX);
    EXPECT_EQ(text(events.at("Mari Maasikas — sünnipäev"), ICAL_DESCRIPTION_PROPERTY), "Aasta: 1980");
    EXPECT_EQ(text(events.at("Mari Maasikas — sünnipäev"), ICAL_CATEGORIES_PROPERTY), "Sünnipäev");
    EXPECT_EQ(text(events.at(kPunctuated + " — tähtpäev"), ICAL_CATEGORIES_PROPERTY), "Tähtpäev");
    EXPECT_EQ(text(events.at(kPunctuated + " — tähtpäev"), ICAL_DESCRIPTION_PROPERTY), "");
    EXPECT_EQ(text(events.at("Tundmatu"), ICAL_CATEGORIES_PROPERTY), "");
    EXPECT_NE(calendar.text.find("DTSTART;VALUE=DATE:19800305\r\n"), std::string::npos);
}

// Name, month, day and year of an event, as a row gives them and as a
// calendar program reads them back.
using Dated = std::tuple<std::string, int, int, std::optional<int>>;

std::vector<store::EventRow> randomList(std::mt19937& random) {
    static const std::vector<std::string> pieces = {"a", "Z",  "õ",  "Ä", "ö", "ü", "š", "Ž", " ", ",", ";",
                                                    ":", "\\", "\"", "'", "-", ".", "=", "€", "1", "𝄞", "\n"};
    const auto upTo = [&random](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
    std::vector<store::EventRow> rows(static_cast<size_t>(upTo(30)));
    for (store::EventRow& row : rows) {
        std::string name;
        const int length = 1 + upTo(upTo(1) ? 98 : 8);
        for (int i = 0; i < length; ++i) name += pieces[static_cast<size_t>(upTo(static_cast<int>(pieces.size()) - 1))];
        if (store::utf8Length(name) > 99) name = std::string(store::utf8Prefix(name, 99));
        const int month = 1 + upTo(11);
        const int day = 1 + upTo(store::daysInMonth(2024, month) - 1);
        std::optional<int> year;
        if (upTo(2) > 0) {
            year = 2 + upTo(2024);  // the years a calendar carries
            while (!store::isValidDate(*year, month, day)) ++*year;
        }
        row = eventRow(name, day, month, year, std::string(1, "STNM"[upTo(3)]));
    }
    return rows;
}

TEST(IcsExport, RandomListsReadBackAsWrittenWithTheSameNamesAndDates) {
    std::mt19937 random(20260305);
    for (int round = 0; round < 500; ++round) {
        const std::vector<store::EventRow> rows = randomList(random);
        std::vector<Dated> written;
        for (const store::EventRow& row : rows) {
            // A calendar line cannot keep blanks at the ends of a text.
            const size_t first = std::min(row.nimi.find_first_not_of(' '), row.nimi.size());
            const std::string name = row.nimi.substr(first, row.nimi.find_last_not_of(' ') + 1 - first);
            const std::string kind = row.tyyp == "S"   ? "sünnipäev"
                                     : row.tyyp == "T" ? "tähtpäev"
                                     : row.tyyp == "N" ? "nimepäev"
                                                       : "muu";
            written.emplace_back(name.empty() ? kind : name + " — " + kind, *row.kuu, *row.paev, row.aasta);
        }

        const std::optional<int> alarmDays = round % 2 ? std::optional<int>(round % 9) : std::nullopt;
        const std::string calendarText = icsCalendar(rows, kToday, alarmDays).text;
        const ParsedCalendar parsed(calendarText);
        ASSERT_NE(parsed.get(), nullptr);
        // libical writes what it read as the same text: the lines are escaped
        // and folded as it does, so calendars compare with those it writes.
        const std::unique_ptr<char, decltype(&std::free)> rewritten(icalcomponent_as_ical_string_r(parsed.get()),
                                                                    &std::free);
        ASSERT_EQ(rewritten.get(), calendarText) << "round " << round;
        std::vector<Dated> read;
        for (icalcomponent* event : parsed.events()) {
            const icaltimetype start = icalcomponent_get_dtstart(event);
            const std::string description = text(event, ICAL_DESCRIPTION_PROPERTY);
            std::optional<int> year;
            if (!description.empty()) {
                year = std::stoi(description.substr(std::string("Aasta: ").size()));
                EXPECT_EQ(start.year, *year) << description;
            }
            const char* summary = icalcomponent_get_summary(event);
            read.emplace_back(summary ? summary : "", start.month, start.day, year);
        }
        std::sort(written.begin(), written.end());
        std::sort(read.begin(), read.end());
        std::vector<Dated> lost, gained;
        std::set_difference(written.begin(), written.end(), read.begin(), read.end(), std::back_inserter(lost));
        std::set_difference(read.begin(), read.end(), written.begin(), written.end(), std::back_inserter(gained));
        ASSERT_TRUE(lost.empty() && gained.empty())
            << "round " << round << ": written " << ::testing::PrintToString(lost) << ", read back "
            << ::testing::PrintToString(gained);
    }
}

TEST(IcsExport, StartYearComesFromTheRowThenItsDateThenToday) {
    const ParsedCalendar parsed(icsCalendar(sampleRows(), kToday).text);
    const auto events = parsed.bySummary();
    EXPECT_EQ(icalcomponent_get_dtstart(events.at(kPunctuated + " — tähtpäev")).year, 2019);
    EXPECT_EQ(icalcomponent_get_dtstart(events.at("Tundmatu")).year, 2026);

    store::EventRow leapDay = eventRow("Ilma aastata", 29, 2, std::nullopt);
    leapDay.kuup = store::Date{2026, 3, 1};
    const ParsedCalendar leap(icsCalendar({leapDay}, kToday).text);
    const icaltimetype start = icalcomponent_get_dtstart(leap.events().at(0));
    EXPECT_EQ(start.year * 10000 + start.month * 100 + start.day, 20240229);
}

TEST(IcsExport, SummaryKeepsEstonianLettersAndPunctuation) {
    const std::string calendarText = icsCalendar(sampleRows(), kToday).text;
    EXPECT_NE(calendarText.find("SUMMARY:Õie Šõmer\\, Jüri\\; Ülo \\\\ Äädik — tähtpäev\r\n"), std::string::npos);
    const ParsedCalendar parsed(calendarText);
    EXPECT_EQ(parsed.bySummary().count(kPunctuated + " — tähtpäev"), 1u);
}

TEST(IcsExport, LeapDayRepeatsOnTheLastDayOfFebruary) {
    const ParsedCalendar parsed(icsCalendar(sampleRows(), kToday).text);
    icalcomponent* event = parsed.bySummary().at("Liigaasta — sünnipäev");
    const icalrecurrencetype recurrence = rule(event);
    EXPECT_EQ(recurrence.by_month[0], 2);
    EXPECT_EQ(recurrence.by_month[1], ICAL_RECURRENCE_ARRAY_MAX);
    EXPECT_EQ(recurrence.by_month_day[0], -1);

    std::set<int> instances;
    icalrecur_iterator* it = icalrecur_iterator_new(recurrence, icalcomponent_get_dtstart(event));
    ASSERT_NE(it, nullptr);
    for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t) && t.year <= 2028;
         t = icalrecur_iterator_next(it))
        if (t.year >= 2026) instances.insert(t.year * 10000 + t.month * 100 + t.day);
    icalrecur_iterator_free(it);
    EXPECT_EQ(instances, (std::set<int>{20260228, 20270228, 20280229}));
}

TEST(IcsExport, UidsAreDistinctAndStable) {
    const std::vector<std::string> uids = uidsOf(icsCalendar(sampleRows(), kToday).text);
    ASSERT_EQ(uids.size(), 5u);
    EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), 5u);
    for (const std::string& uid : uids) EXPECT_TRUE(uid.ends_with("@zerizedozi")) << uid;

    EXPECT_EQ(icsCalendar(sampleRows(), kToday).text, icsCalendar(sampleRows(), kToday).text);
    // Another entry in front changes no other entry's UID.
    std::vector<store::EventRow> more = sampleRows();
    more.insert(more.begin(), eventRow("Uus", 2, 2, 2002));
    const std::vector<std::string> moreUids = uidsOf(icsCalendar(more, {2027, 1, 1}).text);
    EXPECT_EQ(std::set<std::string>(moreUids.begin() + 1, moreUids.end()),
              std::set<std::string>(uids.begin(), uids.end()));

    // Each identity field takes part.
    const store::EventRow base = eventRow("Mari", 5, 3, 1980);
    std::set<std::string> variants = {eventUid(base, 1),
                                      eventUid(base, 2),
                                      eventUid(eventRow("Mari", 6, 3, 1980), 1),
                                      eventUid(eventRow("Mari", 5, 4, 1980), 1),
                                      eventUid(eventRow("Mari", 5, 3, 1981), 1),
                                      eventUid(eventRow("Mari", 5, 3, std::nullopt), 1),
                                      eventUid(eventRow("Mari", 5, 3, 1980, "N"), 1),
                                      eventUid(eventRow("Mare", 5, 3, 1980), 1)};
    EXPECT_EQ(variants.size(), 8u);

    // Equal rows are counted on past a row of another type between them.
    const store::EventRow nameDay = eventRow("Mari", 5, 3, 1980, "N");
    EXPECT_EQ(uidsOf(icsCalendar({base, nameDay, base}, kToday).text),
              (std::vector<std::string>{eventUid(base, 1), eventUid(nameDay, 1), eventUid(base, 2)}));
}

TEST(IcsExport, LongNamesAreFoldedAt75OctetsWithoutSplittingLetters) {
    std::string longName;
    for (int i = 0; i < 33; ++i) longName += "Õäö";
    const std::string calendarText = icsCalendar({eventRow(longName, 1, 1, std::nullopt)}, kToday).text;

    size_t start = 0;
    int lines = 0;
    while (start < calendarText.size()) {
        const size_t end = calendarText.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
        const std::string_view line(calendarText.data() + start, end - start);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find('\n'), std::string_view::npos);
        EXPECT_TRUE(store::isValidUtf8(line)) << line;
        start = end + 2;
        ++lines;
    }
    EXPECT_GT(lines, 10);
    EXPECT_NE(calendarText.find("\r\n "), std::string::npos);

    const ParsedCalendar parsed(calendarText);
    ASSERT_EQ(parsed.events().size(), 1u);
    EXPECT_EQ(icalcomponent_get_summary(parsed.events()[0]), longName + " — sünnipäev");
}

TEST(IcsExport, ControlCharactersInNamesDoNotBreakTheFile) {
    const std::string calendarText =
        icsCalendar({eventRow(std::string("Rida\nkaks\x01\rkolm"), 1, 1, std::nullopt)}, kToday).text;
    EXPECT_NE(calendarText.find("SUMMARY:Rida\\nkaks  kolm — sünnipäev\r\n"), std::string::npos);
    const ParsedCalendar parsed(calendarText);
    ASSERT_EQ(parsed.events().size(), 1u);
    EXPECT_EQ(std::string(icalcomponent_get_summary(parsed.events()[0])), "Rida\nkaks  kolm — sünnipäev");
}

std::vector<icalcomponent*> alarmsOf(icalcomponent* event) {
    std::vector<icalcomponent*> found;
    for (icalcomponent* c = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); c;
         c = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT))
        found.push_back(c);
    return found;
}

TEST(IcsExport, AlarmsRemindTheGivenDaysBeforeWithTheEventsSummary) {
    const ParsedCalendar parsed(icsCalendar(sampleRows(), kToday, 1).text);
    ASSERT_EQ(parsed.events().size(), 5u);
    for (icalcomponent* event : parsed.events()) {
        const std::vector<icalcomponent*> alarms = alarmsOf(event);
        ASSERT_EQ(alarms.size(), 1u) << icalcomponent_get_summary(event);
        icalproperty* action = icalcomponent_get_first_property(alarms[0], ICAL_ACTION_PROPERTY);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(icalproperty_get_action(action), ICAL_ACTION_DISPLAY);
        icalproperty* trigger = icalcomponent_get_first_property(alarms[0], ICAL_TRIGGER_PROPERTY);
        ASSERT_NE(trigger, nullptr);
        EXPECT_EQ(icaldurationtype_as_int(icalproperty_get_trigger(trigger).duration), -86400);
        icalproperty* description = icalcomponent_get_first_property(alarms[0], ICAL_DESCRIPTION_PROPERTY);
        ASSERT_NE(description, nullptr);
        EXPECT_STREQ(icalproperty_get_description(description), icalcomponent_get_summary(event));
    }

    const std::string week = icsCalendar(sampleRows(), kToday, 7).text;
    EXPECT_NE(week.find("TRIGGER:-P7D\r\n"), std::string::npos);
    EXPECT_NE(icsCalendar(sampleRows(), kToday, 0).text.find("TRIGGER:PT0S\r\n"), std::string::npos);
}

TEST(IcsExport, WithoutAlarmsNothingElseChangesAndUidsStayAsReleased) {
    const std::string plain = icsCalendar(sampleRows(), kToday).text;
    EXPECT_EQ(plain.find("VALARM"), std::string::npos);
    EXPECT_EQ(uidsOf(plain), uidsOf(icsCalendar(sampleRows(), kToday, 3).text));
    // UIDs of earlier exports, so that importing again updates those events.
    EXPECT_EQ(eventUid(eventRow("Mari Maasikas", 5, 3, 1980), 1), "bfd9d23650e28c0f-1@zerizedozi");
    EXPECT_EQ(eventUid(eventRow("Mari Maasikas", 5, 3, 1980), 2), "bfd9d23650e28c0f-2@zerizedozi");

    testing::CommandRunner runner(kToday);
    runner.writeRows(sampleRows());
    const testing::RunResult withAlarm = runner.run({"export-ics", "--alarm", "2"});
    EXPECT_EQ(withAlarm.status, 0);
    const ParsedCalendar exported(withAlarm.out);
    ASSERT_EQ(exported.events().size(), 5u);
    for (icalcomponent* event : exported.events()) EXPECT_EQ(alarmsOf(event).size(), 1u);
    EXPECT_NE(withAlarm.out.find("TRIGGER:-P2D\r\n"), std::string::npos);
}

// A long list goes out in many pieces, each once and in order.
TEST(IcsExport, TheCommandWritesToStandardOutputOrAFile) {
    std::vector<store::EventRow> rows = sampleRows();
    for (int i = 0; i < 2000; ++i) rows.push_back(eventRow("Mari " + std::to_string(i), 1 + i % 28, 1 + i % 12, 1950));
    testing::CommandRunner runner(kToday);
    runner.writeRows(rows);
    const testing::RunResult toOutput = runner.run({"export-ics"});
    EXPECT_EQ(toOutput.status, 0);
    cli::putInListOrder(rows);
    EXPECT_EQ(toOutput.out, icsCalendar(rows, kToday).text);
    EXPECT_EQ(uidsOf(toOutput.out).size(), 2005u);

    const testing::RunResult toFile = runner.run({"export-ics", "-o", runner.file("tähtpäevad.ics")});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "Kirjutatud 2005 tähtpäeva faili " + runner.file("tähtpäevad.ics") + ".\n");
    EXPECT_EQ(readFile(runner.file("tähtpäevad.ics")), toOutput.out);

    const testing::RunResult noFolder = runner.run({"export-ics", "-o", runner.file("puudub/x.ics")});
    EXPECT_EQ(noFolder.status, kExitFailed);
    EXPECT_EQ(noFolder.err, "zerizedozi-cli: Faili \"" + runner.file("puudub/x.ics") +
                                "\" ei saa kirjutada: sellist faili või kausta pole.\n");
}

}  // namespace
}  // namespace cli
