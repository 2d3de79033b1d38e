#include "ui/directory_list.h"

#include <algorithm>
#include <cctype>

#include "port/directory_path.h"
#include "ui/drives.h"
#include "ui/symbols.h"

namespace ui {

namespace {
constexpr int kRowHeight = 16;
constexpr int kIndent = 8;
constexpr int kMargin = 2;
constexpr int kTextGap = 4;

char DriveLetterOf(const std::string& path) {
  return path.size() >= 2 && path[1] == ':'
             ? static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))
             : '\0';
}
}  // namespace

DirectoryList::DirectoryList(Window& parent, const Bounds& bounds) : Control(parent) {
  CreateSystemControl(
      "LISTBOX",
      LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
      WS_EX_CLIENTEDGE, bounds);
  SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, kRowHeight);
}

void DirectoryList::SetDirectory(const std::string& directory) {
  const std::string full = FullDirectoryPath(directory);
  if (stp::DirectoryLevels(full).empty()) return;
  directory_ = full;
  if (const char letter = Drive()) drive_directories_[letter] = directory_;
  Fill();
}

void DirectoryList::SetDrive(char letter) {
  const auto known = drive_directories_.find(letter);
  SetDirectory(known != drive_directories_.end() ? known->second
                                                 : FullDirectoryPath(std::string(1, letter) + ":"));
}

char DirectoryList::Drive() const { return DriveLetterOf(directory_); }

void DirectoryList::Fill() {
  rows_.clear();
  const std::vector<std::string> levels = stp::DirectoryLevels(directory_);
  for (std::size_t depth = 0; depth < levels.size(); ++depth) {
    const std::string& level = levels[depth];
    const std::string name = depth == 0 ? level : level.substr(level.find_last_of('\\') + 1);
    rows_.push_back({level, name, static_cast<int>(depth), true});
  }
  const int sub_depth = static_cast<int>(levels.size());
  for (const std::string& name : Subdirectories(directory_)) {
    rows_.push_back({stp::SubdirectoryPath(directory_, name), name, sub_depth, false});
  }

  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
  for (const Row& row : rows_) {
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name.c_str()));
  }
  SendMessageA(Handle(), LB_SETCURSEL, levels.size() - 1, 0);
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void DirectoryList::Notify(WORD code) {
  if (code != LBN_DBLCLK) return;
  const LRESULT index = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return;
  const std::string target = rows_[index].path;
  if (target == directory_) return;
  SetDirectory(target);
  if (on_change_) on_change_();
}

void DirectoryList::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID >= rows_.size()) return;
  const Row& row = rows_[item.itemID];
  RECT area = item.rcItem;
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_WINDOW));
  const int symbol_left = area.left + kMargin + row.depth * kIndent;
  DrawFolderSymbol(item.hDC, symbol_left, area.top, row.open);

  RECT text = area;
  text.left = symbol_left + kSymbolSize + kTextGap;
  HGDIOBJ previous = SelectObject(item.hDC, GetFont().Handle());
  SIZE extent{};
  GetTextExtentPoint32A(item.hDC, row.name.c_str(), static_cast<int>(row.name.size()), &extent);
  text.right = std::min<LONG>(area.right, text.left + extent.cx + 2 * kMargin);
  // Only the name is highlighted, not the symbol and the indentation.
  FillRect(item.hDC, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &text);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  text.left += kMargin;
  DrawTextA(item.hDC, row.name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(item.hDC, previous);
}

}  // namespace ui
