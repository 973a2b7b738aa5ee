#include "app/forwarding_target.h"

#include "instance/hand_off.h"
#include "jvm/secondary_main.h"

RequestHandler ServeThroughSecondaryMain(std::shared_ptr<const ForwardingTarget> target) {
  return [target](const WideStringList& arguments, const Reply& reply) {
    // Requests pass only once the JVM is there; a target without one refuses.
    if (target->vm == nullptr) {
      reply(kRefusedReply);
      return;
    }
    CallSecondaryMain(target->vm, {target->mainClass, arguments, reply, target->stayAttached});
  };
}
