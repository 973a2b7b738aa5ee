#include "jvm/jvm_thread.h"

#include "jvm/jvm_library.h"
#include "jvm/main_class.h"
#include "launcher/launcher.h"

uint32_t JvmThreadMain(void* parameter) {
  Launcher* launcher = static_cast<Launcher*>(parameter);
  if (launcher == nullptr || !CreateJvm(*launcher)) return 1;
  return InvokeMainClass(*launcher) ? 0 : 1;
}
