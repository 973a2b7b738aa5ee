#include <algorithm>
#include <ctime>

#include "platform/local_time.h"

namespace launcher::platform {

LocalTime CurrentLocalTime() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  tm fields{};
  ::localtime_r(&now.tv_sec, &fields);
  LocalTime time;
  time.year = fields.tm_year + 1900;
  time.month = fields.tm_mon + 1;
  time.dayOfWeek = fields.tm_wday;
  time.day = fields.tm_mday;
  time.hour = fields.tm_hour;
  time.minute = fields.tm_min;
  // A leap second reads as 60; Windows never shows one, and the formatting would refuse it.
  time.second = std::min(fields.tm_sec, 59);
  time.milliseconds = static_cast<int>(now.tv_nsec / 1'000'000);
  return time;
}

WideString FormatTimePicture(const WideString& picture, const LocalTime& time) {
  return FormatTimePictureInEnglish(picture, time);
}

WideString FormatDatePicture(const WideString& picture, const LocalTime& time) {
  return FormatDatePictureInEnglish(picture, time);
}

}  // namespace launcher::platform
