#include "instance/request_serving.h"

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
