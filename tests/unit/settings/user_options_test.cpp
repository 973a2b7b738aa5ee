#include "settings/user_options.h"

#include <gtest/gtest.h>

#include "settings/settings_values.h"

namespace launcher::settings {

namespace {

std::vector<std::wstring> Dropped(const UserOptions& options) {
  std::vector<std::wstring> dropped;
  for (const DroppedUserOption& option : options.dropped) dropped.push_back(option.option);
  return dropped;
}

TEST(UserOptionsTest, LinesCommentsAndTheMemoryFilter) {
  const std::string file =
      "\xEF\xBB\xBF# raised for large projects\r\n"
      "  -Xmx4g  \r\n\r\n\t\n-Xms512m\n-Xss2m\n-XX:MaxRAMPercentage=75\n-XX:InitialRAMPercentage=10\n"
      "-XX:MaxRAM=16g\n-XX:MaxRAMFraction=2\n-XX:MaxRAM\n-Dname=Gr\xC3\xBC\xC3\x9F"
      "e\nXmx1g\n-agentpath:/x.so";
  const UserOptions memory = ParseUserOptions(file, UserOptionsPolicy::Memory);
  EXPECT_EQ(memory.kept, (WideStringList{L"-Xmx4g", L"-Xms512m", L"-Xss2m", L"-XX:MaxRAMPercentage=75",
                                         L"-XX:InitialRAMPercentage=10", L"-XX:MaxRAM=16g"}));
  EXPECT_EQ(Dropped(memory), (std::vector<std::wstring>{L"-XX:MaxRAMFraction=2", L"-XX:MaxRAM",
                                                        L"-Dname=Gr\u00FC\u00DF"
                                                        L"e",
                                                        L"Xmx1g", L"-agentpath:/x.so"}));

  const UserOptions all = ParseUserOptions(file, UserOptionsPolicy::All);
  EXPECT_EQ(all.kept.size(), 10u);
  EXPECT_EQ(Dropped(all), std::vector<std::wstring>{L"Xmx1g"});  // not an option whatever the policy
  EXPECT_TRUE(ParseUserOptions(file, UserOptionsPolicy::Off).kept.empty());
}

TEST(UserOptionsTest, PolicyValuesAndFilePath) {
  EXPECT_EQ(ParseUserOptionsPolicy(L"All"), UserOptionsPolicy::All);
  EXPECT_EQ(ParseUserOptionsPolicy(L"OFF"), UserOptionsPolicy::Off);
  for (const wchar_t* value : {L"", L"memory", L"none", L"yes"}) {
    EXPECT_EQ(ParseUserOptionsPolicy(value), UserOptionsPolicy::Memory) << value;
  }
  EXPECT_EQ(UserOptionsPathBeside(L"/home/u/.config/P/C/tool.beta.ini"), L"/home/u/.config/P/C/tool.beta.options");
}

TEST(AppUserModelIdTest, ValidIdsAreDotSeparatedWithoutSpacesAndShort) {
  for (const wchar_t* valid : {L"Company.Product", L"Example.Viewer.Sub.2", L"A.B"}) {
    EXPECT_EQ(AppUserModelIdFault(valid), nullptr) << valid;
  }
  const std::wstring longest = L"A." + std::wstring(126, L'b');
  EXPECT_EQ(AppUserModelIdFault(longest), nullptr);
  for (const std::wstring& invalid :
       {longest + L"c", std::wstring(L"Product"), std::wstring(L"Company Product.App"), std::wstring(L".A.B"),
        std::wstring(L"A..B"), std::wstring(L"A.B."), std::wstring(L"A.\tB")}) {
    EXPECT_NE(AppUserModelIdFault(invalid), nullptr) << invalid;
  }
}

}  // namespace

}  // namespace launcher::settings
