#include "dialog_template.h"

namespace window_fixture {
namespace {

constexpr size_t kItemCountWord = 4;  // after style and extended style
constexpr WORD kFontPoints = 8;
const wchar_t* const kFontName = L"MS Shell Dlg";

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, const std::wstring& caption) {
  AddDword(style | DS_SETFONT);
  AddDword(0);          // extended style
  words_.push_back(0);  // item count, counted up by Add
  for (short value : {short{0}, short{0}, cx, cy}) words_.push_back(static_cast<WORD>(value));
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the dialog class
  AddText(caption);
  words_.push_back(kFontPoints);
  AddText(kFontName);
}

void DialogTemplate::Add(const TemplateItem& item) {
  AlignToDword();
  AddDword(item.style | WS_CHILD | WS_VISIBLE);
  AddDword(0);  // extended style
  for (short value : {item.x, item.y, item.cx, item.cy}) words_.push_back(static_cast<WORD>(value));
  words_.push_back(item.id);
  words_.push_back(0xFFFF);  // a predefined class, by atom
  words_.push_back(item.classAtom);
  AddText(item.text);
  words_.push_back(0);  // no creation data
  ++words_[kItemCountWord];
}

void DialogTemplate::AddDword(DWORD value) {
  words_.push_back(LOWORD(value));
  words_.push_back(HIWORD(value));
}

void DialogTemplate::AddText(const std::wstring& text) {
  words_.insert(words_.end(), text.begin(), text.end());
  words_.push_back(0);
}

// Items start on a DWORD boundary; the vector's storage itself is aligned.
void DialogTemplate::AlignToDword() {
  if (words_.size() % 2 != 0) words_.push_back(0);
}

}  // namespace window_fixture
