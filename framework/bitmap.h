// Pictures: TGraphic and its kinds TBitmap (a DIB section) and TIcon, and TPicture, the
// holder a control stores and loads from its description.
#pragma once
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>
#include "framework/canvas.h"

class TGraphic : public TGraphicsObject {
public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  virtual void DrawOn(HDC dc, const RECT& rect) const = 0;
  virtual void LoadFromBytes(std::span<const unsigned char> data) = 0;
  virtual std::vector<unsigned char> SaveToBytes() const = 0;
  virtual const char* ClassName() const = 0;
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
protected:
  bool transparent_ = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;
  void Assign(const TPersistent& source) override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return !handle_ && !lastingBits_; }
  void SetSize(int width, int height);  // a fresh 24-bit image, white
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format);
  HBITMAP Handle() const;
  TCanvas& Canvas();  // a memory context with the image selected

  // Transparent colour: the set one, else the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);

  void DrawOn(HDC dc, const RECT& rect) const override;
  // Data is a .bmp file image: file header, info header, colour table, bits.
  void LoadFromBytes(std::span<const unsigned char> data) override;
  // The same for a file image in memory that outlives the bitmap (a module's resource): drawn
  // straight from there, with no image of its own made until something asks for its handle.
  void LoadFromLastingBytes(std::span<const unsigned char> data);
  std::vector<unsigned char> SaveToBytes() const override;
  const char* ClassName() const override { return "TBitmap"; }

private:
  void ReleaseCanvas();
  void Clear();  // no image, and the observers told
  void TakeSizeAndFormat(const BITMAPINFO& info);
  void Create(const BITMAPINFO& info, const void* bits, size_t bitsSize);
  void MakeSection(const BITMAPINFO& info, const void* bits, size_t bitsSize) const;
  void MakeOwnImage() const;
  // Checks a file image and takes its header and colour table; where its bits start, and their size.
  std::pair<size_t, size_t> ReadFileImage(std::span<const unsigned char> data);
  std::vector<unsigned char> InfoBytes() const;
  const BITMAPINFO& Info() const { return *reinterpret_cast<const BITMAPINFO*>(info_.data()); }
  size_t BitsSize() const;

  mutable TGdiHandle<HBITMAP> handle_;
  std::vector<unsigned char> info_;  // BITMAPINFOHEADER + colour table of the current image
  mutable void* bits_ = nullptr;
  mutable const unsigned char* lastingBits_ = nullptr;  // until the image has a handle of its own
  int width_ = 0, height_ = 0;
  TPixelFormat format_ = pf24bit;
  TColor transparentColor_ = clDefault;
  std::unique_ptr<TCanvas> canvas_;
  HDC canvasDC_ = nullptr;
  HGDIOBJ canvasOld_ = nullptr;
};

class TIcon : public TGraphic {
public:
  TIcon() = default;
  ~TIcon() override;
  void Assign(const TPersistent& source) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return !handle_; }
  HICON Handle() const { return handle_; }
  void DrawOn(HDC dc, const RECT& rect) const override;
  // Data is an .ico file image; the first entry is used.
  void LoadFromBytes(std::span<const unsigned char> data) override;
  std::vector<unsigned char> SaveToBytes() const override { return data_; }
  const char* ClassName() const override { return "TIcon"; }
private:
  void Clear();
  HICON handle_ = nullptr;
  int width_ = 0, height_ = 0;
  std::vector<unsigned char> data_;
};

class TPicture : public TPersistent {
public:
  TPicture() = default;
  void Assign(const TPersistent& source) override;
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  TBitmap& Bitmap();  // replaces another kind of graphic with an empty bitmap
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  // The stored form: a one-byte class name length, the class name, the graphic's data
  // (a bitmap's data preceded by its 32-bit length).
  void LoadFromStream(const std::vector<unsigned char>& stream);
  std::vector<unsigned char> SaveToStream() const;
  // An artwork file by its extension: .bmp or .ico.
  void LoadFromFileBytes(const std::string& fileName, std::span<const unsigned char> data, bool lasting = false);
  TNotifyEvent OnChange;
  static const TPropTable& Properties();
private:
  void Changed() { if (OnChange) OnChange(this); }
  std::unique_ptr<TGraphic> graphic_;
};

// A stored glyph: 32-bit little-endian length, then a .bmp file image.
std::vector<unsigned char> StripLengthPrefix(const std::vector<unsigned char>& data);
// The property entry of a stored glyph (Glyph.Data): length-prefixed bytes, or an artwork file.
TPropInfo GlyphDataProp(TBitmap* (*glyphOf)(TPersistent& owner));
// The same, handed to a setter the owner may override.
TPropInfo GlyphSetterProp(void (*setGlyph)(TPersistent& owner, const TBitmap& glyph));
// The same for a stored icon (Icon.Data): the .ico file image as it is, or an artwork file.
TPropInfo IconDataProp(TIcon* (*iconOf)(TPersistent& owner));
