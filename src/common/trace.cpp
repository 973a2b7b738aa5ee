#include "common/trace.h"

#include "platform/text.h"

namespace launcher {

namespace {

class NullTrace final : public Trace {
 public:
  bool Enabled() const override { return false; }
  void Write(std::string_view) override {}
};

}  // namespace

Trace& NoTrace() {
  static NullTrace trace;
  return trace;
}

std::string QuoteForTrace(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          quoted += "\\u00";
          quoted += kHex[byte >> 4];
          quoted += kHex[byte & 0xF];
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}

std::string TraceVersionText(const JavaVersion& version) {
  std::string text;
  for (int k = 0; k < 4; ++k) {
    if (k > 0) text += '.';
    text += std::to_string(version.components[k]);
  }
  return text;
}

TraceLine::TraceLine(Trace& trace, std::string_view event) : trace_(trace), enabled_(trace.Enabled()) {
  if (enabled_) line_ = event;
}

TraceLine& TraceLine::Field(std::string_view key, std::string_view value) {
  if (!enabled_) return *this;
  line_ += ' ';
  line_ += key;
  line_ += '=';
  line_ += value;
  return *this;
}

TraceLine& TraceLine::Text(std::string_view key, const WideString& value) {
  return enabled_ ? Field(key, QuoteForTrace(platform::ToUtf8(value))) : *this;
}

TraceLine& TraceLine::Bytes(std::string_view key, std::string_view utf8) {
  return enabled_ ? Field(key, QuoteForTrace(utf8)) : *this;
}

TraceLine& TraceLine::Word(std::string_view key, std::string_view value) { return Field(key, value); }

TraceLine& TraceLine::Number(std::string_view key, int64_t value) {
  return enabled_ ? Field(key, std::to_string(value)) : *this;
}

TraceLine& TraceLine::Flag(std::string_view key, bool value) { return Field(key, value ? "yes" : "no"); }

TraceLine& TraceLine::Version(std::string_view key, const JavaVersion& value) {
  return enabled_ ? Field(key, TraceVersionText(value)) : *this;
}

TraceLine& TraceLine::Sentence(std::string_view words) {
  if (enabled_) {
    line_ += ' ';
    line_ += words;
  }
  return *this;
}

void TraceLine::Write() {
  if (enabled_) trace_.Write(line_);
}

}  // namespace launcher
