#include "settings/settings_values.h"

#include <algorithm>

#include "common/split_list.h"
#include "common/text.h"

namespace launcher::settings {

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

std::optional<uint64_t> ParseByteCount(const WideString& value) { return ParseDecimal(TrimWhiteSpace(value)); }

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
  const bool negative = trimmed.starts_with(L'-');
  const std::optional<uint64_t> magnitude = ParseDecimal(trimmed.substr(negative ? 1 : 0));
  const uint64_t largest = negative ? uint64_t{1} << 31 : INT32_MAX;
  if (!magnitude || *magnitude > largest) return std::nullopt;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude));
}

}  // namespace launcher::settings
