#include "platform/local_time.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace launcher::platform {

namespace {

using platform::FormatDatePictureInEnglish;
using platform::FormatTimePictureInEnglish;
using platform::LocalTime;

// The day-of-week fields are deliberately wrong: the date alone decides the day name.
constexpr LocalTime kMorning{2026, 1, 3, 2, 8, 5, 7, 9};       // Friday 2 January 2026, 08:05:07.009
constexpr LocalTime kAfternoon{2026, 12, 0, 7, 15, 1, 50, 0};  // Monday 7 December 2026, 15:01:50
constexpr LocalTime kMidnight{2006, 3, 0, 15, 0, 0, 0, 0};     // Wednesday 15 March 2006, 00:00:00
constexpr LocalTime kNoon{2000, 11, 0, 30, 12, 30, 45, 999};   // Thursday 30 November 2000, 12:30:45

LocalTime With(LocalTime time, int year, int month, int day) {
  time.year = year;
  time.month = month;
  time.day = day;
  return time;
}

LocalTime WithClock(LocalTime time, int hour, int minute, int second, int milliseconds) {
  time.hour = hour;
  time.minute = minute;
  time.second = second;
  time.milliseconds = milliseconds;
  return time;
}

struct PictureCase {
  const wchar_t* picture;
  LocalTime time;
  const wchar_t* expected;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
  return out << testing::PrintToString(std::wstring(c.picture)) << " on " << c.time.year << "-" << c.time.month << "-"
             << c.time.day << " " << c.time.hour << ":" << c.time.minute << ":" << c.time.second;
}

class TimePictureTest : public testing::TestWithParam<PictureCase> {};

TEST_P(TimePictureTest, Formats) {
  EXPECT_EQ(FormatTimePictureInEnglish(GetParam().picture, GetParam().time), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, TimePictureTest,
    testing::Values(PictureCase{L"h hh H HH m mm s ss t tt", kMorning, L"8 08 8 08 5 05 7 07 A AM"},
                    PictureCase{L"h hh H HH m mm s ss t tt", kAfternoon, L"3 03 15 15 1 01 50 50 P PM"},
                    PictureCase{L"h hh H HH t tt", kMidnight, L"12 12 0 00 A AM"},
                    PictureCase{L"h hh H HH t tt", kNoon, L"12 12 12 12 P PM"},
                    PictureCase{L"h:mm tt", WithClock(kNoon, 11, 59, 59, 0), L"11:59 AM"},
                    PictureCase{L"h:mm tt", WithClock(kNoon, 23, 59, 59, 0), L"11:59 PM"},
                    // Longer runs act as the longest picture of their letter.
                    PictureCase{L"hhh HHHHH mmm ssss tttt", kMorning, L"08 08 05 07 AM"},
                    // Each letter starts a run of its own.
                    PictureCase{L"hHmst", kAfternoon, L"315150P"},
                    // Date letters, and letters of no picture, are left for later.
                    PictureCase{L"d dd M MMMM yyyy gg", kMorning, L"d dd M MMMM yyyy gg"},
                    PictureCase{L"L x z T S % . _-", kMorning, L"L x z T S % . _-"},
                    PictureCase{L"'h' 'HH' 'tt' h", kMorning, L"h HH tt 8"},
                    PictureCase{L"'it''s' h", kMorning, L"it's 8"}, PictureCase{L"''''", kMorning, L"'"},
                    // Outside quotes, '' is an empty quoted text: nothing.
                    PictureCase{L"''HH''mm", kMorning, L"0805"}, PictureCase{L"'''HH", kMorning, L"'HH"},
                    PictureCase{L"'hh mm", kMorning, L"hh mm"}, PictureCase{L"HH'", kMorning, L"08"},
                    PictureCase{L"", kMorning, L""}));

class DatePictureTest : public testing::TestWithParam<PictureCase> {};

TEST_P(DatePictureTest, Formats) {
  EXPECT_EQ(FormatDatePictureInEnglish(GetParam().picture, GetParam().time), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, DatePictureTest,
    testing::Values(PictureCase{L"d dd ddd dddd", kMorning, L"2 02 Fri Friday"},
                    PictureCase{L"d dd ddd dddd", kAfternoon, L"7 07 Mon Monday"},
                    PictureCase{L"d dd ddd dddd", kMidnight, L"15 15 Wed Wednesday"},
                    PictureCase{L"M MM MMM MMMM", kMorning, L"1 01 Jan January"},
                    PictureCase{L"M MM MMM MMMM", kAfternoon, L"12 12 Dec December"},
                    PictureCase{L"M MM MMM MMMM", With(kNoon, 2026, 9, 1), L"9 09 Sep September"},
                    PictureCase{L"y yy yyy yyyy", kAfternoon, L"26 26 2026 2026"},
                    PictureCase{L"y yy yyyy", kMidnight, L"06 06 2006"},
                    PictureCase{L"y yy yyyy", kNoon, L"00 00 2000"},
                    PictureCase{L"y yy yyyy yyyyy", With(kNoon, 30827, 12, 31), L"27 27 30827 30827"},
                    PictureCase{L"dddddd MMMMMMM yyyyyy", kMorning, L"Friday January 2026"},
                    PictureCase{L"g gg ggg", kMorning, L"AD AD AD"}, PictureCase{L"dMyg", kAfternoon, L"71226AD"},
                    PictureCase{L"h hh H m s t tt L x D Y G", kMorning, L"h hh H m s t tt L x D Y G"},
                    PictureCase{L"'dddd' 'MM''yy' d", kMorning, L"dddd MM'yy 2"},
                    PictureCase{L"yyyy''MM", kMorning, L"202601"}, PictureCase{L"dd 'MMM", kMorning, L"02 MMM"},
                    // Leap days: every fourth year, but not a century unless divisible by 400.
                    PictureCase{L"dddd d MMM", With(kNoon, 2024, 2, 29), L"Thursday 29 Feb"},
                    PictureCase{L"dddd d MMM", With(kNoon, 2000, 2, 29), L"Tuesday 29 Feb"},
                    PictureCase{L"dddd yyyy", With(kNoon, 1601, 1, 1), L"Monday 1601"}));

TEST(TimePicturesTest, RefusesTimesOutOfRange) {
  const std::array invalid{WithClock(kNoon, 24, 0, 0, 0), WithClock(kNoon, 23, 60, 0, 0),
                           WithClock(kNoon, 23, 59, 60, 0), WithClock(kNoon, 23, 59, 59, 1000),
                           WithClock(kNoon, -1, 0, 0, 0)};
  for (const LocalTime& time : invalid) {
    EXPECT_EQ(FormatTimePictureInEnglish(L"HH:mm 'x'", time), L"") << time.hour << ":" << time.minute;
  }
  // The time pass reads no date field, and the date pass no clock field.
  EXPECT_EQ(FormatTimePictureInEnglish(L"HH", With(kNoon, 1, 13, 40)), L"12");
  EXPECT_EQ(FormatDatePictureInEnglish(L"dd", WithClock(kNoon, 99, 99, 99, 9999)), L"30");
}

TEST(TimePicturesTest, RefusesDatesOutOfRange) {
  const std::array invalid{With(kNoon, 2026, 2, 29), With(kNoon, 1900, 2, 29),  With(kNoon, 2026, 4, 31),
                           With(kNoon, 2026, 0, 1),  With(kNoon, 2026, 13, 1),  With(kNoon, 2026, 1, 0),
                           With(kNoon, 2026, 1, 32), With(kNoon, 1600, 12, 31), With(kNoon, 30828, 1, 1)};
  for (const LocalTime& time : invalid) {
    EXPECT_EQ(FormatDatePictureInEnglish(L"yyyy 'x'", time), L"") << time.year << "-" << time.month << "-" << time.day;
  }
}

// The launcher runs the time pass and then the date pass over its result.
WideString BothPasses(const WideString& picture, const LocalTime& time) {
  return FormatDatePictureInEnglish(FormatTimePictureInEnglish(picture, time), time);
}

TEST(TimePicturesTest, TwoPassesFormatAFileNamePattern) {
  EXPECT_EQ(BothPasses(L"yyyy-MM-dd_HH-mm-ss", kAfternoon), L"2026-12-07_15-01-50");
  EXPECT_EQ(BothPasses(L"dddd, MMMM d, yyyy h:mm:ss tt", kMorning), L"Friday, January 2, 2026 8:05:07 A1");
  // The marker's M is a month picture for the second pass.
  EXPECT_EQ(BothPasses(L"h tt", kAfternoon), L"3 P12");
  // Quotes protect from the first pass only: it removes them.
  EXPECT_EQ(BothPasses(L"'dd' HH", kAfternoon), L"07 15");
  // Quoted quotes survive the first pass and protect from the second.
  EXPECT_EQ(BothPasses(L"'''dd''' dd", kAfternoon), L"dd 07");
}

TEST(LocalTimeTest, CurrentTimeIsAValidDateWhoseDayOfWeekAgrees) {
  const LocalTime now = platform::CurrentLocalTime();
  const std::array<const wchar_t*, 7> days{L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                           L"Thursday", L"Friday", L"Saturday"};
  ASSERT_GE(now.dayOfWeek, 0);
  ASSERT_LE(now.dayOfWeek, 6);
  EXPECT_EQ(FormatDatePictureInEnglish(L"dddd", now), days[static_cast<size_t>(now.dayOfWeek)]);
  EXPECT_NE(FormatTimePictureInEnglish(L"HH:mm:ss", now), L"");
  EXPECT_GE(now.milliseconds, 0);
  EXPECT_LE(now.milliseconds, 999);
}

}  // namespace

}  // namespace launcher::platform
