// ui_driver: reads and operates the windows of other processes for the
// end-to-end scenarios. See kUsage in driver_options.cpp for the commands.
#include "command_support.h"
#include "commands.h"
#include "driver_options.h"
#include "listing.h"

namespace ui_driver {
namespace {

int Run(const Options& options) {
  switch (options.command) {
    case Command::List:
      return List(options);
    case Command::Click:
      return Click(options);
    case Command::SetText:
      return SetText(options);
    case Command::Absent:
      return Absent(options);
    case Command::WorkArea:
      return WorkArea(options);
    case Command::Windows:
      return Windows(options);
    case Command::Capture:
      return Capture(options);
    case Command::Pixels:
      return Pixels(options);
    case Command::ClickAt:
      return ClickAt(options);
    case Command::Key:
      return Key(options);
    case Command::Close:
      return Close(options);
    case Command::Size:
      return Size(options);
    case Command::Show:
      return Show(options);
    case Command::Browse:
      return Browse(options);
    case Command::Hover:
      return Hover(options);
    case Command::Drag:
      return DragCommand(options);
    case Command::Icon:
      return Icon(options);
    case Command::Help:
      break;
  }
  WriteOut(kUsage);
  return kDone;
}

}  // namespace
}  // namespace ui_driver

int wmain(int argc, wchar_t** argv) {
  using namespace ui_driver;
  ParsedOptions parsed = ParseOptions(argc, argv);
  if (!parsed.options) {
    WriteError(L"ui_driver: " + parsed.error + L"\n" + kUsage);
    return kUsageError;
  }
  return Run(*parsed.options);
}
