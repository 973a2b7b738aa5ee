// Version texts and patterns: up to three lines of the input parsed with
// either fill. Parsing is total and bounded, Format re-parses to the same
// numbers, Compare is an order, and a version matches itself as a pattern.
#include <cstdint>
#include <vector>

#include "common/java_version.h"
#include "common/split_list.h"
#include "fuzz_check.h"

using namespace launcher;

namespace {

void CheckParsed(const WideString& text, const JavaVersion& version, bool parsed, int32_t fill) {
  const bool hasDigit = text.find_first_of(L"0123456789") != WideString::npos;
  fuzz::Check(parsed || !hasDigit || version.runCount == 0, "a refused text leaves no version", text);
  if (!parsed) return;
  fuzz::Check(version.runCount >= 1 && version.runCount <= 5, "a parsed version has 1 to 5 runs", text);
  for (int k = 0; k < 4; ++k) {
    fuzz::Check(version.components[k] >= 0, "components are not negative", text);
    if (k >= version.runCount) fuzz::Check(version.components[k] == fill, "missing components are the fill", text);
  }
}

// Format drops trailing components that are 0 or 65535 and keeps at least two.
void CheckFormat(const JavaVersion& version) {
  const WideString text = Format(version);
  JavaVersion again;
  fuzz::Check(again.Parse(text, JavaVersion::kLowFill), "Format gives a version text", text);
  const bool open = text == L"0.0.0.0";
  for (int k = 0; k < 4; ++k) {
    const int32_t c = version.components[k];
    if (k < again.runCount && !open) {
      fuzz::Check(again.components[k] == c, "Format keeps the numbers it writes", text);
    } else {
      fuzz::Check(c == JavaVersion::kLowFill || c == JavaVersion::kHighFill, "Format drops only fill numbers", text);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WideStringList texts = SplitList(fuzz::Text(data, size), L"\n");
  if (texts.size() > 3) texts.resize(3);
  std::vector<JavaVersion> versions;
  for (const WideString& text : texts) {
    for (int32_t fill : {JavaVersion::kLowFill, JavaVersion::kHighFill}) {
      JavaVersion version;
      const bool parsed = version.Parse(text, fill);
      CheckParsed(text, version, parsed, fill);
      CheckFormat(version);
      fuzz::Check(MatchesPattern(version, version), "a version matches itself as a pattern", text);
      fuzz::Check(MatchesPattern(version, JavaVersion::Any(JavaVersion::kLowFill)), "no digits match all", text);
      versions.push_back(version);
    }
    const JavaVersion lower = ParseLowerBound(text), upper = ParseUpperBound(text);
    fuzz::Check(Compare(lower, upper) <= 0 || text != L"any", "any opens both sides", text);
    versions.push_back(lower);
    versions.push_back(upper);
  }
  for (const JavaVersion& a : versions) {
    fuzz::Check(Compare(a, a) == 0 && a.SameNumbers(a), "a version equals itself");
    for (const JavaVersion& b : versions) {
      fuzz::Check(Compare(a, b) == -Compare(b, a), "Compare is antisymmetric", Format(a) + L" " + Format(b));
      if (MatchesPattern(a, b) && Compare(a, b) != 0) {
        // A pattern matches versions that only differ after its last non-zero number.
        int significant = 4;
        while (significant > 0 && b.components[significant - 1] == 0) --significant;
        fuzz::Check(significant < 4, "only a shortened pattern matches other versions", Format(b));
      }
      for (const JavaVersion& c : versions) {
        if (Compare(a, b) <= 0 && Compare(b, c) <= 0) fuzz::Check(Compare(a, c) <= 0, "Compare is transitive");
      }
    }
  }
  return 0;
}
