#include "platform/local_time.h"
#include "platform/windows_api.h"

namespace launcher::platform {

namespace {

using PictureFormatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int);

SYSTEMTIME ToSystemTime(const LocalTime& time) {
  SYSTEMTIME systemTime{};
  systemTime.wYear = static_cast<WORD>(time.year);
  systemTime.wMonth = static_cast<WORD>(time.month);
  systemTime.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
  systemTime.wDay = static_cast<WORD>(time.day);
  systemTime.wHour = static_cast<WORD>(time.hour);
  systemTime.wMinute = static_cast<WORD>(time.minute);
  systemTime.wSecond = static_cast<WORD>(time.second);
  systemTime.wMilliseconds = static_cast<WORD>(time.milliseconds);
  return systemTime;
}

// Asks for the length first, so that a long picture is never cut short.
WideString FormatWith(PictureFormatter format, const WideString& picture, const LocalTime& time) {
  const SYSTEMTIME systemTime = ToSystemTime(time);
  const int length = format(LOCALE_USER_DEFAULT, 0, &systemTime, picture.c_str(), nullptr, 0);
  if (length <= 0) return {};
  WideString text(static_cast<size_t>(length), L'\0');
  const int written = format(LOCALE_USER_DEFAULT, 0, &systemTime, picture.c_str(), text.data(), length);
  if (written <= 0) return {};
  text.resize(static_cast<size_t>(written) - 1);  // without the terminating zero
  return text;
}

}  // namespace

LocalTime CurrentLocalTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return LocalTime{now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
                   now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
}

WideString FormatTimePicture(const WideString& picture, const LocalTime& time) {
  return FormatWith(&::GetTimeFormatW, picture, time);
}

WideString FormatDatePicture(const WideString& picture, const LocalTime& time) {
  return FormatWith(&::GetDateFormatW, picture, time);
}

}  // namespace launcher::platform
