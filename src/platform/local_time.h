#pragma once

#include "platform/wide_string.h"

namespace platform {

// The local wall-clock time, field for field as the Windows SYSTEMTIME holds it.
struct LocalTime {
  int year = 1601;
  int month = 1;      // 1 = January
  int dayOfWeek = 1;  // 0 = Sunday; the formatting functions work it out from the date instead
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

LocalTime CurrentLocalTime();

// Replaces the time picture letters (h, H, m, s, t) of the picture and copies
// everything else; quoted text loses its quotes. Windows formats in the user's
// locale, POSIX in English. Empty when the time is out of range.
WideString FormatTimePicture(const WideString& picture, const LocalTime& time);

// The same for the date picture letters (d, M, y, g).
WideString FormatDatePicture(const WideString& picture, const LocalTime& time);

}  // namespace platform
