#include "sent_input.h"

namespace ui_driver {
namespace {

constexpr int kDragSteps = 10;
constexpr DWORD kStepPauseMs = 20;

// Absolute coordinates run from 0 to 65535 across the primary screen.
INPUT MouseInput(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + 65535) / ::GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + 65535) / ::GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  return input;
}

void Send(POINT screen, DWORD flags) {
  INPUT input = MouseInput(screen, flags);
  ::SendInput(1, &input, sizeof input);
  ::Sleep(kStepPauseMs);
}

}  // namespace

void MovePointer(POINT screen) { Send(screen, 0); }

void Drag(POINT from, POINT to) {
  Send(from, 0);
  Send(from, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= kDragSteps; ++step) {
    Send({from.x + (to.x - from.x) * step / kDragSteps, from.y + (to.y - from.y) * step / kDragSteps}, 0);
  }
  Send(to, MOUSEEVENTF_LEFTUP);
}

}  // namespace ui_driver
