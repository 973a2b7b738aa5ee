#include "jvm/memory_options.h"

#include <gtest/gtest.h>

namespace launcher::jvm {

namespace {

constexpr uint64_t kEightGigabytes = 8589934592ull;
const platform::MemoryFigures kMachine{kEightGigabytes, 3ull << 30};  // 8 GB physical, 3 GB address space left
platform::MemoryFigures Machine() { return kMachine; }

struct RewriteCase {
  const wchar_t* token;
  const wchar_t* expected;
};

class AddVmParameterTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(AddVmParameterTest, BecomesTheOption) {
  WideStringList options;
  uint64_t stack = 0;
  AddVmParameter(GetParam().token, options, stack, &Machine);
  EXPECT_EQ(options, WideStringList{GetParam().expected}) << GetParam().token;
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, AddVmParameterTest,
    testing::Values(RewriteCase{L"-Xmx50P", L"-Xmx4194304K"},
                    RewriteCase{L"-Xmx50:0:1024P", L"-Xmx1048576K"},  // the maximum applies
                    RewriteCase{L"-Xms1:512P", L"-Xms524288K"},       // the minimum lifts 83886 K
                    RewriteCase{L"-Xmx1:512:256p", L"-Xmx524288K"},   // the minimum wins over the maximum
                    RewriteCase{L"-Xmx150P", L"-Xmx12582912K"},       // not limited to 100
                    RewriteCase{L"-Xmx10T", L"-Xmx314572K"},          // share of the address space left
                    RewriteCase{L"-Xss25:1t", L"-Xss786432K"},
                    RewriteCase{L"-XmxP", L"-XmxP0K"},  // no number: all of it is the prefix
                    RewriteCase{L"-Xmx512m", L"-Xmx512m"}, RewriteCase{L"-Xmx512M", L"-Xmx512M"},
                    RewriteCase{L"-XMX50P", L"-XMX50P"},  // the prefix is compared with case
                    RewriteCase{L"-Xmn50P", L"-Xmn50P"}, RewriteCase{L"\"-Dname=a b\"", L"-Dname=a b"},
                    RewriteCase{L"-Dname=\"a b\"", L"-Dname=a b"},
                    RewriteCase{L"-Dx=\"a\"\"b\"", L"-Dx=a\"b\""},   // of a doubled quote the first stays
                    RewriteCase{L"-Dx=\"open", L"-Dx=\"open"},       // an unmatched quote stays
                    RewriteCase{L"\"-Xmx50P\"", L"-Xmx4194304K"}));  // quotes go before the rewrite

TEST(MemoryOptionsTest, LargeSharesAreWrittenWhole) {
  WideString token = L"-Xmx100T";
  RewriteMemoryOption(token, {0, 1ull << 45});  // 32 TB of address space: 2^35 K
  EXPECT_EQ(token, L"-Xmx34359738368K");
}

TEST(MemoryOptionsTest, XssSetsTheThreadStackSize) {
  struct Case {
    const wchar_t* token;
    uint64_t stack;
  } cases[] = {
      {L"-Xss512k", 524288}, {L"-Xss2m", 2097152}, {L"-Xss1G", 1073741824}, {L"-Xss65536", 65536},
      {L"-Xss=1m", 0},       {L"-Xss", 0},         {L"-Xss1:2m", 0},        {L"-Xss1x5m", 15728640},
  };
  for (const Case& c : cases) {
    WideStringList options;
    uint64_t stack = 12345;
    AddVmParameter(c.token, options, stack, &Machine);
    EXPECT_EQ(stack, c.stack) << c.token;
    EXPECT_EQ(options, WideStringList{c.token}) << "the -Xss option still reaches the JVM";
  }
  // The last -Xss wins, also with 0.
  WideStringList options;
  uint64_t stack = 0;
  AddVmParameter(L"-Xss1m", options, stack, &Machine);
  AddVmParameter(L"-Xss=bad", options, stack, &Machine);
  EXPECT_EQ(stack, 0u);
  // A share rewritten into K sets the stack size in bytes.
  AddVmParameter(L"-Xss1:2P", options, stack, &Machine);
  EXPECT_EQ(options.back(), L"-Xss83886K");
  EXPECT_EQ(stack, 83886u * 1024);
}

// Figures whose size in bytes does not fit in 64 bits reach the JVM as written
// (it refuses them with its own reason); an -Xss of that kind leaves the
// thread at the runtime's default stack (0).
struct RangeCase {
  const wchar_t* token;
  const wchar_t* option;  // what the JVM receives
  uint64_t stack;         // the thread's stack size after the token (12345: untouched)
};

class MemoryRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(MemoryRangeTest, OutOfRangeFiguresPassUnchanged) {
  WideStringList options;
  uint64_t stack = 12345;
  AddVmParameter(GetParam().token, options, stack, &Machine);
  EXPECT_EQ(options, WideStringList{GetParam().option}) << GetParam().token;
  EXPECT_EQ(stack, GetParam().stack) << GetParam().token;
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, MemoryRangeTest,
    testing::Values(
        // 8 GB is 2^23 K: a share of 2^31 times it is 2^54 K, one more than fits.
        RangeCase{L"-Xmx214748364800P", L"-Xmx214748364800P", 12345},
        RangeCase{L"-Xmx214748364700P", L"-Xmx18014398501093376K", 12345},
        RangeCase{L"-Xmx1000000000000000P", L"-Xmx1000000000000000P", 12345},
        RangeCase{L"-Xmx18446744073709551616P", L"-Xmx18446744073709551616P", 12345},  // 2^64: no number
        RangeCase{L"-Xms1:17592186044416P", L"-Xms1:17592186044416P", 12345},          // a minimum of 2^44 MB
        RangeCase{L"-Xms1:17592186044415P", L"-Xms18014398509480960K", 12345},         // 2^44 - 1 MB fits
        RangeCase{L"-Xmx1:0:99999999999999999999999T", L"-Xmx1:0:99999999999999999999999T", 12345},
        RangeCase{L"-Xss1000000000000000P", L"-Xss1000000000000000P", 0},
        RangeCase{L"-Xss20000000000g", L"-Xss20000000000g", 0},
        RangeCase{L"-Xss17179869184g", L"-Xss17179869184g", 0},  // 2^64 bytes
        RangeCase{L"-Xss17179869183g", L"-Xss17179869183g", 18446744072635809792ull},
        RangeCase{L"-Xss18446744073709551615", L"-Xss18446744073709551615", 18446744073709551615ull},
        RangeCase{L"-Xss18446744073709551616", L"-Xss18446744073709551616", 0},
        RangeCase{L"-Xss99999999999999999999999999k", L"-Xss99999999999999999999999999k", 0}));

TEST(MemoryOptionsTest, NumberListStopsBeforeTheUnit) {
  NumberList list = ParseNumberList(L"-Xmx25:256:1024P");
  EXPECT_EQ(list.start, 4u);
  EXPECT_EQ(list.numbers, (std::vector<uint64_t>{25, 256, 1024}));
  list = ParseNumberList(L"-Xmx:5P");
  EXPECT_EQ(list.numbers, (std::vector<uint64_t>{0, 5}));
  list = ParseNumberList(L"-XmxP");
  EXPECT_TRUE(list.numbers.empty());
  EXPECT_EQ(list.start, 5u);
  EXPECT_FALSE(list.overflow);
  list = ParseNumberList(L"-Xmx18446744073709551615:18446744073709551616P");
  EXPECT_EQ(list.numbers, (std::vector<uint64_t>{18446744073709551615ull, 18446744073709551615ull}));
  EXPECT_TRUE(list.overflow);
}

}  // namespace

}  // namespace launcher::jvm
