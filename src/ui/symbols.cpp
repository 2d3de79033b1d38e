#include "ui/symbols.h"

#include <initializer_list>

#include "ui/window.h"

namespace ui {

namespace {

constexpr Colour kOutline = RGB(64, 64, 64);
constexpr Colour kFolder = RGB(255, 214, 90);
constexpr Colour kFolderFront = RGB(255, 236, 150);
constexpr Colour kMetal = RGB(192, 192, 192);
constexpr Colour kDark = RGB(48, 48, 64);
constexpr Colour kWhite = RGB(255, 255, 255);
constexpr Colour kLight = RGB(0, 200, 0);
constexpr Colour kChip = RGB(0, 128, 64);

// A filled shape with an outline, in coordinates of the symbol's square.
class Painter {
 public:
  Painter(HDC dc, int left, int top)
      : dc_(dc), left_(left), top_(top), pen_(CreatePen(PS_SOLID, 1, kOutline)) {
    old_pen_ = SelectObject(dc_, pen_);
    old_brush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
  }
  ~Painter() {
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_brush_);
    DeleteObject(pen_);
  }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void Box(int left, int top, int right, int bottom, Colour fill) {
    SelectObject(dc_, SolidBrush(fill));
    Rectangle(dc_, left_ + left, top_ + top, left_ + right, top_ + bottom);
  }
  void Disc(int left, int top, int right, int bottom, Colour fill) {
    SelectObject(dc_, SolidBrush(fill));
    Ellipse(dc_, left_ + left, top_ + top, left_ + right, top_ + bottom);
  }
  void Shape(std::initializer_list<POINT> corners, Colour fill) {
    POINT points[8];
    int count = 0;
    for (const POINT& corner : corners) points[count++] = {left_ + corner.x, top_ + corner.y};
    SelectObject(dc_, SolidBrush(fill));
    Polygon(dc_, points, count);
  }
  void Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, left_ + x1, top_ + y1, nullptr);
    LineTo(dc_, left_ + x2, top_ + y2);
  }

 private:
  HDC dc_;
  int left_;
  int top_;
  HPEN pen_;
  HGDIOBJ old_pen_;
  HGDIOBJ old_brush_;
};

}  // namespace

void DrawFolderSymbol(HDC dc, int left, int top, bool open) {
  Painter paint(dc, left, top);
  paint.Shape({{1, 3}, {6, 3}, {7, 4}, {14, 4}, {14, 14}, {1, 14}}, kFolder);
  // An open folder shows its front flap tilted towards the viewer.
  if (open) paint.Shape({{1, 14}, {4, 7}, {16, 7}, {13, 14}}, kFolderFront);
}

void DrawDriveSymbol(HDC dc, int left, int top, DriveKind kind) {
  Painter paint(dc, left, top);
  switch (kind) {
    case DriveKind::kRemovable:
      paint.Box(2, 1, 15, 15, kDark);
      paint.Box(5, 1, 12, 6, kMetal);
      paint.Box(4, 9, 13, 15, kWhite);
      return;
    case DriveKind::kFixed:
      paint.Box(1, 5, 15, 12, kMetal);
      paint.Box(11, 8, 13, 10, kLight);
      return;
    case DriveKind::kCdRom:
      paint.Disc(1, 1, 15, 15, kMetal);
      paint.Disc(6, 6, 10, 10, kWhite);
      return;
    case DriveKind::kRamDisk:
      paint.Box(2, 4, 14, 12, kChip);
      for (int x = 3; x < 14; x += 3) {
        paint.Line(x, 2, x, 4);
        paint.Line(x, 12, x, 14);
      }
      return;
    case DriveKind::kNetwork:
      paint.Box(1, 2, 15, 9, kMetal);
      paint.Box(11, 4, 13, 6, kLight);
      paint.Line(8, 9, 8, 14);
      paint.Line(2, 14, 15, 14);
      return;
  }
}

}  // namespace ui
