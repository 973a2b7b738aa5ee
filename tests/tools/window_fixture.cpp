// window_fixture: shows the kinds of windows that the end-to-end scenarios
// drive with ui_driver before the launcher has them, and reports on standard
// output what happens to them.
#include <cwchar>
#include <map>
#include <optional>
#include <string>

#include "fixture_dialog.h"
#include "fixture_output.h"
#include "fixture_picker.h"
#include "fixture_splash.h"

namespace window_fixture {
namespace {

const wchar_t* const kUsage =
    L"usage: window_fixture splash --class NAME (--colour RRGGBB --size W,H | --bmp FILE) [--at X,Y]\n"
    L"                             [--message-box TEXT]\n"
    L"       window_fixture dialog [--colour RRGGBB]   (the colour of static 205; default 008000)\n"
    L"       window_fixture picker\n";

constexpr COLORREF kDefaultColour = RGB(0x00, 0x80, 0x00);

std::optional<COLORREF> ParseColour(const std::wstring& text) {
  if (text.size() != 6) return std::nullopt;
  wchar_t* end = nullptr;
  unsigned long value = std::wcstoul(text.c_str(), &end, 16);
  if (*end != L'\0') return std::nullopt;
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::optional<POINT> ParsePair(const std::wstring& text) {
  wchar_t* end = nullptr;
  long first = std::wcstol(text.c_str(), &end, 10);
  if (*end != L',') return std::nullopt;
  long second = std::wcstol(end + 1, &end, 10);
  if (*end != L'\0') return std::nullopt;
  return POINT{first, second};
}

// The options after the mode, each with a value; nothing when one lacks its value.
std::optional<std::map<std::wstring, std::wstring>> ReadPairs(int argc, wchar_t** argv) {
  std::map<std::wstring, std::wstring> values;
  for (int i = 2; i < argc; i += 2) {
    if (i + 1 == argc) return std::nullopt;
    values[argv[i]] = argv[i + 1];
  }
  return values;
}

std::optional<SplashOptions> SplashOptionsFrom(std::map<std::wstring, std::wstring> values) {
  SplashOptions options;
  if (!values.contains(L"--class")) return std::nullopt;
  options.className = values.extract(L"--class").mapped();
  if (values.contains(L"--bmp")) options.bitmapPath = values.extract(L"--bmp").mapped();
  if (values.contains(L"--message-box")) options.messageBoxText = values.extract(L"--message-box").mapped();
  if (values.contains(L"--at")) {
    options.at = ParsePair(values.extract(L"--at").mapped());
    if (!options.at) return std::nullopt;
  }
  if (!options.bitmapPath) {
    std::optional<COLORREF> colour = ParseColour(values[L"--colour"]);
    std::optional<POINT> size = ParsePair(values[L"--size"]);
    if (!colour || !size) return std::nullopt;
    options.colour = *colour;
    options.size = {size->x, size->y};
    values.erase(L"--colour");
    values.erase(L"--size");
  }
  if (!values.empty()) return std::nullopt;
  return options;
}

int Usage() {
  Say(kUsage);
  return 2;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring mode = argv[1];
  std::optional<std::map<std::wstring, std::wstring>> values = ReadPairs(argc, argv);
  if (!values) return Usage();
  if (mode == L"picker" && values->empty()) return RunPicker();
  if (mode == L"splash") {
    std::optional<SplashOptions> options = SplashOptionsFrom(*values);
    return options ? RunSplash(*options) : Usage();
  }
  if (mode == L"dialog" && values->size() <= 1) {
    std::optional<COLORREF> colour = values->empty() ? kDefaultColour : ParseColour((*values)[L"--colour"]);
    return colour ? RunDialog(*colour) : Usage();
  }
  return Usage();
}

}  // namespace
}  // namespace window_fixture

int wmain(int argc, wchar_t** argv) { return window_fixture::Run(argc, argv); }
