// TOmCustomParentPanel (a bevel panel that can show an image-list image as the background of
// itself and its transparent children), TOmCustomGroupBox and TOmGroupBox: a frame with its
// caption set into any side, rotated on the left and right.
#pragma once
#include <memory>
#include "controls/drawing/fx_caption.h"
#include "controls/labels/custom_control.h"

class TOmCustomParentPanel : public TOmCustomBevelPanel {
public:
  explicit TOmCustomParentPanel(TComponent* owner);
  ~TOmCustomParentPanel() override;

  const TBitmap* Picture() const { return picture_.get(); }
  bool HasBackgroundImage() const override;
  TBitmap* BackgroundImage() const override;
  POINT MapToBackground(POINT point) const override;
  bool CopyBackground(TCanvas& canvas, const RECT& rect, unsigned flags, POINT origin) override;
  void WndProc(TMessage& message) override;
  void Loaded() override;

protected:
  bool UsesParentBackground() const override;
  bool NeedsDesignOutline() const override;
  void SubObjectChanged(TObject* sender) override;
  void ImageListChanged(TObject* sender) override;
  // onResize: keep a picture that still covers the client area.
  void RebuildPicture(bool onResize);

private:
  std::unique_ptr<TBitmap> picture_;
};

enum TOmGroupCaptionAlign {
  gcaTopLeft, gcaTopCenter, gcaTopRight, gcaLeftBottom, gcaLeftCenter, gcaLeftTop,
  gcaBottomLeft, gcaBottomCenter, gcaBottomRight, gcaRightTop, gcaRightCenter, gcaRightBottom,
};
enum TOmGroupCaptionSide { gcsTop, gcsLeft, gcsBottom, gcsRight };

// Where a caption alignment puts the caption: the side, the text's angle, the placement of the
// text in the caption rectangle, and whether CaptionOffset counts from the side's start or end.
struct TOmGroupCaptionPlace {
  TOmGroupCaptionSide side;
  int angle;
  TOmAlignment placement;
  bool offsetAtStart, offsetAtEnd;
};
TOmGroupCaptionPlace OmGroupCaptionPlace(TOmGroupCaptionAlign alignment);
// A caption along the top or bottom at the other end, as a right-to-left box shows it.
TOmGroupCaptionAlign OmMirroredCaption(TOmGroupCaptionAlign alignment);
// The caption and frame rectangles of a box of the given size, band height and offset.
void OmGroupBoxLayout(TOmGroupCaptionAlign alignment, int width, int height, int band, int offset, RECT& caption,
                      RECT& frame);

class TOmCustomGroupBox : public TOmCustomParentPanel {
public:
  explicit TOmCustomGroupBox(TComponent* owner);
  ~TOmCustomGroupBox() override;

  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  TOmGroupCaptionAlign Alignment() const { return alignment_; }
  void SetAlignment(TOmGroupCaptionAlign value);
  int CaptionOffset() const { return captionOffset_; }
  void SetCaptionOffset(int value);
  TFont* CaptionFont() const { return captionFont_.get(); }
  void SetCaptionFont(const TFont& font) { captionFont_->Assign(font); }
  bool CaptionParentFont() const { return captionParentFont_; }
  void SetCaptionParentFont(bool value);
  TOm3DCaption* CaptionFont3D() const { return captionFont3D_.get(); }
  void SetCaptionFont3D(const TOm3DCaption& caption) { captionFont3D_->Assign(caption); }
  int BandHeight() const { return bandHeight_; }

  void WndProc(TMessage& message) override;
  void DescribeAccessible(TAccessibleInfo& info) const override;
  void Loaded() override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  bool SupportsThemes() const override { return true; }
  bool BorderIsTheWindows() const override { return false; }  // it draws its frame inside
  void SubObjectChanged(TObject* sender) override;
  void CreateParams(TCreateParams& params) override;
  void AlignControls(RECT& rect) override;
  void Paint() override;
  void DrawFrame(const RECT& rect);

private:
  void MeasureCaption();

  bool showAccelChar_ = true;
  TOmGroupCaptionAlign alignment_ = gcaTopLeft;
  int captionOffset_ = 8;
  std::unique_ptr<TFont> captionFont_;
  bool captionParentFont_ = true;
  std::unique_ptr<TOm3DCaption> captionFont3D_;
  int bandHeight_ = 0;
  std::unique_ptr<TOmFxCaption> rotated_;  // CaptionFont3D with the angle of the alignment
  bool measuring_ = false;
};

class TOmGroupBox : public TOmCustomGroupBox {
public:
  using TOmCustomGroupBox::TOmCustomGroupBox;
};

const TEnumNames<TOmGroupCaptionAlign>& OmGroupCaptionAlignNames();
