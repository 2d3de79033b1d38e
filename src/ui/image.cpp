#include "ui/image.h"

#include <utility>

#include "port/errors.h"
#include "port/file_system.h"

namespace ui {

Bitmap::~Bitmap() {
  if (handle_) DeleteObject(handle_);
}

Bitmap::Bitmap(Bitmap&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

Bitmap Bitmap::LoadFromFile(const std::string& path) {
  try {
    stp::port::File::OpenRead(path);
  } catch (const stp::IoError& error) {
    throw stp::Error("Kann Datei " + path + " nicht öffnen", error.Detail());
  }
  auto* handle = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!handle) throw stp::Error("Bitmap ist ungültig", path);
  return Bitmap(handle);
}

Bitmap Bitmap::Copy() const {
  if (!handle_) return Bitmap();
  return Bitmap(static_cast<HBITMAP>(CopyImage(handle_, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE Bitmap::Size() const {
  BITMAP info{};
  if (handle_) GetObjectA(handle_, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

Image::Image(Window& parent, const Bounds& bounds) : PaintedControl(parent, true) {
  CreateOwnControl("TImage", 0, 0, bounds);
}

void Image::SetPicture(const Bitmap& picture) {
  picture_ = picture.Copy();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::LoadPicture(const std::string& path) {
  picture_ = Bitmap::LoadFromFile(path);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::Paint(HDC dc) {
  if (picture_.Empty()) return;
  const SIZE size = picture_.Size();
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, picture_.Handle());
  BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace ui
