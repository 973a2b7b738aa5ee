#include "launcher/settings_values.h"

#include "launcher/launcher.h"
#include "launcher/text.h"

JvmTypeMode ParseJvmType(const WideString& value) {
  if (value == L"server") return JvmTypeMode::Server;
  if (value == L"favor_server") return JvmTypeMode::FavorServer;
  return JvmTypeMode::Default;
}

void ApplyJvmSource(const WideString& value, Launcher& launcher) {
  struct Row {
    const wchar_t* value;
    bool anySource, jdkWanted, jreWanted;
  };
  static constexpr Row kRows[] = {
      {L"favor_JRE", true, false, true},
      {L"favor_JDK", true, true, false},
      {L"only_JRE", false, false, true},
      {L"only_JDK", false, true, false},
  };
  if (value.empty()) {
    launcher.jdkWanted = launcher.jreWanted = true;
    return;
  }
  Row chosen{nullptr, false, false, false};
  for (const Row& row : kRows) {
    if (value == row.value) chosen = row;
  }
  launcher.anySource = chosen.anySource;
  launcher.jdkWanted = chosen.jdkWanted;
  launcher.jreWanted = chosen.jreWanted;
}

void ApplyVmProvider(const WideString& value, Launcher& launcher) {
  struct Row {
    const wchar_t* value;
    bool jrockitAccepted, sunAccepted, ibmAccepted, jrockitFavoured, sunFavoured, ibmFavoured;
  };
  static constexpr Row kRows[] = {
      {L"jrockit", true, false, false, true, false, false},
      {L"ibm", false, false, true, false, false, true},
      {L"favor_sun", true, true, true, false, true, false},
      {L"favor_jrockit", true, true, true, true, false, false},
      {L"favor_ibm", true, true, true, false, false, true},
      {L"any", true, true, true, false, false, false},
  };
  for (const Row& row : kRows) {
    if (!EqualsIgnoringCase(value, row.value)) continue;
    launcher.jrockitAccepted = row.jrockitAccepted;
    launcher.sunAccepted = row.sunAccepted;
    launcher.ibmAccepted = row.ibmAccepted;
    launcher.jrockitFavoured = row.jrockitFavoured;
    launcher.sunFavoured = row.sunFavoured;
    launcher.ibmFavoured = row.ibmFavoured;
    return;
  }
}
