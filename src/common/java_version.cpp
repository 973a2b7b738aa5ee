#include "common/java_version.h"

namespace launcher {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Components are stored as signed 32-bit values; the overflow test lets a run up
// to 2147483649 through, so larger values are clamped to the largest component.
constexpr int64_t kOverflowTest = 214748364;
constexpr int64_t kLargestComponent = 2147483647;

}  // namespace

bool JavaVersion::Parse(const WideString& text, int32_t fill) {
  *this = JavaVersion();
  size_t position = 0;
  while (position < text.size() && !IsDigit(text[position])) ++position;
  if (position == text.size()) return false;
  int k = 0;
  for (;;) {
    int64_t value = 0;
    for (; position < text.size() && IsDigit(text[position]); ++position) {
      if (value > kOverflowTest) {
        *this = JavaVersion();
        return false;
      }
      value = value * 10 + (text[position] - L'0');
    }
    components[k] = static_cast<int32_t>(value > kLargestComponent ? kLargestComponent : value);
    while (position < text.size() && !IsDigit(text[position])) ++position;
    if (position == text.size()) {
      runCount = k + 1;
      break;
    }
    if (++k == 4) {
      runCount = 5;
      break;
    }
  }
  for (int i = runCount; i < 4; ++i) components[i] = fill;
  return true;
}

bool JavaVersion::SameNumbers(const JavaVersion& other) const { return Compare(*this, other) == 0; }

JavaVersion JavaVersion::Any(int32_t fill) {
  JavaVersion version;
  for (int32_t& component : version.components) component = fill;
  version.runCount = 4;
  return version;
}

int Compare(const JavaVersion& a, const JavaVersion& b) {
  for (int k = 0; k < 4; ++k) {
    if (a.components[k] != b.components[k]) return a.components[k] < b.components[k] ? -1 : 1;
  }
  return 0;
}

bool IsOpenBound(const JavaVersion& version) {
  return Compare(version, JavaVersion::Any(JavaVersion::kLowFill)) == 0 ||
         Compare(version, JavaVersion::Any(JavaVersion::kHighFill)) == 0;
}

bool MatchesPattern(const JavaVersion& candidate, const JavaVersion& pattern) {
  int significant = 4;
  while (significant > 0 && pattern.components[significant - 1] == 0) --significant;
  for (int k = 0; k < significant; ++k) {
    if (candidate.components[k] != pattern.components[k]) return false;
  }
  return true;
}

WideString Format(const JavaVersion& version) {
  int highest = 3;
  while (highest >= 0 && (version.components[highest] == JavaVersion::kLowFill ||
                          version.components[highest] == JavaVersion::kHighFill)) {
    --highest;
  }
  if (highest < 0) return L"0.0.0.0";
  int last = highest < 1 ? 1 : highest;
  WideString text;
  for (int k = 0; k <= last; ++k) {
    if (k > 0) text += L'.';
    text += std::to_wstring(version.components[k]);
  }
  return text;
}

JavaVersion ParseLowerBound(const WideString& text) {
  if (text == L"any") return JavaVersion::Any(JavaVersion::kLowFill);
  JavaVersion bound;
  bound.Parse(text, JavaVersion::kLowFill);
  return bound;
}

JavaVersion ParseUpperBound(const WideString& text) {
  if (text == L"any") return JavaVersion::Any(JavaVersion::kHighFill);
  JavaVersion bound;
  bound.Parse(text, JavaVersion::kHighFill);
  return bound;
}

}  // namespace launcher
