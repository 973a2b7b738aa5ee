#pragma once

#include <cstdint>
#include <map>
#include <mutex>

#include "instance/socket_channel_posix.h"
#include "instance/socket_messages.h"

namespace launcher::instance {

// The connections of second instances still waiting for their answer. When the
// process ends through exit() (main returned, or System.exit), each is told the
// exit code, as a Windows second instance reads it from the ended process.
class PendingAnswers {
 public:
  using Ticket = uint64_t;

  // The process's one registry. It is never destroyed: request threads and the
  // exit handler may use it until the very end of the process.
  static PendingAnswers& OfProcess();

  Ticket Add(platform::posix::Descriptor connection);
  // Sends the answer on the ticket's connection, if it still waits, and closes it.
  void Send(Ticket ticket, const Answer& answer);
  void SendToAll(const Answer& answer);

 private:
  PendingAnswers() = default;

  std::mutex mutex_;
  std::map<Ticket, platform::posix::Descriptor> waiting_;
  Ticket next_ = 1;
};

}  // namespace launcher::instance
