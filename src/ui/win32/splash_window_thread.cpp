#include "ui/splash_window_thread.h"

#include <atomic>

#include "platform/windows_api.h"
#include "ui/win32/ole_functions.h"
#include "ui/win32/splash_window.h"

namespace launcher::ui::win32 {
namespace {

// How long a close waits for the thread before it posts again.
constexpr DWORD kCloseWaitMs = 10;
// How long the window may take to appear before a message box goes ahead
// without it as owner.
constexpr DWORD kWindowWaitMs = 3000;

class Win32SplashWindowThread final : public SplashWindowThread {
 public:
  Win32SplashWindowThread(const WideString& picture, bool shadow) : picture_(picture), shadow_(shadow) {}

  ~Win32SplashWindowThread() override { Close(); }

  bool Begin() {
    if (!made_) return false;
    DWORD id = 0;
    thread_.Reset(::CreateThread(nullptr, 0, &Routine, this, 0, &id));
    threadId_ = id;
    return static_cast<bool>(thread_);
  }

  // A window still in the making is waited for: a message box shown before it
  // would end up behind it.
  WindowHandle Window() const override {
    ::WaitForSingleObject(made_.Get(), kWindowWaitMs);
    return window_.load();
  }

 private:
  static DWORD WINAPI Routine(void* self) {
    static_cast<Win32SplashWindowThread*>(self)->Run();
    return 0;
  }

  void Run() {
    // COM serves the picture decoders; it ends with the thread, after them.
    const OleFunctions* ole = LoadOleFunctions();
    std::optional<ComApartment> com;
    if (ole != nullptr) com.emplace(*ole);
    platform::win32::Window window(splash_.Create(picture_, shadow_));
    window_.store(window.Get());
    ::SetEvent(made_.Get());
    if (window) {
      ::ShowWindow(window.Get(), SW_SHOWNORMAL);
      ::UpdateWindow(window.Get());
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    // Nobody may take the window as an owner once it is going.
    window_.store(nullptr);
  }

  // The thread has no message queue until it first calls the window manager,
  // and a message posted before then is lost: post, wait a little, repeat.
  void Close() {
    if (!thread_) return;
    do {
      ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    } while (::WaitForSingleObject(thread_.Get(), kCloseWaitMs) == WAIT_TIMEOUT);
    thread_.Reset();
  }

  const WideString picture_;
  const bool shadow_;
  SplashWindow splash_;
  std::atomic<HWND> window_{nullptr};
  // Set once the thread has made its window, or failed to.
  platform::win32::KernelHandle made_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  platform::win32::KernelHandle thread_;
  DWORD threadId_ = 0;
};

}  // namespace
}  // namespace launcher::ui::win32

namespace launcher::ui {

bool SplashWindowThread::Available() { return true; }

std::unique_ptr<SplashWindowThread> SplashWindowThread::Start(const WideString& picture, bool shadow) {
  auto thread = std::make_unique<win32::Win32SplashWindowThread>(picture, shadow);
  if (!thread->Begin()) return nullptr;
  return thread;
}

}  // namespace launcher::ui
