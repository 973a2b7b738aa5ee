#include "instance/request_serving.h"

#include <system_error>
#include <thread>

#include "instance/hand_off.h"

void ServeRequest(ForwardingGate& gate, const RequestHandler& handler, const WideStringList& arguments,
                  const Reply& reply) {
  switch (gate.Pass()) {
    case ForwardingGate::Verdict::Serve:
      handler(arguments, reply);
      break;
    case ForwardingGate::Verdict::Refuse:
      reply(kRefusedReply);
      break;
    case ForwardingGate::Verdict::Drop:
      break;
  }
}

bool StartDetachedThread(std::function<void()> work) {
  try {
    std::thread(std::move(work)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}
