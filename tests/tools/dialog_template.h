#pragma once

#include <string>
#include <vector>

#include "platform/windows_api.h"

namespace window_fixture {

// One control of an in-memory dialog template; position and size in dialog units.
struct TemplateItem {
  DWORD style;
  short x, y, cx, cy;
  WORD id;
  WORD classAtom;  // 0x80 button, 0x81 edit, 0x82 static
  std::wstring text;
};

enum : WORD { kButtonAtom = 0x80, kEditAtom = 0x81, kStaticAtom = 0x82 };

// A DLGTEMPLATE with its items, laid out as DialogBoxIndirect reads it. The
// font is always given (DS_SETFONT), so that dialog units do not depend on
// the system font.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, const std::wstring& caption);
  void Add(const TemplateItem& item);
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void AddDword(DWORD value);
  void AddText(const std::wstring& text);
  void AlignToDword();

  std::vector<WORD> words_;
};

}  // namespace window_fixture
