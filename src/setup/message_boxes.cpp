#include "setup/message_boxes.h"

#include "ui/message_dialog.h"

void MessageBoxes::Show(stp::MessageKind kind, const std::string& text, const std::string&) {
  ui::MsgDlgType type = ui::MsgDlgType::kError;
  if (kind == stp::MessageKind::kWarning) type = ui::MsgDlgType::kWarning;
  if (kind == stp::MessageKind::kInformation) type = ui::MsgDlgType::kInformation;
  ui::MessageDlg(text, type, {ui::MsgDlgButton::kOk});
}
