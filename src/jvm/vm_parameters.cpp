#include "jvm/vm_parameters.h"

namespace launcher::jvm {

WideStringList SplitVmParameters(const WideString& value) {
  WideStringList tokens;
  const size_t n = value.size();
  // A layered value may start with the blank that joined its layers.
  size_t position = value.find_first_not_of(L' ');
  while (position < n) {
    size_t blank = value.find(L' ', position);
    size_t quote = value.find(L'"', position);
    while (blank != WideString::npos && quote != WideString::npos && quote < blank) {
      size_t close = value.find(L'"', quote + 1);
      if (close == WideString::npos) break;
      if (close + 1 < n && value[close + 1] == L'"') ++close;
      quote = value.find(L'"', close + 1);
      blank = value.find(L' ', close + 1);
    }
    const size_t end = blank == WideString::npos ? n : blank;
    tokens.push_back(value.substr(position, end - position));
    position = value.find_first_not_of(L' ', end);
    if (position == WideString::npos) break;
  }
  return tokens;
}

}  // namespace launcher::jvm
