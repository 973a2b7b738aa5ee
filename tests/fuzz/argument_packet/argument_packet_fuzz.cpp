// What a second instance sends and a first instance answers, on any bytes: the
// argument packet in both text forms, the socket's request length and its
// answer. Reading accepts any bytes; what it accepts is written back the same.
#include <cstdint>

#include "fuzz_check.h"
#include "instance/argument_packet.h"
#include "instance/socket_messages.h"

using namespace launcher;

namespace {

void CheckPacket(std::string_view bytes, instance::PacketText text) {
  const std::optional<WideStringList> arguments = instance::DecodeArgumentPacket(bytes, text);
  if (!arguments) return;
  const std::string again = instance::EncodeArgumentPacket(*arguments, text);
  fuzz::Check(instance::DecodeArgumentPacket(again, text) == arguments,
              "a packet of the read list reads back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  CheckPacket(bytes, instance::PacketText::Utf16);
  CheckPacket(bytes, instance::PacketText::Utf8);

  if (std::optional<uint32_t> length = instance::RequestLength(bytes.substr(0, instance::kRequestLengthSize))) {
    fuzz::Check(*length <= instance::kMaximumRequestLength, "a request length is never over the maximum");
  }
  if (std::optional<WideStringList> request = instance::DecodeRequestPacket(bytes)) {
    const std::string sent = instance::EncodeRequest(*request);
    fuzz::Check(instance::RequestLength(std::string_view(sent).substr(0, instance::kRequestLengthSize)) ==
                    sent.size() - instance::kRequestLengthSize,
                "a request announces its packet's length");
    fuzz::Check(instance::DecodeRequestPacket(std::string_view(sent).substr(instance::kRequestLengthSize)) == request,
                "a request's packet reads back the same");
  }
  if (std::optional<instance::Answer> answer = instance::DecodeAnswer(bytes)) {
    fuzz::Check(instance::EncodeAnswer(*answer) == bytes, "an accepted answer is written back byte for byte");
  }
  return 0;
}
