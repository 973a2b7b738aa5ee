#pragma once

#include <optional>
#include <string>

#include "platform/windows_api.h"

namespace ui_driver {

enum class Command {
  Help,
  List,
  Click,
  SetText,
  Absent,
  WorkArea,
  Windows,
  Capture,
  Pixels,
  ClickAt,
  Key,
  Close,
  Size,
  Show,
  Browse,
  Hover,
  Drag,
  Icon
};

// How a button is pressed: as a user would (BM_CLICK to the button) or by the
// notification its dialog would receive (WM_COMMAND to the dialog).
enum class PressMethod { ButtonClick, DialogCommand };

// The keys that "key" can type.
enum class KeyName { Return, Escape, Space, Tab };

// What "show" asks of a window, as its system menu would.
enum class ShowState { Maximize, Restore, Minimize };

// Which top-level dialogs a command looks at; an empty field matches any.
struct DialogFilter {
  std::optional<DWORD> processId;
  std::optional<std::wstring> process;  // image file name, or full path when it holds a '\'
  std::optional<std::wstring> caption;  // the whole caption, case-sensitive
};

struct Options {
  Command command = Command::Help;
  DialogFilter filter;
  DWORD timeoutMs = 5000;
  std::optional<int> controlId;
  std::optional<std::wstring> text;
  PressMethod press = PressMethod::ButtonClick;
  bool keepOpen = false;
  std::optional<std::wstring> untilFile;
  bool geometry = false;                  // list: add each window's placement and styles
  std::optional<std::wstring> className;  // a top-level window class, matched exactly
  bool absent = false;                    // windows: succeed when none shows
  std::optional<RECT> area;               // screen coordinates
  std::optional<std::wstring> outFile;
  std::optional<int> pressX;  // click-at: client coordinates of the control
  std::optional<int> pressY;
  std::optional<int> releaseX;
  std::optional<int> releaseY;
  std::optional<int> deltaX;  // drag: how far the pointer moves
  std::optional<int> deltaY;
  std::optional<KeyName> key;
  std::optional<int> width;
  std::optional<int> height;
  std::optional<ShowState> showState;
  std::optional<std::wstring> path;
  bool cancel = false;
};

// Either options, or the reason the command line is wrong.
struct ParsedOptions {
  std::optional<Options> options;
  std::wstring error;
};

ParsedOptions ParseOptions(int argc, wchar_t** argv);

extern const wchar_t* const kUsage;

}  // namespace ui_driver
