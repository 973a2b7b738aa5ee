#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::instance {

// The single-instance shared block of Windows, 2092 bytes, little-endian:
//   0  thread id of the first instance's message thread
//   4  process id of the first instance
//   8  the registered message's id
//  12  the argument area (1040 bytes, argument_area.h)
// 1052 the hand-off word (below)
// 1056 zeros, never written.
// A header of zeros says that no first instance serves the block (it is ending).
// The area is always ended within its 1040 bytes, so a reader of the area never
// reads on into the hand-off word.

inline constexpr size_t kSharedBlockSize = 2092;
inline constexpr size_t kArgumentAreaOffset = 12;
inline constexpr size_t kHandOffWordOffset = 1052;

// The hand-off word: the number of the hand-off whose arguments are placed (low
// 31 bits; 0: none), and whether the first instance has taken them (the top
// bit). A second instance clears it before it places its arguments, sets its
// number once they are whole, and withdraws them (back to 0) when it gives up;
// the first instance takes them only while the word still holds the number its
// message carries, so a request of a start that gave up never takes the
// arguments of another.
inline constexpr uint32_t kHandOffTaken = 0x80000000u;

// The number for the hand-off after the one the word holds: never 0.
uint32_t NextHandOffNumber(uint32_t word);

// The word in a mapped block, read and changed atomically: other processes
// change it too.
class HandOffWord {
 public:
  explicit HandOffWord(char* block);
  uint32_t Load() const;
  void Store(uint32_t value);
  // Sets desired if the word holds expected; whether it did.
  bool Replace(uint32_t expected, uint32_t desired);

 private:
  uint32_t* word_;
};

struct BlockHeader {
  uint32_t messageThreadId = 0;
  uint32_t processId = 0;
  uint32_t messageId = 0;
};

// block holds at least the header's 12 bytes.
BlockHeader ReadBlockHeader(std::string_view block);
void WriteBlockHeader(char* block, const BlockHeader& header);

// How a second instance's arguments travel: in the block's area when its layout
// carries them faithfully (the message's lParam is then 0), else as a packet in a
// mapping of its own whose size in bytes the lParam gives.
// A packet never needs more: the system's command line has at most 32,767 characters.
inline constexpr uint64_t kMaximumPacketSize = 16u << 20;

struct ForwardedBytes {
  bool inArea = false;
  std::string bytes;  // the area's 1040 bytes, or the packet
};

ForwardedBytes PackArguments(const WideStringList& arguments);

}  // namespace launcher::instance
