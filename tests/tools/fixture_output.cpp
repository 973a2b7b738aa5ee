#include "fixture_output.h"

#include <cwchar>

namespace window_fixture {

void Say(const std::wstring& line) {
  std::wstring text = line + L"\n";
  int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  DWORD written = 0;
  // Unbuffered: each line is in the file as soon as it is said.
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring Hex(DWORD value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(value));
  return text;
}

std::wstring HandleText(HWND window) { return Hex(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window))); }

std::wstring RectText(const RECT& rect) {
  return PairText(rect.left, rect.top) + L"," + PairText(rect.right, rect.bottom);
}

std::wstring PairText(long first, long second) { return std::to_wstring(first) + L"," + std::to_wstring(second); }

}  // namespace window_fixture
