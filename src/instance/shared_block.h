#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

// The single-instance shared block of Windows, 2092 bytes, little-endian:
//   0  thread id of the first instance's message thread
//   4  process id of the first instance
//   8  the registered message's id
//  12  the argument area (1040 bytes, argument_area.h)
// 1052 zeros, never written, read as the area's continuation.

inline constexpr size_t kSharedBlockSize = 2092;
inline constexpr size_t kArgumentAreaOffset = 12;

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
