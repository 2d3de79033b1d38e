#include "ui/drive_combo_box.h"

#include <cctype>

#include "ui/symbols.h"

namespace ui {

namespace {
constexpr int kRowHeight = 16;
constexpr int kVisibleRows = 8;
constexpr int kMargin = 2;
constexpr int kTextGap = 4;
// The item number that stands for the selection field of the closed box.
constexpr WPARAM kSelectionField = static_cast<WPARAM>(-1);
constexpr int kSizeAttempts = 2;
}  // namespace

DriveComboBox::DriveComboBox(Window& parent, const Bounds& bounds)
    : Control(parent), drives_(PresentDrives()) {
  // A combo box's height counts its drop-down list; the closed box is sized below.
  Bounds with_list = bounds;
  with_list.height += kVisibleRows * kRowHeight;
  CreateSystemControl("COMBOBOX",
                      CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, 0,
                      with_list);
  SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, kRowHeight);
  // The closed box is its selection field and a frame around it. Systems
  // differ in what they report as the field's height and what they take, so
  // the field is corrected by what the box measures.
  int field = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, kSelectionField, 0));
  for (int attempt = 0; attempt < kSizeAttempts && GetBounds().height != bounds.height; ++attempt) {
    field += bounds.height - GetBounds().height;
    SendMessageA(Handle(), CB_SETITEMHEIGHT, kSelectionField, field);
  }
  for (const DriveEntry& drive : drives_) {
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.caption.c_str()));
  }
}

void DriveComboBox::SetDrive(char letter) {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (std::size_t index = 0; index < drives_.size(); ++index) {
    if (drives_[index].letter == letter) SendMessageA(Handle(), CB_SETCURSEL, index, 0);
  }
}

char DriveComboBox::Drive() const {
  const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
  return index >= 0 && static_cast<std::size_t>(index) < drives_.size() ? drives_[index].letter : '\0';
}

void DriveComboBox::Notify(WORD code) {
  if (code == CBN_SELCHANGE && on_change_) on_change_();
}

void DriveComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  const bool selected = item.itemState & ODS_SELECTED;
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID >= drives_.size()) return;
  const DriveEntry& drive = drives_[item.itemID];
  const int symbol_top = area.top + (area.bottom - area.top - kSymbolSize) / 2;
  DrawDriveSymbol(item.hDC, area.left + kMargin, symbol_top, drive.kind);
  area.left += kMargin + kSymbolSize + kTextGap;
  HGDIOBJ previous = SelectObject(item.hDC, GetFont().Handle());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(item.hDC, drive.caption.c_str(), -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(item.hDC, previous);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace ui
