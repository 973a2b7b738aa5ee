#include "colour_histogram.h"

#include <algorithm>
#include <map>

namespace ui_driver {

std::vector<ColourCount> Histogram(const Picture& picture) {
  std::map<std::uint32_t, size_t> counts;
  for (std::uint32_t pixel : picture.pixels) ++counts[pixel];
  std::vector<ColourCount> histogram;
  for (const auto& [colour, count] : counts) histogram.push_back({colour, count});
  std::stable_sort(histogram.begin(), histogram.end(),
                   [](const ColourCount& a, const ColourCount& b) { return a.count > b.count; });
  return histogram;
}

}  // namespace ui_driver
