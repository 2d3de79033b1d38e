#pragma once

#include <windows.h>

#include "ui/drive_caption.h"

namespace ui {

// Small pictures of folders and drives for the rows of the folder browser,
// drawn in a square of this many pixels.
inline constexpr int kSymbolSize = 16;

void DrawFolderSymbol(HDC dc, int left, int top, bool open);
void DrawDriveSymbol(HDC dc, int left, int top, DriveKind kind);

}  // namespace ui
