#include "jvm/exception_dialog.h"

#include "jvm/exception_text.h"
#include "launcher/launcher.h"
#include "launcher/user_interface.h"

bool ShowExceptionDialog(Launcher& launcher, jthrowable throwable, JNIEnv* env) {
  WideString description = DescribeException(throwable, env);
  if (description.empty()) return false;
  return launcher.host.ui.ShowException(description) != kDialogOk;
}
