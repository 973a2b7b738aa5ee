#pragma once

#include "platform/wide_string.h"

namespace launcher::platform {

// The local time, and how Windows' time and date functions write it: in the
// letters of their pictures (h, H, m, s, t and d, M, y, g). The pictures in
// English are portable, so that POSIX formats a file name as Windows does and
// the Windows tests can hold them to the system's own.

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

// Replaces the time picture letters of the picture and copies everything else;
// quoted text loses its quotes. Windows formats in the user's locale, POSIX in
// English. Empty when the time is out of range.
WideString FormatTimePicture(const WideString& picture, const LocalTime& time);

// The same for the date picture letters.
WideString FormatDatePicture(const WideString& picture, const LocalTime& time);

// The pictures in English, as pure functions, so that POSIX formats a file
// name exactly as Windows does. Each pass reads only its own letters and copies
// the other pass's letters, so the time pass followed by the date pass formats
// a picture that mixes both. A run of one letter longer than its longest
// picture acts as that picture (hhh as hh, ddddd as dddd); text between single
// quotes is copied without them, '' inside it giving one quote; a quote left
// open runs to the end. Empty when the fields the pass reads are out of the
// range Windows accepts.

// h hh (12-hour clock), H HH (24-hour), m mm, s ss, t tt (A/P, AM/PM).
WideString FormatTimePictureInEnglish(const WideString& picture, const LocalTime& time);

// d dd ddd dddd (day, abbreviated or full day name), M MM MMM MMMM, y yy
// (two-digit year), yyy and longer (full year), g (era).
WideString FormatDatePictureInEnglish(const WideString& picture, const LocalTime& time);

}  // namespace launcher::platform
