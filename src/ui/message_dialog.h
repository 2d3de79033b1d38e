#pragma once

#include <initializer_list>
#include <string>

#include "ui/form.h"

namespace ui {

// The kind of a message box: its caption and its system symbol.
enum class MsgDlgType { kError, kInformation, kConfirmation, kWarning };
enum class MsgDlgButton { kOk, kYes, kNo, kCancel };

// The window class of message boxes, for whoever looks for them.
inline constexpr char kMessageFormClass[] = "TMessageForm";

// Shows a German message box modally, centred on the screen, and returns the
// answer. The default button is "OK" when present, otherwise "&Ja"; Escape
// and the close box answer "Abbrechen" when present, otherwise "&Nein",
// otherwise "OK".
ModalResult MessageDlg(const std::string& text, MsgDlgType type, std::initializer_list<MsgDlgButton> buttons);
// The same with another caption than the kind's own.
ModalResult MessageDlg(const std::string& caption, const std::string& text, MsgDlgType type,
                       std::initializer_list<MsgDlgButton> buttons);

}  // namespace ui
