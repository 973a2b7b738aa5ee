// Time and date pictures, and the file-name pattern between "%" signs, on any
// picture and any time fields. An input that starts with byte 1 carries its
// own time in the next ten bytes; every input is also formatted at a few fixed
// times, among them the first and last days Windows formats.
#include <chrono>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "jvm/output_redirection.h"
#include "platform/local_time.h"

using namespace launcher;

namespace {

using platform::LocalTime;

const LocalTime kFixedTimes[] = {
    {2026, 12, 1, 7, 15, 1, 50, 123}, {1601, 1, 1, 1, 0, 0, 0, 0},     {30827, 12, 4, 31, 23, 59, 59, 999},
    {2024, 2, 4, 29, 12, 0, 0, 5},    {2023, 2, 3, 29, 11, 59, 59, 0}, {2026, 13, 0, 1, 24, 60, 60, 1000},
};

// The time pass reads h H m s t, the date pass d M y g; a picture without them
// and without quotes comes out as it went in.
bool HasNone(const WideString& picture, const wchar_t* letters) {
  return picture.find_first_of(WideString(letters) + L"'") == WideString::npos;
}

void CheckPass(const WideString& picture, const WideString& text, bool valid, const wchar_t* letters) {
  if (!valid) {
    fuzz::Check(text.empty(), "an out-of-range time formats to nothing", picture);
    return;
  }
  // The longest output of a picture letter is a day or month name: 9 letters for 4.
  fuzz::Check(text.size() <= 3 * picture.size(), "formatting grows a picture at most threefold", picture);
  if (HasNone(picture, letters)) fuzz::Check(text == picture, "other characters are copied", picture);
}

bool IsValidTime(const LocalTime& t) {
  return t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59 &&
         t.milliseconds >= 0 && t.milliseconds <= 999;
}

// Windows formats dates from 1601 to the end of 30827.
bool IsValidDate(const LocalTime& t) {
  if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return false;
  return std::chrono::year_month_day{std::chrono::year{t.year}, std::chrono::month{static_cast<unsigned>(t.month)},
                                     std::chrono::day{static_cast<unsigned>(t.day)}}
      .ok();
}

void CheckAt(const WideString& picture, const LocalTime& time) {
  CheckPass(picture, platform::FormatTimePictureInEnglish(picture, time), IsValidTime(time), L"hHmst");
  CheckPass(picture, platform::FormatDatePictureInEnglish(picture, time), IsValidDate(time), L"dMyg");

  // Quoted text without quotes inside is copied by either pass.
  if (picture.find(L'\'') == WideString::npos && IsValidTime(time)) {
    fuzz::Check(platform::FormatTimePictureInEnglish(L"'" + picture + L"'", time) == picture, "quoted text is copied",
                picture);
  }

  // A file name keeps what lies outside its first and last "%".
  WideString fileName = L"log_" + picture + L".txt";
  const size_t first = fileName.find(L'%'), last = fileName.rfind(L'%');
  jvm::ExpandTimePlaceholders(fileName, time);
  if (first == WideString::npos) {
    fuzz::Check(fileName == L"log_" + picture + L".txt", "a name without % stays", fileName);
  } else {
    const WideString original = L"log_" + picture + L".txt";
    fuzz::Check(fuzz::StartsWith(fileName, original.substr(0, first)), "the name keeps its start", fileName);
    fuzz::Check(fuzz::EndsWith(fileName, original.substr(last + 1)), "the name keeps its end", fileName);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<LocalTime> times(std::begin(kFixedTimes), std::end(kFixedTimes));
  if (size >= 11 && data[0] == 1) {
    auto field = [data](size_t at) { return static_cast<int>(static_cast<int8_t>(data[at])); };
    times.push_back({(data[1] | data[2] << 8) - 1000, field(3), field(4), field(5), field(6), field(7), field(8),
                     (data[9] | data[10] << 8) - 1000});
    data += 11;
    size -= 11;
  }
  const WideString picture = fuzz::Text(data, size);
  for (const LocalTime& time : times) CheckAt(picture, time);
  return 0;
}
