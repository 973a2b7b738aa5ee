#pragma once

#include <optional>

#include "platform/wide_string.h"
#include "platform/windows_api.h"
#include "ui/win32/link_colours.h"
#include "ui/win32/window_object.h"

namespace launcher::ui::win32 {

// Turns a static text control of a dialog into a link: its text drawn
// underlined in the browser's link colour, the hand cursor and a tooltip with
// the address over the text, the focus on a click, and the address opened with
// the shell's "open" verb by a click on the text or by Enter or Space. After a
// successful open the text turns to the visited colour.
class HyperlinkControl final : public ControlSubclass {
 public:
  // Binds the object to the control (once, while the dialog initialises): the
  // control's font, text and address become the link's.
  bool Attach(HWND control);

  // The address to open (the control's text unless set).
  void SetTarget(const WideString& target);

  // Opens the address; true when the shell did.
  bool Navigate();

  bool Visited() const { return visited_; }

 protected:
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Init();
  void MakeLinkFont();
  void AddTool();
  bool CalcLinkRect();
  void Paint(HDC dc);
  void PaintMessage(WPARAM wParam);
  UINT TextFormat() const;
  const WideString* ShownText() const;
  bool OverLink(POINT point) const;
  std::optional<LRESULT> OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void OnSetFont(HFONT font, bool redraw);
  void OnDestroy();

  std::optional<WideString> label_;
  std::optional<WideString> target_;
  HCURSOR linkCursor_ = nullptr;
  HFONT normalFont_ = nullptr;             // the one in use
  platform::win32::Font ownedNormalFont_;  // when we made it
  platform::win32::Font linkFont_;
  RECT linkRect_{};
  platform::win32::Window tooltip_;
  LinkColours colours_;
  bool paintLabel_ = true;
  bool visited_ = false;
};

}  // namespace launcher::ui::win32
