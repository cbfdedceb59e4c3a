// TOmCustomLabel and TOmLabel: the full label, with a bevel around its text and a caption effect
// (that may rotate it), nine alignments, word wrap and sizing to its text.
#pragma once
#include <memory>
#include "controls/drawing/bevel.h"
#include "controls/drawing/fx_caption.h"
#include "controls/labels/base_label.h"

class TOmCustomLabel : public TOmBaseLabel {
public:
  explicit TOmCustomLabel(TComponent* owner);
  ~TOmCustomLabel() override;

  TOmBevel* Bevel() const { return bevel_.get(); }
  void SetBevel(const TOmBevel& bevel) { bevel_->Assign(bevel); }
  TOmFxCaption* FontFX() const { return fontFX_.get(); }
  void SetFontFX(const TOmFxCaption& fx) { fontFX_->Assign(fx); }

  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void Paint() override;
  void FontUpdated(TObject* sender) override;
  void AdjustAutoSize() override;
  bool PaintsNothing() const override { return TOmBaseLabel::PaintsNothing() && bevel_->Extent() == 0; }

private:
  std::unique_ptr<TOmBevel> bevel_;
  std::unique_ptr<TOmFxCaption> fontFX_;
};

class TOmLabel : public TOmCustomLabel {
public:
  using TOmCustomLabel::TOmCustomLabel;
};
