#include "platform/http_client.h"

#include <gtest/gtest.h>

namespace launcher::platform {

namespace {

TEST(HttpClientTest, LocationsResolveAgainstTheAddressTheyCameFrom) {
  struct Case {
    const char* base;
    const char* location;
    std::optional<std::string> resolved;
  } cases[] = {
      {"https://a.org/x/y.zip", "https://b.org/z.zip", "https://b.org/z.zip"},
      {"https://a.org/x/y.zip", "//cdn.org/z.zip", "https://cdn.org/z.zip"},
      {"https://a.org:8443/x/y.zip?q=1", "/z.zip", "https://a.org:8443/z.zip"},
      {"https://a.org/x/y.zip?q=1", "z.zip", "https://a.org/x/z.zip"},
      {"https://a.org/x/y.zip", "../z.zip", "https://a.org/x/../z.zip"},
      {"https://a.org", "z.zip", "https://a.org/z.zip"},
      {"https://a.org/x/y.zip", "?mirror=2", "https://a.org/x/y.zip?mirror=2"},
      {"https://a.org/x/y.zip", "  ", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ResolveLocation(c.base, c.location), c.resolved) << c.base << " + " << c.location;
  }
  EXPECT_EQ(platform::SchemeOf("HTTPS://a.org/"), "https");
  EXPECT_EQ(platform::SchemeOf("C:\\x.zip"), "c");
  EXPECT_EQ(platform::SchemeOf("/x.zip"), "");
  EXPECT_EQ(platform::HostOf("https://user:pw@a.org:8443/x"), "a.org:8443");
}

TEST(HttpClientTest, ContentRanges) {
  struct Case {
    const char* value;
    std::optional<uint64_t> start;
    std::optional<uint64_t> total;
  } cases[] = {
      {"bytes 100-199/200", 100, 200},
      {"Bytes 0-0/1", 0, 1},
      {"bytes 5-9/*", 5, std::nullopt},
      {"bytes 100-199/150", std::nullopt, std::nullopt},  // ends beyond the total
      {"bytes 9-5/20", std::nullopt, std::nullopt},
      {"bytes */200", std::nullopt, std::nullopt},
      {"items 1-2/3", std::nullopt, std::nullopt},
      {"bytes 1-2/x", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    std::optional<platform::ContentRange> range = platform::ParseContentRange(c.value);
    ASSERT_EQ(range.has_value(), c.start.has_value()) << c.value;
    if (!range) continue;
    EXPECT_EQ(range->start, *c.start);
    EXPECT_EQ(range->total, c.total) << c.value;
  }
}

}  // namespace

}  // namespace launcher::platform
