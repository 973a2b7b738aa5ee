#pragma once

#include <cstdint>
#include <initializer_list>
#include <variant>

#include "launcher/user_interface.h"
#include "platform/wide_string.h"
#include "string_ids.h"

// One argument of a message: a text for %s or a number for %d.
using MessageArgument = std::variant<WideString, int32_t>;

// The text of a string-table entry, whole; empty when the id is missing.
WideString LoadStringText(StringId id);

// The format with each %s and %d replaced by the next argument, in order (%d in
// decimal); %% gives one %. A missing argument leaves the placeholder empty.
WideString FormatText(const WideString& format, std::initializer_list<MessageArgument> arguments);

// The string of id formatted with the arguments; shows nothing.
WideString LoadFormatted(StringId id, std::initializer_list<MessageArgument> arguments);

// Error messages: one modal box with the error icon and no caption of its own.
void ShowError(UserInterface& ui, WindowHandle owner, const WideString& text);
void ShowError(UserInterface& ui, WindowHandle owner, StringId id);
void ShowErrorWithCode(UserInterface& ui, WindowHandle owner, StringId format, const WideString& text,
                       int32_t number);
void ShowErrorWithText(UserInterface& ui, WindowHandle owner, StringId format, const WideString& text);
void ShowErrorWithTexts(UserInterface& ui, WindowHandle owner, StringId format, const WideString& first,
                        const WideString& second);
