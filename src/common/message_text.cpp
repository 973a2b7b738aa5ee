#include "common/message_text.h"

#include "platform/process.h"

namespace launcher {

namespace {

WideString ArgumentText(const MessageArgument& argument) {
  if (const WideString* text = std::get_if<WideString>(&argument)) return *text;
  if (const int32_t* number = std::get_if<int32_t>(&argument)) return std::to_wstring(*number);
  return LoadStringText(std::get<StringId>(argument));
}

}  // namespace

WideString LoadStringText(StringId id) { return platform::LoadResourceString(static_cast<uint32_t>(id)); }

WideString FormatText(const WideString& format, const std::vector<MessageArgument>& arguments) {
  WideString text;
  auto next = arguments.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    wchar_t c = format[i];
    if (c != L'%' || i + 1 == format.size()) {
      text += c;
      continue;
    }
    wchar_t kind = format[++i];
    if (kind == L'%') {
      text += L'%';
    } else if (kind == L's' || kind == L'd') {
      if (next != arguments.end()) text += ArgumentText(*next++);
    } else {
      text += c;
      text += kind;
    }
  }
  return text;
}

WideString LoadFormatted(StringId id, const std::vector<MessageArgument>& arguments) {
  return FormatText(LoadStringText(id), arguments);
}

WideString MessageOf(const LaunchError& error) { return LoadFormatted(error.message, error.arguments); }

}  // namespace launcher
