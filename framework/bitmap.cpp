#include "framework/bitmap.h"
#include <cstring>
#include "framework/properties.h"

namespace {
template <class T>
T ReadAt(std::span<const unsigned char> data, size_t offset) {
  if (offset + sizeof(T) > data.size()) throw EInvalidOperation("Bitmap image is not valid");
  T value;
  std::memcpy(&value, data.data() + offset, sizeof(T));
  return value;
}

size_t Stride(int width, int bitCount) { return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4; }

TPixelFormat FormatOf(int bitCount) {
  switch (bitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: throw EInvalidOperation("Bitmap image is not valid");
  }
}

int BitCountOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf32bit: return 32;
    default: return 24;
  }
}

// Draws `bitmap` selected into `source` onto dc, keying out `key` when transparent.
void Blit(HDC dc, const RECT& rect, HDC source, int width, int height, bool transparent, COLORREF key) {
  int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (transparent) {
    GdiTransparentBlt(dc, rect.left, rect.top, w, h, source, 0, 0, width, height, key);
  } else if (w == width && h == height) {
    BitBlt(dc, rect.left, rect.top, w, h, source, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, w, h, source, 0, 0, width, height, SRCCOPY);
  }
}
}  // namespace

void TGraphic::SetTransparent(bool transparent) {
  if (transparent != transparent_) { transparent_ = transparent; Changed(); }
}

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() { ReleaseCanvas(); }

void TBitmap::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TBitmap*>(&source);
  if (!other) return TGraphic::Assign(source);
  if (other->Empty()) return Clear();
  LoadFromBytes(other->SaveToBytes());
  transparent_ = other->transparent_;
  transparentColor_ = other->transparentColor_;
}

void TBitmap::Clear() {
  ReleaseCanvas();
  handle_.Reset();
  lastingBits_ = nullptr;
  width_ = height_ = 0;
  Changed();
}

void TBitmap::TakeSizeAndFormat(const BITMAPINFO& info) {
  width_ = info.bmiHeader.biWidth;
  height_ = std::abs(info.bmiHeader.biHeight);
  format_ = FormatOf(info.bmiHeader.biBitCount);
}

void TBitmap::ReleaseCanvas() {
  if (!canvasDC_) return;
  canvas_->SetHandle(nullptr);
  SelectObject(canvasDC_, canvasOld_);
  DeleteDC(canvasDC_);
  canvasDC_ = nullptr;
  canvasOld_ = nullptr;
}

HBITMAP TBitmap::Handle() const {
  MakeOwnImage();
  return handle_.Get();
}

size_t TBitmap::BitsSize() const { return Stride(width_, Info().bmiHeader.biBitCount) * height_; }

void TBitmap::MakeOwnImage() const {
  if (!lastingBits_) return;
  MakeSection(Info(), lastingBits_, BitsSize());
  lastingBits_ = nullptr;
}

TCanvas& TBitmap::Canvas() {
  MakeOwnImage();
  if (!canvas_) canvas_ = std::make_unique<TCanvas>();
  if (!canvasDC_ && handle_) {
    canvasDC_ = CreateCompatibleDC(nullptr);
    canvasOld_ = SelectObject(canvasDC_, handle_.Get());
    canvas_->SetHandle(canvasDC_);
  }
  return *canvas_;
}

void TBitmap::MakeSection(const BITMAPINFO& info, const void* bits, size_t bitsSize) const {
  void* newBits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &newBits, nullptr, 0);
  if (!bitmap) throw EOutOfResources("Out of system resources");
  handle_.Reset(bitmap);
  bits_ = newBits;
  if (bits) std::memcpy(bits_, bits, bitsSize);
  else std::memset(bits_, 0xFF, bitsSize);
  GdiFlush();
}

void TBitmap::Create(const BITMAPINFO& info, const void* bits, size_t bitsSize) {
  ReleaseCanvas();
  lastingBits_ = nullptr;
  MakeSection(info, bits, bitsSize);
  TakeSizeAndFormat(info);
  Changed();
}

void TBitmap::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) return Clear();
  info_.assign(sizeof(BITMAPINFOHEADER), 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info_.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(BitCountOf(format_ == pfDevice ? pf24bit : format_));
  if (header->biBitCount <= 8) header->biBitCount = 24;
  header->biCompression = BI_RGB;
  Create(*reinterpret_cast<BITMAPINFO*>(info_.data()), nullptr, Stride(width, header->biBitCount) * height);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  format_ = format;
  if (!Empty()) SetSize(width_, height_);
}

TColor TBitmap::TransparentColor() const {
  if (transparentColor_ != clDefault) return transparentColor_;
  if (Empty()) return clDefault;
  MakeOwnImage();
  // While the canvas holds the image, no second context can select it.
  if (canvasDC_) return GetPixel(canvasDC_, 0, height_ - 1) & 0xFFFFFF;
  TMemoryDC dc;
  HGDIOBJ old = SelectObject(dc.Get(), handle_.Get());
  COLORREF pixel = GetPixel(dc.Get(), 0, height_ - 1);
  SelectObject(dc.Get(), old);
  return pixel & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color != transparentColor_) { transparentColor_ = color; Changed(); }
}

void TBitmap::DrawOn(HDC dc, const RECT& rect) const {
  if (Empty()) return;
  if (lastingBits_ && !transparent_) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w != width_ || h != height_) SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, rect.left, rect.top, w, h, 0, 0, width_, height_, lastingBits_, &Info(), DIB_RGB_COLORS, SRCCOPY);
    return;
  }
  MakeOwnImage();
  COLORREF key = transparent_ ? ColorToRGB(TransparentColor()) : 0;
  if (canvasDC_) {
    Blit(dc, rect, canvasDC_, width_, height_, transparent_, key);
    return;
  }
  TMemoryDC source;
  HGDIOBJ old = SelectObject(source.Get(), handle_.Get());
  Blit(dc, rect, source.Get(), width_, height_, transparent_, key);
  SelectObject(source.Get(), old);
}

void TBitmap::LoadFromBytes(std::span<const unsigned char> data) {
  const auto [bitsOffset, bitsSize] = ReadFileImage(data);
  Create(Info(), data.data() + bitsOffset, bitsSize);
}

void TBitmap::LoadFromLastingBytes(std::span<const unsigned char> data) {
  const size_t bitsOffset = ReadFileImage(data).first;
  ReleaseCanvas();
  handle_.Reset();
  bits_ = nullptr;
  lastingBits_ = data.data() + bitsOffset;
  TakeSizeAndFormat(Info());
  Changed();
}

std::pair<size_t, size_t> TBitmap::ReadFileImage(std::span<const unsigned char> data) {
  if (ReadAt<WORD>(data, 0) != 0x4D42) throw EInvalidOperation("Bitmap image is not valid");
  const auto bitsOffset = ReadAt<DWORD>(data, 10);
  const auto header = ReadAt<BITMAPINFOHEADER>(data, sizeof(BITMAPFILEHEADER));
  const int bitCount = header.biBitCount;
  FormatOf(bitCount);  // rejects what we do not draw
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
      header.biWidth > 32767 || std::abs(header.biHeight) > 32767 ||
      (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
    throw EInvalidOperation("Bitmap image is not valid");
  size_t colours = bitCount <= 8 ? (header.biClrUsed ? header.biClrUsed : (1u << bitCount)) : 0;
  if (colours > 256) throw EInvalidOperation("Bitmap image is not valid");
  size_t masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
  size_t infoStart = sizeof(BITMAPFILEHEADER);
  size_t infoSize = header.biSize + masks + colours * sizeof(RGBQUAD);
  size_t bitsSize = Stride(header.biWidth, bitCount) * std::abs(header.biHeight);
  if (infoStart + infoSize > data.size() || bitsOffset < infoStart + infoSize ||
      bitsOffset + bitsSize > data.size())
    throw EInvalidOperation("Bitmap image is not valid");
  // Keep a plain info header so the system reads the colour table where we put it.
  info_.assign(sizeof(BITMAPINFOHEADER) + masks + colours * sizeof(RGBQUAD), 0);
  std::memcpy(info_.data(), &header, sizeof(BITMAPINFOHEADER));
  reinterpret_cast<BITMAPINFOHEADER*>(info_.data())->biSize = sizeof(BITMAPINFOHEADER);
  std::memcpy(info_.data() + sizeof(BITMAPINFOHEADER), data.data() + infoStart + header.biSize,
              masks + colours * sizeof(RGBQUAD));
  return {bitsOffset, bitsSize};
}

std::vector<unsigned char> TBitmap::SaveToBytes() const {
  if (Empty()) return {};
  GdiFlush();
  const size_t bitsSize = BitsSize();
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = static_cast<DWORD>(sizeof(file) + info_.size());
  file.bfSize = static_cast<DWORD>(file.bfOffBits + bitsSize);
  std::vector<unsigned char> out(file.bfSize);
  std::memcpy(out.data(), &file, sizeof(file));
  std::memcpy(out.data() + sizeof(file), info_.data(), info_.size());
  std::memcpy(out.data() + file.bfOffBits, lastingBits_ ? lastingBits_ : bits_, bitsSize);
  return out;
}

TIcon::~TIcon() { Clear(); }

void TIcon::Clear() {
  if (handle_) DestroyIcon(handle_);
  handle_ = nullptr;
  width_ = height_ = 0;
  data_.clear();
}

void TIcon::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TIcon*>(&source);
  if (!other) return TGraphic::Assign(source);
  if (other->Empty()) { Clear(); Changed(); return; }
  LoadFromBytes(other->data_);
}

void TIcon::LoadFromBytes(std::span<const unsigned char> data) {
  const auto type = ReadAt<WORD>(data, 2);
  const auto count = ReadAt<WORD>(data, 4);
  if (ReadAt<WORD>(data, 0) != 0 || type != 1 || count == 0) throw EInvalidOperation("Icon image is not valid");
  // Directory entries: width, height, colours, reserved, planes, bit count, size, offset.
  const size_t entry = 6;
  const int width = ReadAt<BYTE>(data, entry) ? ReadAt<BYTE>(data, entry) : 256;
  const int height = ReadAt<BYTE>(data, entry + 1) ? ReadAt<BYTE>(data, entry + 1) : 256;
  const auto size = ReadAt<DWORD>(data, entry + 8);
  const auto offset = ReadAt<DWORD>(data, entry + 12);
  if (size == 0 || offset > data.size() || size > data.size() - offset) throw EInvalidOperation("Icon image is not valid");
  HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(data.data() + offset), size, TRUE, 0x00030000,
                                        width, height, LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidOperation("Icon image is not valid");
  Clear();
  handle_ = icon;
  width_ = width;
  height_ = height;
  data_.assign(data.begin(), data.end());
  Changed();
}

void TIcon::DrawOn(HDC dc, const RECT& rect) const {
  if (handle_) DrawIconEx(dc, rect.left, rect.top, handle_, rect.right - rect.left, rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
}

void TPicture::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TPicture*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (!other->graphic_) { SetGraphic(nullptr); return; }
  LoadFromStream(other->SaveToStream());
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) SetGraphic(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*graphic_);
}

std::vector<unsigned char> StripLengthPrefix(const std::vector<unsigned char>& data) {
  const auto length = ReadAt<DWORD>(data, 0);
  if (length > data.size() - 4) throw EInvalidOperation("Bitmap image is not valid");
  return {data.begin() + 4, data.begin() + 4 + length};
}

void TPicture::LoadFromStream(const std::vector<unsigned char>& stream) {
  if (stream.empty()) { SetGraphic(nullptr); return; }
  const size_t nameLength = stream[0];
  if (1 + nameLength > stream.size()) throw EInvalidOperation("Picture data is not valid");
  std::string className(stream.begin() + 1, stream.begin() + 1 + nameLength);
  std::vector<unsigned char> rest(stream.begin() + 1 + nameLength, stream.end());
  std::unique_ptr<TGraphic> graphic;
  if (className == "TBitmap") {
    graphic = std::make_unique<TBitmap>();
    rest = StripLengthPrefix(rest);
  } else if (className == "TIcon") {
    graphic = std::make_unique<TIcon>();
  } else {
    throw EInvalidOperation("Unknown picture class '" + className + "'");
  }
  graphic->LoadFromBytes(rest);
  SetGraphic(std::move(graphic));
}

std::vector<unsigned char> TPicture::SaveToStream() const {
  if (!graphic_) return {};
  std::string name = graphic_->ClassName();
  std::vector<unsigned char> out{static_cast<unsigned char>(name.size())};
  out.insert(out.end(), name.begin(), name.end());
  std::vector<unsigned char> data = graphic_->SaveToBytes();
  if (dynamic_cast<const TBitmap*>(graphic_.get())) {
    auto length = static_cast<DWORD>(data.size());
    out.insert(out.end(), reinterpret_cast<unsigned char*>(&length), reinterpret_cast<unsigned char*>(&length) + 4);
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

void TPicture::LoadFromFileBytes(const std::string& fileName, std::span<const unsigned char> data, bool lasting) {
  std::string ext = fileName.size() >= 4 ? fileName.substr(fileName.size() - 4) : "";
  std::unique_ptr<TGraphic> graphic;
  if (_stricmp(ext.c_str(), ".ico") == 0) graphic = std::make_unique<TIcon>();
  else if (_stricmp(ext.c_str(), ".bmp") == 0) graphic = std::make_unique<TBitmap>();
  else throw EInvalidOperation("Unknown picture file '" + fileName + "'");
  auto* bitmap = dynamic_cast<TBitmap*>(graphic.get());
  if (bitmap && lasting) bitmap->LoadFromLastingBytes(data);
  else graphic->LoadFromBytes(data);
  SetGraphic(std::move(graphic));
}

const TPropTable& TPicture::Properties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add("Data", {[](TPersistent& p, const TFormValue& v, TReadContext& context) {
      auto& picture = static_cast<TPicture&>(p);
      if (v.kind == TFormValue::Kind::FileRef) {
        const TFileBytes bytes = context.ResolveFile(v.text);
        picture.LoadFromFileBytes(v.text, bytes, bytes.Lasting());
      }
      else picture.LoadFromStream(ValueToBytes(v, context));
    }, nullptr, nullptr});
    return t;
  }();
  return table;
}

TPropInfo IconDataProp(TIcon* (*iconOf)(TPersistent& owner)) {
  return {[iconOf](TPersistent& owner, const TFormValue& v, TReadContext& context) {
    if (v.kind == TFormValue::Kind::FileRef) iconOf(owner)->LoadFromBytes(context.ResolveFile(v.text));
    else iconOf(owner)->LoadFromBytes(ValueToBytes(v, context));
  }, nullptr, nullptr};
}

namespace {
void ReadGlyph(TBitmap& glyph, const TFormValue& v, TReadContext& context) {
  if (v.kind == TFormValue::Kind::FileRef) glyph.LoadFromBytes(context.ResolveFile(v.text));
  else glyph.LoadFromBytes(StripLengthPrefix(ValueToBytes(v, context)));
}
}  // namespace

TPropInfo GlyphDataProp(TBitmap* (*glyphOf)(TPersistent& owner)) {
  return {[glyphOf](TPersistent& owner, const TFormValue& v, TReadContext& context) {
    ReadGlyph(*glyphOf(owner), v, context);
  }, nullptr, nullptr};
}

TPropInfo GlyphSetterProp(void (*setGlyph)(TPersistent& owner, const TBitmap& glyph)) {
  return {[setGlyph](TPersistent& owner, const TFormValue& v, TReadContext& context) {
    TBitmap glyph;
    ReadGlyph(glyph, v, context);
    setGlyph(owner, glyph);
  }, nullptr, nullptr};
}
