// What a second instance sends and a first instance answers, on any bytes: the
// argument packet in both text forms, the socket's request length and its
// answer. Reading accepts any bytes; what it accepts is written back the same.
#include <cstdint>

#include "fuzz_check.h"
#include "instance/argument_packet.h"
#include "instance/socket_messages.h"

namespace {

void CheckPacket(std::string_view bytes, PacketText text) {
  const std::optional<WideStringList> arguments = DecodeArgumentPacket(bytes, text);
  if (!arguments) return;
  const std::string again = EncodeArgumentPacket(*arguments, text);
  fuzz::Check(DecodeArgumentPacket(again, text) == arguments, "a packet of the read list reads back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  CheckPacket(bytes, PacketText::Utf16);
  CheckPacket(bytes, PacketText::Utf8);

  if (std::optional<uint32_t> length = RequestLength(bytes.substr(0, kRequestLengthSize))) {
    fuzz::Check(*length <= kMaximumRequestLength, "a request length is never over the maximum");
  }
  if (std::optional<WideStringList> request = DecodeRequestPacket(bytes)) {
    const std::string sent = EncodeRequest(*request);
    fuzz::Check(RequestLength(std::string_view(sent).substr(0, kRequestLengthSize)) == sent.size() - kRequestLengthSize,
                "a request announces its packet's length");
    fuzz::Check(DecodeRequestPacket(std::string_view(sent).substr(kRequestLengthSize)) == request,
                "a request's packet reads back the same");
  }
  if (std::optional<Answer> answer = DecodeAnswer(bytes)) {
    fuzz::Check(EncodeAnswer(*answer) == bytes, "an accepted answer is written back byte for byte");
  }
  return 0;
}
