#include "settings/settings_values.h"

#include <algorithm>

#include "common/split_list.h"
#include "common/text.h"

JvmTypeMode ParseJvmType(const WideString& value) {
  if (value == L"server") return JvmTypeMode::Server;
  if (value == L"favor_server") return JvmTypeMode::FavorServer;
  return JvmTypeMode::Default;
}

SourcePolicy ParseSourcePolicy(const WideString& value) {
  struct Row {
    const wchar_t* value;
    SourcePolicy policy;
  };
  static constexpr Row kRows[] = {
      {L"", SourcePolicy::Either},
      {L"favor_JRE", SourcePolicy::FavorJre},
      {L"favor_JDK", SourcePolicy::FavorJdk},
      {L"only_JRE", SourcePolicy::OnlyJre},
      {L"only_JDK", SourcePolicy::OnlyJdk},
  };
  for (const Row& row : kRows) {
    if (value == row.value) return row.policy;
  }
  return SourcePolicy::Neither;
}

VendorPolicy ParseVendorPolicy(const WideString& value) {
  struct Row {
    const wchar_t* value;
    VendorPolicy policy;
  };
  static constexpr Row kRows[] = {
      {L"jrockit", VendorPolicy::JRockit},    {L"ibm", VendorPolicy::Ibm},
      {L"favor_sun", VendorPolicy::FavorSun}, {L"favor_jrockit", VendorPolicy::FavorJRockit},
      {L"favor_ibm", VendorPolicy::FavorIbm}, {L"any", VendorPolicy::Any},
  };
  for (const Row& row : kRows) {
    if (EqualsIgnoringCase(value, row.value)) return row.policy;
  }
  return VendorPolicy::SunOnly;
}

std::optional<std::string> ParseSha256Text(const WideString& value) {
  const WideString digits = TrimWhiteSpace(value);
  if (digits.size() != 64) return std::nullopt;
  std::string hex;
  for (wchar_t c : digits) {
    if (c >= L'A' && c <= L'F') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'))) return std::nullopt;
    hex += static_cast<char>(c);
  }
  return hex;
}

std::optional<uint64_t> ParseByteCount(const WideString& value) {
  const WideString digits = TrimWhiteSpace(value);
  if (digits.empty()) return std::nullopt;
  uint64_t count = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const uint64_t digit = static_cast<uint64_t>(c - L'0');
    if (count > (UINT64_MAX - digit) / 10) return std::nullopt;
    count = count * 10 + digit;
  }
  return count;
}

RuntimeOffer ParseRuntimeOffer(const WideString& value) {
  const WideString word = TrimWhiteSpace(value);
  if (EqualsIgnoringCase(word, L"auto")) return RuntimeOffer::Auto;
  if (EqualsIgnoringCase(word, L"off")) return RuntimeOffer::Off;
  return RuntimeOffer::Ask;
}

const char* AppUserModelIdFault(const WideString& id) {
  constexpr size_t kLongest = 128;
  if (id.size() > kLongest) return "longer than 128 characters";
  if (std::any_of(id.begin(), id.end(), [](wchar_t c) { return c <= L' ' || c == 0x7F; })) {
    return "holds a space or a control character";
  }
  const WideStringList pieces = SplitList(id, L".");
  if (pieces.size() < 2 || id.back() == L'.' ||
      std::any_of(pieces.begin(), pieces.end(), [](const WideString& piece) { return piece.empty(); })) {
    return "is not dot-separated names such as Company.Product";
  }
  return nullptr;
}

std::optional<int32_t> ParseExitCode(const WideString& text) {
  const WideString trimmed = TrimWhiteSpace(text);
  size_t digits = trimmed.starts_with(L'-') ? 1 : 0;
  if (trimmed.size() == digits || trimmed.size() > digits + 10) return std::nullopt;
  int64_t value = 0;
  for (size_t i = digits; i < trimmed.size(); ++i) {
    if (trimmed[i] < L'0' || trimmed[i] > L'9') return std::nullopt;
    value = value * 10 + (trimmed[i] - L'0');
  }
  if (digits == 1) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}
