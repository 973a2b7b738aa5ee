#include <algorithm>
#include <cwchar>
#include <functional>

#include "colour_histogram.h"
#include "command_support.h"
#include "commands.h"
#include "listing.h"
#include "ppm_file.h"
#include "screen_picture.h"

namespace ui_driver {
namespace {

constexpr size_t kHistogramLines = 16;

// Finds the screen rectangle that the options name (a rectangle, a top-level
// window of a class, or a control of the matching dialog) and hands it on.
int WithArea(const Options& options, const std::function<int(const RECT&)>& use) {
  if (options.area) return use(*options.area);
  RECT rect{};
  if (options.className) {
    std::vector<DialogWindow> windows = WaitForWindowsOfClass(options.filter, *options.className, options.timeoutMs);
    if (windows.empty()) return NoWindowOfClass(options);
    ::GetWindowRect(windows.front().handle, &rect);
    return use(rect);
  }
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  std::optional<Control> control = FindControl(dialogs.front().handle, *options.controlId);
  if (!control) return Fail(kActionFailed, L"the dialog has no control with id " + std::to_wstring(*options.controlId));
  ::GetWindowRect(control->handle, &rect);
  return use(rect);
}

std::wstring AreaLine(const RECT& rect, const Picture& picture) {
  return L"area rect=" + RectText(rect) + L" size=" + std::to_wstring(picture.width) + L"," +
         std::to_wstring(picture.height);
}

std::wstring ColourLine(const ColourCount& entry) {
  wchar_t colour[8];
  std::swprintf(colour, 8, L"%06X", static_cast<unsigned>(entry.colour));
  return std::wstring(L"colour=") + colour + L" count=" + std::to_wstring(entry.count) + L"\n";
}

int Unreadable(const RECT& rect) { return Fail(kActionFailed, L"could not read the screen at " + RectText(rect)); }

}  // namespace

int Capture(const Options& options) {
  return WithArea(options, [&](const RECT& rect) {
    std::optional<Picture> picture = ReadScreen(rect);
    if (!picture) return Unreadable(rect);
    if (!WritePpm(*options.outFile, *picture)) return Fail(kActionFailed, L"could not write " + *options.outFile);
    WriteOut(AreaLine(rect, *picture) + L"\n");
    return static_cast<int>(kDone);
  });
}

int Pixels(const Options& options) {
  return WithArea(options, [&](const RECT& rect) {
    std::optional<Picture> picture = ReadScreen(rect);
    if (!picture) return Unreadable(rect);
    std::vector<ColourCount> histogram = Histogram(*picture);
    std::wstring text = AreaLine(rect, *picture) + L" colours=" + std::to_wstring(histogram.size()) + L"\n";
    for (size_t i = 0; i < std::min(histogram.size(), kHistogramLines); ++i) text += ColourLine(histogram[i]);
    WriteOut(text);
    return static_cast<int>(kDone);
  });
}

}  // namespace ui_driver
