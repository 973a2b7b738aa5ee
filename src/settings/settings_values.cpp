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
