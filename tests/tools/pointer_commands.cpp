#include <cwchar>

#include "command_support.h"
#include "commands.h"
#include "icon_picture.h"
#include "listing.h"
#include "screen_picture.h"
#include "sent_input.h"

namespace ui_driver {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;
constexpr DWORD kSettleMs = 200;

std::wstring PointText(POINT point) { return std::to_wstring(point.x) + L"," + std::to_wstring(point.y); }

// The screen point of a client point of control N of the first matching dialog.
std::optional<POINT> ScreenPointOf(const Options& options, HWND& dialog, int& status) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) {
    status = NoDialog(options);
    return std::nullopt;
  }
  dialog = dialogs.front().handle;
  std::optional<Control> control = FindControl(dialog, *options.controlId);
  if (!control) {
    status = Fail(kActionFailed, L"the dialog has no control with id " + std::to_wstring(*options.controlId));
    return std::nullopt;
  }
  POINT point{*options.pressX, *options.pressY};
  ::ClientToScreen(control->handle, &point);
  return point;
}

void Synchronize(HWND window) {
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored);
}

// Which system icon the picture shows at its top left on its own background.
std::wstring IconShown(const Picture& shown) {
  const std::uint32_t background = shown.pixels.front();
  bool plain = true;
  for (std::uint32_t pixel : shown.pixels) plain = plain && pixel == background;
  if (plain) return L"none";
  for (const SystemIcon& icon : kSystemIcons) {
    std::optional<Picture> drawn = DrawnIcon(icon.id, shown.width, shown.height, background);
    if (drawn && drawn->pixels == shown.pixels) return icon.name;
  }
  return L"other";
}

}  // namespace

int Hover(const Options& options) {
  HWND dialog = nullptr;
  int status = kDone;
  std::optional<POINT> point = ScreenPointOf(options, dialog, status);
  if (!point) return status;
  MovePointer(*point);
  Synchronize(dialog);
  ::Sleep(kSettleMs);
  WriteOut(L"hover at=" + PointText(*point) + L"\n");
  return kDone;
}

int DragCommand(const Options& options) {
  HWND dialog = nullptr;
  int status = kDone;
  std::optional<POINT> from = ScreenPointOf(options, dialog, status);
  if (!from) return status;
  Drag(*from, {from->x + *options.deltaX, from->y + *options.deltaY});
  Synchronize(dialog);
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  WriteOut(DescribeDialog(dialogs.front(), ReadControls(dialogs.front().handle), Detail::Geometry));
  return kDone;
}

int Icon(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  std::optional<Control> control = FindControl(dialogs.front().handle, *options.controlId);
  if (!control) return Fail(kActionFailed, L"the dialog has no control with id " + std::to_wstring(*options.controlId));
  RECT rect{};
  ::GetWindowRect(control->handle, &rect);
  std::optional<Picture> shown = ReadScreen(rect);
  if (!shown) return Fail(kActionFailed, L"could not read the screen at " + RectText(rect));
  WriteOut(L"icon id=" + std::to_wstring(control->id) + L" shows=" + IconShown(*shown) + L"\n");
  return kDone;
}

}  // namespace ui_driver
