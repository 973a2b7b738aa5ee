#pragma once

#include "platform/wide_string.h"
#include "ui/user_interface.h"
#include "ui/win32/hyperlink_control.h"
#include "ui/win32/window_object.h"

namespace launcher::ui::win32 {

// The "JRE Not Found" dialog (template 201): the message, a link to the
// download page, and a Browse button for a runtime folder. OK is enabled only
// while the folder last browsed to holds a JVM library of the wanted kind.
// With an install choice, template 202 adds its button, the default one.
// Run gives IDOK, IDCANCEL or IDC_INSTALL; after IDOK the chosen folder and
// library are read from the object.
class JreNotFoundDialog final : public DialogObject {
 public:
  explicit JreNotFoundDialog(RuntimeQuestion question);

  INT_PTR Run(HWND owner);

  // The folder last browsed to, ending in a path separator, and its JVM library ("" for none).
  const WideString& ChosenFolder() const { return chosenFolder_; }
  const WideString& ChosenLibrary() const { return chosenLibrary_; }

 protected:
  std::optional<INT_PTR> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  INT_PTR OnInitDialog();
  void OnBrowse();

  RuntimeQuestion question_;
  WideString chosenFolder_;
  WideString chosenLibrary_;
  HyperlinkControl link_;
};

}  // namespace launcher::ui::win32
