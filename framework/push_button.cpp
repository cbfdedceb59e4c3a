#include "framework/push_button.h"
#include <commctrl.h>
#include "framework/properties.h"

TButton::TButton(TComponent* owner) : TWinControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  glyph_->OnChange = [this](TObject*) { ApplyGlyph(); };
}

TButton::~TButton() {
  DestroyHandle();
  if (imageList_) ImageList_Destroy(imageList_);
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = L"BUTTON";
  params.systemClass = true;
  params.style = (params.style & ~(WS_CLIPCHILDREN)) | BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyGlyph();
}

void TButton::ApplyGlyph() {
  if (!HandleAllocated() || glyph_->Empty()) return;
  if (imageList_) ImageList_Destroy(imageList_);
  // Magenta (the glyph's transparent colour) is keyed out by the image list's mask.
  imageList_ = ImageList_Create(glyph_->Width(), glyph_->Height(), ILC_COLOR24 | ILC_MASK, 1, 0);
  // The list takes a 24-bit copy: it cannot select a bitmap that a canvas still holds.
  TBitmap opaque;
  opaque.SetSize(glyph_->Width(), glyph_->Height());
  {
    TMemoryDC dc;
    HGDIOBJ old = SelectObject(dc.Get(), opaque.Handle());
    RECT r{0, 0, glyph_->Width(), glyph_->Height()};
    glyph_->DrawOn(dc.Get(), r);
    SelectObject(dc.Get(), old);
  }
  ImageList_AddMasked(imageList_, opaque.Handle(), ColorToRGB(glyph_->TransparentColor()));
  BUTTON_IMAGELIST list{imageList_, {4, 0, 2, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
  SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if ((m.WParam == VK_RETURN && (Focused() || default_)) || (m.WParam == VK_ESCAPE && cancel_)) {
        Click();
        m.Result = 1;
      }
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

const TPropTable& TButton::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TWinControl::Properties());
    t.Add("Default", BoolProp(&TButton::SetDefault));
    t.Add("Cancel", BoolProp(&TButton::SetCancel));
    t.Add("Glyph.Data", GlyphDataProp([](TPersistent& owner) { return static_cast<TButton&>(owner).Glyph(); }));
    return t;
  }();
  return table;
}
