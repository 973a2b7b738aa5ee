#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/java_version.h"
#include "platform/wide_string.h"

namespace launcher {

// Where a start explains its decisions, when asked to: one line per decision,
// an event name followed by its fields. The steps that decide take a Trace&
// and write through TraceLine; with tracing off they are given NoTrace(),
// which keeps nothing and costs next to nothing.
class Trace {
 public:
  virtual ~Trace() = default;

  // Whether lines are kept at all; TraceLine builds nothing when they are not.
  virtual bool Enabled() const = 0;

  // Keeps one line: UTF-8, without a line end. Never fails: a trace that
  // cannot be kept must not change what the start does.
  virtual void Write(std::string_view line) = 0;
};

// The trace that keeps nothing.
Trace& NoTrace();

// One line of a trace, built field by field and kept by Write():
//
//   TraceLine(trace, "candidate").Text("home", home).Word("verdict", "accepted").Write();
//
// gives `candidate home="C:\\jre" verdict=accepted`. Texts are quoted, with
// backslash, double quote and control characters escaped, so that a field is
// one word and a line one line whatever the text holds.
class TraceLine {
 public:
  TraceLine(Trace& trace, std::string_view event);
  TraceLine(const TraceLine&) = delete;
  TraceLine& operator=(const TraceLine&) = delete;

  TraceLine& Text(std::string_view key, const WideString& value);
  TraceLine& Bytes(std::string_view key, std::string_view utf8);  // a text already in UTF-8
  TraceLine& Word(std::string_view key, std::string_view value);  // written bare: no blanks in it
  TraceLine& Number(std::string_view key, int64_t value);
  TraceLine& Flag(std::string_view key, bool value);                   // yes or no
  TraceLine& Version(std::string_view key, const JavaVersion& value);  // all four components: 1.8.0.20
  // Plain words for a reader, after the fields; they must not hold a line end.
  TraceLine& Sentence(std::string_view words);

  void Write();

 private:
  TraceLine& Field(std::string_view key, std::string_view value);

  Trace& trace_;
  const bool enabled_;
  std::string line_;
};

// A version as a trace writes it: all four components, 1.8.0.20 (an upper
// bound's missing ones are 65535).
std::string TraceVersionText(const JavaVersion& version);

// A text as a trace writes it: in double quotes, with \\, \", \n, \r, \t and
// \u00XX escapes.
std::string QuoteForTrace(std::string_view utf8);

}  // namespace launcher
