#include "common/split_list.h"

namespace launcher {

WideStringList SplitList(const WideString& text, const WideString& separator) {
  WideStringList pieces;
  size_t position = 0;
  for (size_t found; (found = text.find(separator, position)) != WideString::npos;
       position = found + separator.size()) {
    pieces.push_back(text.substr(position, found - position));
  }
  if (position < text.size()) pieces.push_back(text.substr(position));
  return pieces;
}

}  // namespace launcher
