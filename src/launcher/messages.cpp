#include "launcher/messages.h"

#include "platform/string_resource.h"

WideString LoadStringText(StringId id) {
  // LoadStringW truncates to the buffer; the buffer doubles until the text fits.
  WideString buffer(256, L'\0');
  for (;;) {
    int length = platform::LoadResourceString(static_cast<uint32_t>(id), buffer.data(),
                                              static_cast<int>(buffer.size()));
    if (length < static_cast<int>(buffer.size()) - 1) {
      buffer.resize(length > 0 ? static_cast<size_t>(length) : 0);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

WideString FormatText(const WideString& format, std::initializer_list<MessageArgument> arguments) {
  WideString text;
  const MessageArgument* next = arguments.begin();
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
      if (next != arguments.end()) {
        if (const WideString* argument = std::get_if<WideString>(next)) {
          text += *argument;
        } else {
          text += std::to_wstring(std::get<int32_t>(*next));
        }
        ++next;
      }
    } else {
      text += c;
      text += kind;
    }
  }
  return text;
}

WideString LoadFormatted(StringId id, std::initializer_list<MessageArgument> arguments) {
  return FormatText(LoadStringText(id), arguments);
}

void ShowError(UserInterface& ui, WindowHandle owner, const WideString& text) { ui.ShowError(owner, text); }

void ShowError(UserInterface& ui, WindowHandle owner, StringId id) { ui.ShowError(owner, LoadStringText(id)); }

void ShowErrorWithCode(UserInterface& ui, WindowHandle owner, StringId format, const WideString& text,
                       int32_t number) {
  ui.ShowError(owner, LoadFormatted(format, {text, number}));
}

void ShowErrorWithText(UserInterface& ui, WindowHandle owner, StringId format, const WideString& text) {
  ui.ShowError(owner, LoadFormatted(format, {text}));
}

void ShowErrorWithTexts(UserInterface& ui, WindowHandle owner, StringId format, const WideString& first,
                        const WideString& second) {
  ui.ShowError(owner, LoadFormatted(format, {first, second}));
}
