#include "instance/pending_answers_posix.h"

#include <stdlib.h>

namespace launcher::instance {

namespace {

void AnswerAtExit(int status, void* registry) {
  static_cast<PendingAnswers*>(registry)->SendToAll({Answer::Kind::Ended, status});
}

}  // namespace

PendingAnswers& PendingAnswers::OfProcess() {
  static PendingAnswers* const registry = [] {
    auto* created = new PendingAnswers();
    // on_exit, unlike atexit, is told the status that exit() was given.
    on_exit(&AnswerAtExit, created);
    return created;
  }();
  return *registry;
}

PendingAnswers::Ticket PendingAnswers::Add(platform::posix::Descriptor connection) {
  std::lock_guard lock(mutex_);
  const Ticket ticket = next_++;
  waiting_.emplace(ticket, std::move(connection));
  return ticket;
}

void PendingAnswers::Send(Ticket ticket, const Answer& answer) {
  std::lock_guard lock(mutex_);
  auto found = waiting_.find(ticket);
  if (found == waiting_.end()) return;
  SendAll(found->second, EncodeAnswer(answer));
  waiting_.erase(found);
}

void PendingAnswers::SendToAll(const Answer& answer) {
  std::lock_guard lock(mutex_);
  for (auto& [ticket, connection] : waiting_) SendAll(connection, EncodeAnswer(answer));
  waiting_.clear();
}

}  // namespace launcher::instance
