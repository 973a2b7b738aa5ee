#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/local_time.h"
#include "platform/windows_api.h"

namespace launcher::platform {

// The proof that POSIX formats file names as Windows does: the portable
// functions against the system's own, for US English.

namespace {

using platform::FormatDatePictureInEnglish;
using platform::FormatTimePictureInEnglish;
using platform::LocalTime;

const LCID kUsEnglish = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

using PictureFormatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int);

// The system's answer, empty on failure.
std::wstring SystemFormat(PictureFormatter format, const std::wstring& picture, const LocalTime& time) {
  const SYSTEMTIME systemTime{static_cast<WORD>(time.year),      static_cast<WORD>(time.month),
                              static_cast<WORD>(time.dayOfWeek), static_cast<WORD>(time.day),
                              static_cast<WORD>(time.hour),      static_cast<WORD>(time.minute),
                              static_cast<WORD>(time.second),    static_cast<WORD>(time.milliseconds)};
  std::vector<wchar_t> buffer(4096);
  const int written =
      format(kUsEnglish, 0, &systemTime, picture.c_str(), buffer.data(), static_cast<int>(buffer.size()));
  return written > 0 ? std::wstring(buffer.data(), static_cast<size_t>(written) - 1) : std::wstring();
}

std::wstring SystemTime(const std::wstring& picture, const LocalTime& time) {
  return SystemFormat(&::GetTimeFormatW, picture, time);
}

std::wstring SystemDate(const std::wstring& picture, const LocalTime& time) {
  return SystemFormat(&::GetDateFormatW, picture, time);
}

std::string Describe(const std::wstring& picture, const LocalTime& time) {
  return testing::PrintToString(picture) + " at " + std::to_string(time.year) + "-" + std::to_string(time.month) + "-" +
         std::to_string(time.day) + " " + std::to_string(time.hour) + ":" + std::to_string(time.minute) + ":" +
         std::to_string(time.second) + "." + std::to_string(time.milliseconds);
}

// Every month, every day of the week, every hour, single- and double-digit
// fields, the ends of the calendar, and times that both sides must refuse.
std::vector<LocalTime> Times() {
  std::vector<LocalTime> times;
  for (int month = 1; month <= 12; ++month) {
    times.push_back(LocalTime{2026, month, 0, month + 3, month * 2 - 1, month * 5 - 4, 61 - month * 5, month});
  }
  for (int hour = 0; hour < 24; ++hour) times.push_back(LocalTime{2025, 6, 0, 9 + hour % 7, hour, 7, 30, 500});
  for (int year : {1601, 1999, 2000, 2006, 2010, 2099, 9999, 10000, 30827}) {
    times.push_back(LocalTime{year, 2, 0, 28, 9, 0, 0, 0});
  }
  times.push_back(LocalTime{2024, 2, 0, 29, 23, 59, 59, 999});
  times.push_back(LocalTime{30827, 12, 0, 31, 0, 0, 0, 0});
  // Refused by both: a time out of range, or a date that does not exist.
  times.push_back(LocalTime{2026, 1, 0, 1, 24, 0, 0, 0});
  times.push_back(LocalTime{2026, 1, 0, 1, 12, 60, 0, 0});
  times.push_back(LocalTime{2026, 1, 0, 1, 12, 0, 60, 0});
  times.push_back(LocalTime{2026, 1, 0, 1, 12, 0, 0, 1000});
  times.push_back(LocalTime{2026, 4, 0, 31, 12, 0, 0, 0});
  times.push_back(LocalTime{2026, 13, 0, 1, 12, 0, 0, 0});
  times.push_back(LocalTime{2026, 0, 0, 1, 12, 0, 0, 0});
  times.push_back(LocalTime{1600, 12, 0, 31, 12, 0, 0, 0});
  return times;
}

std::vector<std::wstring> WrittenPictures() {
  std::vector<std::wstring> pictures{L"yyyy-MM-dd_HH-mm-ss",
                                     L"dddd, MMMM d, yyyy h:mm:ss tt",
                                     L"ddd MMM dd yy",
                                     L"h hh H HH m mm s ss t tt",
                                     L"hHmst dMyg",
                                     L"'h' 'HH' 'tt' 'dd' 'MMMM' h d",
                                     L"'it''s' h d",
                                     L"''''",
                                     L"'''",
                                     L"''HH''mm''dd",
                                     L"'''HH dd",
                                     L"'hh mm dd",
                                     L"HH' dd'",
                                     L"L x z T S D Y G % . _- \x00e9\x4e2d",
                                     L""};
  // Every run length of every letter, up to beyond its longest picture.
  for (wchar_t letter : std::wstring(L"hHmstdMy")) {
    for (size_t length = 1; length <= 7; ++length) pictures.push_back(std::wstring(length, letter));
  }
  pictures.push_back(L"g");
  pictures.push_back(L"g-g d g");
  return pictures;
}

// Random pictures of letters, quotes and separators. No two g in a row: Wine
// writes the era once per g and we once per run (see time_pictures.cpp).
std::vector<std::wstring> RandomPictures(size_t count) {
  const std::wstring alphabet = L"hHmstdMygL'' :-xAP";
  std::mt19937 generator(20261207);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<size_t> length(1, 14);
  std::vector<std::wstring> pictures;
  while (pictures.size() < count) {
    std::wstring picture;
    for (size_t n = length(generator); picture.size() < n;) {
      const wchar_t letter = alphabet[pick(generator)];
      if (letter == L'g' && !picture.empty() && picture.back() == L'g') continue;
      picture += letter;
    }
    pictures.push_back(picture);
  }
  return pictures;
}

void ExpectSameAsSystem(const std::vector<std::wstring>& pictures) {
  const std::vector<LocalTime> times = Times();
  for (const std::wstring& picture : pictures) {
    for (const LocalTime& time : times) {
      const std::wstring timePass = FormatTimePictureInEnglish(picture, time);
      ASSERT_EQ(timePass, SystemTime(picture, time)) << "time pass of " << Describe(picture, time);
      ASSERT_EQ(FormatDatePictureInEnglish(picture, time), SystemDate(picture, time))
          << "date pass of " << Describe(picture, time);
      ASSERT_EQ(FormatDatePictureInEnglish(timePass, time), SystemDate(SystemTime(picture, time), time))
          << "both passes of " << Describe(picture, time);
    }
  }
}

TEST(TimePicturesWin32Test, WrittenPicturesFormatAsTheSystemDoes) { ExpectSameAsSystem(WrittenPictures()); }

TEST(TimePicturesWin32Test, RandomPicturesFormatAsTheSystemDoes) { ExpectSameAsSystem(RandomPictures(600)); }

TEST(TimePicturesWin32Test, ARunOfEraLettersWritesTheEraOnce) {
  const LocalTime time{2026, 12, 1, 7, 15, 1, 50, 0};
  EXPECT_EQ(FormatDatePictureInEnglish(L"gg", time), SystemDate(L"g", time));
  EXPECT_EQ(FormatDatePictureInEnglish(L"ggg", time), SystemDate(L"g", time));
}

// Windows formats results of any length, and the length is asked for first.
// Wine 8 cuts results at 255 characters and overruns its own stack on longer
// literal text, so under Wine only results up to that length can be checked.
TEST(LocalTimeWin32Test, ResultsComeBackWhole) {
  const LocalTime time{2026, 12, 1, 7, 15, 1, 50, 0};
  std::wstring timePicture;
  std::wstring datePicture;
  for (int n = 0; n < 24; ++n) {
    timePicture += L"HH:mm:ss ";
    datePicture += L"yyyy-MM-d ";
  }
  EXPECT_EQ(platform::FormatTimePicture(timePicture, time), FormatTimePictureInEnglish(timePicture, time));
  EXPECT_EQ(platform::FormatDatePicture(datePicture, time), FormatDatePictureInEnglish(datePicture, time));
}

TEST(LocalTimeWin32Test, FailureGivesTheEmptyText) {
  EXPECT_EQ(platform::FormatTimePicture(L"'x' HH", LocalTime{2026, 1, 4, 1, 24, 0, 0, 0}), L"");
  EXPECT_EQ(platform::FormatDatePicture(L"'x' dd", LocalTime{2026, 4, 4, 31, 12, 0, 0, 0}), L"");
}

// LOCALE_USER_DEFAULT follows the prefix's user locale; under Wine that comes
// from LANG and is US English when LANG is unset, C or C.UTF-8.
TEST(LocalTimeWin32Test, UserLocaleFormatsAsTheEnglishFunctionsWhenItIsUsEnglish) {
  if (::GetUserDefaultLCID() != kUsEnglish) GTEST_SKIP() << "the user locale is not US English";
  const LocalTime time{2026, 12, 1, 7, 15, 1, 50, 0};
  for (const std::wstring& picture : WrittenPictures()) {
    EXPECT_EQ(platform::FormatTimePicture(picture, time), FormatTimePictureInEnglish(picture, time));
    EXPECT_EQ(platform::FormatDatePicture(picture, time), FormatDatePictureInEnglish(picture, time));
  }
}

}  // namespace

}  // namespace launcher::platform
