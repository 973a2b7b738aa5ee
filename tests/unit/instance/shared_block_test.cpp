#include "instance/shared_block.h"

#include <gtest/gtest.h>

#include "instance/argument_area.h"
#include "instance/argument_packet.h"

namespace launcher::instance {

namespace {

TEST(SharedBlockTest, TheHeaderIsThreeLittleEndianNumbers) {
  std::string block(kSharedBlockSize, '\0');
  WriteBlockHeader(block.data(), {0x01020304, 0xA0B0C0D0, 0xC001});
  EXPECT_EQ(block.substr(0, 12), std::string("\x04\x03\x02\x01\xD0\xC0\xB0\xA0\x01\xC0\0\0", 12));
  const BlockHeader header = ReadBlockHeader(block);
  EXPECT_EQ(header.messageThreadId, 0x01020304u);
  EXPECT_EQ(header.processId, 0xA0B0C0D0u);
  EXPECT_EQ(header.messageId, 0xC001u);
  EXPECT_EQ(kArgumentAreaOffset + kArgumentAreaSize + kArgumentAreaSize, kSharedBlockSize);
}

TEST(SharedBlockTest, ArgumentsTheAreaCarriesGoThereTheOthersAsAPacket) {
  const WideStringList fits{L"a", L"b"};
  ForwardedBytes forwarded = PackArguments(fits);
  EXPECT_TRUE(forwarded.inArea);
  EXPECT_EQ(DecodeArgumentArea(forwarded.bytes), fits);

  for (const WideStringList& arguments :
       {WideStringList{}, WideStringList{L"a", L"", L"b"}, WideStringList{WideString(5000, L'x')}}) {
    forwarded = PackArguments(arguments);
    EXPECT_FALSE(forwarded.inArea);
    EXPECT_EQ(DecodeArgumentPacket(forwarded.bytes, PacketText::Utf16), arguments);
  }
}

// Numbers never repeat 0 (none) nor reach into the taken bit, whatever the
// word held.
TEST(SharedBlockTest, HandOffNumbersSkipZeroAndTheTakenBit) {
  EXPECT_EQ(NextHandOffNumber(0), 1u);
  EXPECT_EQ(NextHandOffNumber(41 | kHandOffTaken), 42u);
  EXPECT_EQ(NextHandOffNumber(0x7FFFFFFFu), 1u);
  EXPECT_EQ(NextHandOffNumber(0xFFFFFFFFu), 1u);
  std::string block(kSharedBlockSize, '\0');
  HandOffWord word(block.data());
  word.Store(9);
  EXPECT_FALSE(word.Replace(8, 8 | kHandOffTaken));
  EXPECT_TRUE(word.Replace(9, 9 | kHandOffTaken));
  EXPECT_EQ(word.Load(), 9 | kHandOffTaken);
  EXPECT_EQ(block.substr(kArgumentAreaOffset, 1040), std::string(1040, '\0'));  // the area is untouched
}

}  // namespace

}  // namespace launcher::instance
