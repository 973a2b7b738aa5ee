#include "instance/instance_names.h"

#include <string>

#include "common/text.h"
#include "platform/unicode.h"

namespace {

// FNV-1a, 64 bits: stable across builds and systems, which a name must be.
uint64_t Fnv1a(const std::string& bytes) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001B3ull;
  }
  return hash;
}

WideString Hex(uint64_t value) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  WideString text(16, L'0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[i] = kDigits[value & 0xF];
  return text;
}

}  // namespace

WideString ObjectNameOf(const WideString& executablePath) { return ReplaceAll(executablePath, L'\\', L'_'); }

WideString ForwardingEventNameOf(const WideString& objectName) { return objectName + L"_upr_evt"; }

WideString HandOffMutexNameOf(const WideString& objectName) { return objectName + L"_upr_mtx"; }

WideString CopiedEventNameOf(const WideString& objectName) { return objectName + L"_upr_ack"; }

WideString PacketMappingNameOf(const WideString& objectName, uint32_t threadId) {
  return objectName + L"_upr_args_" + std::to_wstring(threadId);
}

WideString SocketBaseNameOf(const WideString& executablePath) {
  return L"launcher-" + Hex(Fnv1a(platform::ToUtf8(executablePath)));
}

WideString RuntimeFolderFor(const std::optional<WideString>& xdgRuntimeDir, uint32_t userId) {
  if (xdgRuntimeDir && !xdgRuntimeDir->empty() && (*xdgRuntimeDir)[0] == L'/') return *xdgRuntimeDir;
  return L"/tmp/launcher-" + std::to_wstring(userId);
}
