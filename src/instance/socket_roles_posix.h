#pragma once

#include <memory>
#include <string>

#include "instance/single_instance.h"
#include "instance/socket_channel_posix.h"

namespace launcher::instance {

// The two roles on POSIX, once the lock has decided between them.

// The first instance, holding the lock and listening at socketPath; null when
// it cannot start taking requests.
std::unique_ptr<FirstInstance> StartFirstInstance(platform::posix::Descriptor lock,
                                                  platform::posix::Descriptor listener, std::string socketPath);

// A second instance, connected to the first.
std::unique_ptr<SecondInstance> JoinFirstInstance(platform::posix::Descriptor connection);

}  // namespace launcher::instance
