#include "instance/instance_names.h"

#include <string>

#include "common/fnv_hash.h"
#include "common/text.h"
#include "platform/text.h"

namespace launcher::instance {

WideString ObjectNameOf(const WideString& executablePath) { return ReplaceAll(executablePath, L'\\', L'_'); }

WideString ForwardingEventNameOf(const WideString& objectName) { return objectName + L"_upr_evt"; }

WideString HandOffMutexNameOf(const WideString& objectName) { return objectName + L"_upr_mtx"; }

WideString CopiedEventNameOf(const WideString& objectName) { return objectName + L"_upr_ack"; }

WideString PacketMappingNameOf(const WideString& objectName, uint32_t threadId) {
  return objectName + L"_upr_args_" + std::to_wstring(threadId);
}

WideString SocketBaseNameOf(const WideString& executablePath) {
  return L"launcher-" + platform::FromUtf8(HexDigits(Fnv1a64().Mix(platform::ToUtf8(executablePath)).Value()));
}

WideString RuntimeFolderFor(const std::optional<WideString>& xdgRuntimeFolder, uint32_t userId) {
  if (xdgRuntimeFolder && !xdgRuntimeFolder->empty() && (*xdgRuntimeFolder)[0] == L'/') return *xdgRuntimeFolder;
  return L"/tmp/launcher-" + std::to_wstring(userId);
}

}  // namespace launcher::instance
