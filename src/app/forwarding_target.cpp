#include "app/forwarding_target.h"

#include "jvm/secondary_main.h"

RequestHandler ServeThroughSecondaryMain(std::shared_ptr<const ForwardingTarget> target) {
  // Requests pass the first instance's gate only once the JVM is there.
  return [target](const WideStringList& arguments, const Reply& reply) {
    CallSecondaryMain(target->vm, {target->mainClass, arguments, reply, target->stayAttached});
  };
}
