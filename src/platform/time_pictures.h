#pragma once

#include "platform/local_time.h"
#include "platform/wide_string.h"

namespace platform {

// The picture formatting of Windows' time and date functions, in English, as
// pure functions so that POSIX formats a file name exactly as Windows does.
// Each pass reads only its own letters and copies the other pass's letters, so
// the time pass followed by the date pass formats a picture that mixes both.
// A run of one letter longer than its longest picture acts as that picture
// (hhh as hh, ddddd as dddd); text between single quotes is copied without
// them, '' inside it giving one quote; a quote left open runs to the end.
// Empty when the fields the pass reads are out of the range Windows accepts.

// h hh (12-hour clock), H HH (24-hour), m mm, s ss, t tt (A/P, AM/PM).
WideString FormatTimePictureInEnglish(const WideString& picture, const LocalTime& time);

// d dd ddd dddd (day, abbreviated or full day name), M MM MMM MMMM, y yy
// (two-digit year), yyy and longer (full year), g (era).
WideString FormatDatePictureInEnglish(const WideString& picture, const LocalTime& time);

}  // namespace platform
