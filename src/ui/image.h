#pragma once

#include <windows.h>

#include <string>

#include "ui/control.h"

namespace ui {

// An owned Windows bitmap; empty when none was loaded.
class Bitmap {
 public:
  Bitmap() = default;
  ~Bitmap();
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // Loads a .bmp file; throws stp::Error when the file cannot be opened or
  // holds no bitmap.
  static Bitmap LoadFromFile(const std::string& path);
  Bitmap Copy() const;

  bool Empty() const { return handle_ == nullptr; }
  HBITMAP Handle() const { return handle_; }
  SIZE Size() const;

 private:
  explicit Bitmap(HBITMAP handle) : handle_(handle) {}

  HBITMAP handle_ = nullptr;
};

// Shows a bitmap at its top left corner, unscaled and clipped to the control.
class Image : public PaintedControl {
 public:
  Image(Window& parent, const Bounds& bounds);

  // The image keeps its own copy.
  void SetPicture(const Bitmap& picture);
  // Loads the picture from a .bmp file; on failure the image stays as it was.
  void LoadPicture(const std::string& path);
  const Bitmap& Picture() const { return picture_; }

 protected:
  void Paint(HDC dc) override;

 private:
  Bitmap picture_;
};

}  // namespace ui
