#include "launcher/entry_point.h"

#include "launcher/launcher.h"
#include "platform/code_page.h"
#include "platform/message_queue.h"

int32_t RunLauncher(Host& host) {
  Launcher launcher(host);
  platform::UseSystemLocaleForThread();
  platform::CreateThreadMessageQueue();
  int32_t result = launcher.Initialize() ? launcher.Run() : -1;
  launcher.Cleanup();
  return result;
}
