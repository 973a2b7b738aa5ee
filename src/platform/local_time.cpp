#include "platform/local_time.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace launcher::platform {

namespace {

using RunFormatter = WideString (*)(wchar_t letter, size_t length, const LocalTime& time);

constexpr std::wstring_view kTimeLetters = L"hHmst";
constexpr std::wstring_view kDateLetters = L"dMyg";

constexpr std::array<const wchar_t*, 7> kDayNames{L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                                  L"Thursday", L"Friday", L"Saturday"};
constexpr std::array<const wchar_t*, 12> kMonthNames{L"January",   L"February", L"March",    L"April",
                                                     L"May",       L"June",     L"July",     L"August",
                                                     L"September", L"October",  L"November", L"December"};

// Windows' dates run from the first day of its file times to the end of 30827.
// Wine stretches the end to 14 September 30828 and takes 29 February of a
// common year for 1 March; neither is worth copying.
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;

bool IsValidTime(const LocalTime& time) {
  return time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59 && time.second >= 0 &&
         time.second <= 59 && time.milliseconds >= 0 && time.milliseconds <= 999;
}

std::chrono::year_month_day CalendarDate(const LocalTime& time) {
  return std::chrono::year_month_day{std::chrono::year{time.year},
                                     std::chrono::month{static_cast<unsigned>(time.month)},
                                     std::chrono::day{static_cast<unsigned>(time.day)}};
}

bool IsValidDate(const LocalTime& time) {
  return time.year >= kFirstYear && time.year <= kLastYear && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
         time.day <= 31 && CalendarDate(time).ok();
}

// The day of the week comes from the date, as on Windows, not from the field.
unsigned DayOfWeek(const LocalTime& time) {
  return std::chrono::weekday{std::chrono::sys_days{CalendarDate(time)}}.c_encoding();
}

WideString Number(int value, bool twoDigits) {
  WideString digits = std::to_wstring(value);
  if (twoDigits && digits.size() < 2) digits.insert(0, 1, L'0');
  return digits;
}

// From just after an opening quote: copies up to the closing quote and returns
// the position after it ('' stands for one quote; an open quote runs to the end).
size_t CopyQuoted(const WideString& picture, size_t position, WideString& text) {
  while (position < picture.size()) {
    if (picture[position] != L'\'') {
      text += picture[position++];
    } else if (position + 1 < picture.size() && picture[position + 1] == L'\'') {
      text += L'\'';
      position += 2;
    } else {
      return position + 1;
    }
  }
  return position;
}

WideString FormatPicture(const WideString& picture, const LocalTime& time, std::wstring_view letters,
                         RunFormatter formatRun) {
  WideString text;
  size_t position = 0;
  while (position < picture.size()) {
    const wchar_t character = picture[position];
    if (character == L'\'') {
      position = CopyQuoted(picture, position + 1, text);
    } else if (letters.find(character) == std::wstring_view::npos) {
      text += character;
      ++position;
    } else {
      const size_t end = std::min(picture.find_first_not_of(character, position), picture.size());
      text += formatRun(character, end - position, time);
      position = end;
    }
  }
  return text;
}

WideString TimeRun(wchar_t letter, size_t length, const LocalTime& time) {
  const bool twoDigits = length >= 2;
  switch (letter) {
    case L'h':
      return Number(time.hour % 12 == 0 ? 12 : time.hour % 12, twoDigits);
    case L'H':
      return Number(time.hour, twoDigits);
    case L'm':
      return Number(time.minute, twoDigits);
    case L's':
      return Number(time.second, twoDigits);
    default: {  // t: the marker's first letter, or all of it
      const WideString marker = time.hour < 12 ? L"AM" : L"PM";
      return twoDigits ? marker : marker.substr(0, 1);
    }
  }
}

// d and M: a number, with two digits, the abbreviated name (its first three
// letters in English), or the full name.
WideString NumberOrName(int number, const wchar_t* name, size_t length) {
  if (length >= 4) return name;
  if (length == 3) return WideString(name, 3);
  return Number(number, length == 2);
}

WideString DateRun(wchar_t letter, size_t length, const LocalTime& time) {
  switch (letter) {
    case L'd':
      return NumberOrName(time.day, kDayNames[DayOfWeek(time)], length);
    case L'M':
      return NumberOrName(time.month, kMonthNames[static_cast<size_t>(time.month - 1)], length);
    case L'y':
      // A single y keeps its leading zero, as Wine writes it.
      return length >= 3 ? std::to_wstring(time.year) : Number(time.year % 100, true);
    default:
      // g: the era once for the whole run. Wine repeats it for every g
      // (gg gives "ADAD"); Windows documents g and gg as the same picture.
      return L"AD";
  }
}

}  // namespace

WideString FormatTimePictureInEnglish(const WideString& picture, const LocalTime& time) {
  if (!IsValidTime(time)) return {};
  return FormatPicture(picture, time, kTimeLetters, &TimeRun);
}

WideString FormatDatePictureInEnglish(const WideString& picture, const LocalTime& time) {
  if (!IsValidDate(time)) return {};
  return FormatPicture(picture, time, kDateLetters, &DateRun);
}

}  // namespace launcher::platform
