#include "controls/buttons/button.h"
#include <utility>
#include "controls/drawing/om_messages.h"
#include "framework/properties.h"
#include "framework/themes.h"

namespace {
constexpr UINT_PTR kRepeatTimer = 0x4F4D;
// Theme parts and states (vssym32): every part here numbers its states alike.
constexpr int kPartPushButton = 1, kPartDropDownButton = 1, kPartToolButton = 1, kPartToolSplit = 3,
              kPartToolSplitDropDown = 4;
constexpr int kStateNormal = 1, kStateHot = 2, kStatePressed = 3, kStateDisabled = 4;

bool IsThemedStyle(TOmUserButtonStyle style) {
  return style == ubsWinXP || style == ubsWinXPCombo || style == ubsWinXPTool;
}

bool IsExplorer(TOmUserButtonStyle style) { return style == ubsExplorer || style == ubsExplorerColored; }

void Edge(TCanvas& canvas, RECT& r, UINT edge, UINT flags) { DrawEdge(canvas.Handle(), &r, edge, flags); }

void FaceCorners(TCanvas& canvas, const RECT& r) {
  for (POINT p : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                  POINT{r.right - 1, r.bottom - 1}})
    canvas.SetPixel(p.x, p.y, clBtnFace);
}

// A checkered brush of the face colour and the highlight, the look of a latched button.
void FillDithered(TCanvas& canvas, const RECT& r, TColor color) {
  static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  TGdiHandle<HBITMAP> pattern(CreateBitmap(8, 8, 1, 1, kChecker));
  TGdiHandle<HBRUSH> brush(CreatePatternBrush(pattern.Get()));
  HDC dc = canvas.Handle();
  const COLORREF oldText = SetTextColor(dc, ColorToRGB(color)), oldBack = SetBkColor(dc, ColorToRGB(clBtnHighlight));
  FillRect(dc, &r, brush.Get());
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

enum class TFaceForm { Raised, FlatWin40, Win31, Outlined, Flat, Integrated };
}  // namespace

TOmUserButtonStyle OmResolveButtonStyle(TOmUserButtonStyle style, bool themesInUse) {
  if (themesInUse) return style == ubsAutoDetect ? ubsWinXP : style;
  switch (style) {
    case ubsWinXP: return ubsWin40;
    case ubsWinXPCombo: return ubsIntegrated;
    case ubsWinXPTool: return ubsExplorerColored;
    default: return style;
  }
}

void OmDrawClassicButton(TCanvas& canvas, bool hot, RECT& r, TColor color, UINT flags, int drawState,
                         TOmUserButtonStyle style) {
  if (style == ubsAutoDetect) style = ubsWin40;  // every system we run on has new-style controls
  TFaceForm form = TFaceForm::Raised;
  if (style == ubsOutlined) form = TFaceForm::Outlined;
  else if (style == ubsWin40) form = (flags & kOmFrameFlatWin40) ? TFaceForm::FlatWin40 : TFaceForm::Raised;
  else if (style >= ubsOutlinedFlat && style <= ubsExplorerColored) form = TFaceForm::Flat;
  else if (style == ubsWin31) form = TFaceForm::Win31;
  else if (style == ubsIntegrated) form = TFaceForm::Integrated;

  TPen& pen = canvas.Pen();
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  pen.SetColor(clBlack);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);

  bool pressed = false;
  if (drawState == 3) {
    pressed = true;
    if (!IsExplorer(style)) {
      if (form == TFaceForm::Flat && hot) canvas.FillRect(r);
      else FillDithered(canvas, r, color);
    }
  } else {
    pressed = drawState == 4 || drawState == 6 || drawState == 7;
    if (!IsExplorer(style)) canvas.FillRect(r);
  }

  if (!pressed && (flags & (kOmFrameActive | kOmFrameFocused))) {
    Edge(canvas, r, BDR_SUNKENOUTER, BF_LEFT | BF_TOP | BF_SOFT);
    Edge(canvas, r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
    if (style == ubsWin31 && (flags & kOmFrameDefault)) {
      FaceCorners(canvas, r);
      flags &= ~kOmFrameDefault;
    }
    InflateRect(&r, -1, -1);
  }
  RECT content = r;

  switch (form) {
    case TFaceForm::Raised:
      if (pressed) {
        canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        InflateRect(&r, -1, -1);
        pen.SetColor(clGray);
        canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        InflateRect(&r, 1, 1);
        pen.SetColor(clBlack);
      } else {
        Edge(canvas, r, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
        Edge(canvas, r, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM | BF_ADJUST);
      }
      break;
    case TFaceForm::FlatWin40:
      Edge(canvas, r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      break;
    case TFaceForm::Win31:
      Edge(canvas, r, BDR_SUNKENOUTER, BF_LEFT | BF_TOP | BF_SOFT);
      Edge(canvas, r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
      if (flags & kOmFrameDefault) FaceCorners(canvas, r);
      InflateRect(&r, -1, -1);
      if (pressed) {
        Edge(canvas, r, BDR_SUNKENINNER, BF_LEFT | BF_TOP);
      } else {
        Edge(canvas, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        Edge(canvas, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      }
      InflateRect(&content, -1, -1);
      break;
    case TFaceForm::Outlined:
      if (pressed) {
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        canvas.Brush().SetStyle(bsSolid);
        pen.SetColor(clGray);
        canvas.MoveTo(r.left + 1, r.top + 1);
        canvas.LineTo(r.right - 1, r.top + 1);
        canvas.MoveTo(r.left + 1, r.top + 1);
        canvas.LineTo(r.left + 1, r.bottom - 1);
        pen.SetColor(clBlack);
      } else {
        canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        InflateRect(&r, -1, -1);
        Edge(canvas, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        InflateRect(&r, 1, 1);
      }
      break;
    case TFaceForm::Flat:
      if ((style == ubsNavigator || style == ubsOutlinedFlat) && (pressed || hot)) {
        canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        InflateRect(&r, -1, -1);
      }
      if (pressed) Edge(canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
      else if (hot) Edge(canvas, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      else if (!IsExplorer(style)) canvas.FillRect(r);
      break;
    case TFaceForm::Integrated:
      if (pressed) {
        pen.SetColor(clGray);
        canvas.Rectangle(r.left, r.top, r.right, r.bottom);
      } else {
        canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        pen.SetColor(clBtnFace);
        canvas.MoveTo(r.right - 2, r.top);
        canvas.LineTo(r.left, r.top);
        canvas.LineTo(r.left, r.bottom - 1);
        pen.SetColor(clWhite);
        canvas.Rectangle(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
        pen.SetColor(clGray);
        canvas.MoveTo(r.right - 2, r.top + 1);
        canvas.LineTo(r.right - 2, r.bottom - 2);
        canvas.LineTo(r.left, r.bottom - 2);
      }
      pen.SetColor(clBlack);
      break;
  }

  if (flags & kOmFrameActive) {
    RECT focus = content;
    InflateRect(&focus, pressed ? -4 : -3, pressed ? -4 : -3);
    canvas.DrawFocusRect(focus);
  }
  r = content;
  InflateRect(&r, -3, -3);
  if (pressed) OffsetRect(&r, 1, 1);
}

void OmDrawButtonFrame(HWND window, TCanvas& canvas, bool hot, TColor color, UINT flags, int drawState,
                       TOmUserButtonStyle style, RECT& r) {
  style = OmResolveButtonStyle(style, ThemesInUse());
  if (!IsThemedStyle(style)) return OmDrawClassicButton(canvas, hot, r, color, flags, drawState, style);
  const wchar_t* themeClass = L"BUTTON";
  int part = kPartPushButton;
  if (style == ubsWinXPCombo) {
    themeClass = L"COMBOBOX";
    part = kPartDropDownButton;
  } else if (style == ubsWinXPTool) {
    themeClass = L"TOOLBAR";
    part = (flags & kOmFrameSplit) ? ((flags & kOmFrameDropDown) ? kPartToolSplitDropDown : kPartToolSplit)
                                   : kPartToolButton;
  }
  TThemeData theme(window, themeClass);
  // A theme without this class draws like the classic look it stands for.
  if (!theme) return OmDrawClassicButton(canvas, hot, r, color, flags, drawState, OmResolveButtonStyle(style, false));
  int state = kStateNormal;
  if (drawState == 1 || drawState == 7) state = kStateDisabled;
  else if (drawState == 3 || drawState == 4 || drawState == 6) state = kStatePressed;
  else if (hot) state = kStateHot;
  // The face fills the button: grown by a pixel, as the content rectangle is, the theme's own
  // border would fall outside the window.
  theme.DrawBackground(canvas.Handle(), part, state, r, &r);
  if (style == ubsWinXP) InflateRect(&r, 1, 1);
  InflateRect(&r, -3, -3);
  if (flags & kOmFrameActive) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.DrawFocusRect(r);
  }
}

TOmCustomButton::TOmCustomButton(TComponent* owner)
    : TButton(owner),
      buttonLayout_(std::make_unique<TOmButtonLayout>()),
      fontFX_(std::make_unique<TOmFxCaption>()),
      glyph_(std::make_unique<TOmGlyph>()) {
  auto changed = [this](TObject* sender) { ButtonContentChanged(sender); };
  buttonLayout_->OnChange = changed;
  fontFX_->OnChange = changed;
  glyph_->OnChange = changed;
  imageLink_.OnChange = [this](TObject*) { UpdateFromImageList(); };
  SetBounds(Left(), Top(), 75, 25);
  themeListener_ = AddThemeSwitchListener([this] { Perform(OMSG_THEMECHANGED); });
}

TOmCustomButton::~TOmCustomButton() {
  RemoveThemeSwitchListener(themeListener_);
  StopRepeat();
  DestroyHandle();
  buttonLayout_->OnChange = nullptr;
  fontFX_->OnChange = nullptr;
  glyph_->OnChange = nullptr;
  if (imageList_) imageList_->UnRegisterChanges(imageLink_);
}

void TOmCustomButton::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  // The type bits only: the button stays a push button to everything that reads its style.
  params.style = (params.style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TOmCustomButton::SetGlyph(const TBitmap* bitmap) {
  if (!IsLoading()) SetImageList(nullptr);
  glyph_->TakeBitmap(bitmap);
  Invalidate();
}

void TOmCustomButton::SetNumGlyphs(int count) {
  if (count == glyph_->NumGlyphs()) return;
  glyph_->ChangeImageCount(count);
  Invalidate();
}

void TOmCustomButton::SetExtStyle(TOmUserButtonStyle style) {
  if (style == extStyle_) return;
  const bool grey = style == ubsFlatUnColored || style == ubsNavigator || style == ubsExplorer;
  glyph_->ChangeGlyphStyle(grey ? 1 : 0);
  extStyle_ = style;
  Invalidate();
}

void TOmCustomButton::SetMultiLine(bool value) {
  multiLine_ = value;
  ButtonContentChanged(this);
}

void TOmCustomButton::SetUseCaption(bool value) {
  useCaption_ = value;
  ButtonContentChanged(this);
}

void TOmCustomButton::SetImageList(TOmCustomImageList* list) {
  if (list == imageList_) return;
  if (imageList_) {
    imageList_->UnRegisterChanges(imageLink_);
    RemoveFreeNotification(imageList_);
  }
  imageList_ = list;
  if (list) {
    list->RegisterChanges(imageLink_);
    FreeNotification(list);
  }
  UpdateFromImageList();
}

void TOmCustomButton::SetImageIndex(int index) {
  if (index < 0 || index == imageIndex_) return;
  imageIndex_ = index;
  UpdateFromImageList();
}

void TOmCustomButton::SetListIndex(int index) {
  if (index < 0 || index == listIndex_) return;
  listIndex_ = index;
  UpdateFromImageList();
}

void TOmCustomButton::UpdateFromImageList() {
  if (!imageList_ || IsLoading()) return;
  const TBitmap* image = imageList_->Image(listIndex_, imageIndex_);
  if (!image) {
    glyph_->TakeBitmap(nullptr);
  } else {
    TBitmap copy;  // the glyph takes its own copy, the list keeps its image
    copy.Assign(*image);
    glyph_->TakeBitmap(&copy);
  }
  Invalidate();
}

void TOmCustomButton::SetDropDownMenu(TPopupMenu* menu) { SetReference(dropDownMenu_, menu); }

void TOmCustomButton::Notification(TComponent* component, TOperation operation) {
  TButton::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == dropDownMenu_) dropDownMenu_ = nullptr;
  if (component == imageList_) imageList_ = nullptr;  // the dying list has let go of the link
}

void TOmCustomButton::ButtonContentChanged(TObject* sender) {
  if (IsLoading()) return;
  const bool fromFont = sender == Font(), fromFX = sender == fontFX_.get();
  if (fromFX) SetParentFont(false);  // a font of its own: the parent's would undo the effect
  if ((fromFont || fromFX) && fontFX_->Angle() != 0 && !OmIsTrueTypeFont(*Font())) {
    if (fromFont) {
      fontFX_->SetAngle(0);  // comes back here through the record's change
      return;
    }
    Font()->SetName(kOmRotatableFace);  // the font change repaints
    return;
  }
  Invalidate();
}

void TOmCustomButton::SetActiveLook(bool active) {
  if (active == active_) return;
  active_ = active;
  // The button gaining the focus is drawn by the system at once; the others can wait for the
  // next paint instead of each painting now, before the window's first paint.
  Invalidate();
}

void TOmCustomButton::SetVisible(bool visible) {
  if (!visible) {
    hot_ = false;
    StopRepeat();
  }
  TButton::SetVisible(visible);
}

void TOmCustomButton::Click() {
  if (!dropDownMenu_ || menuOpen_) return TButton::Click();
  if (OnClick) OnClick(this);
  DropDown();
}

void TOmCustomButton::DropDown() {
  if (!dropDownMenu_ || menuOpen_) return;
  if (!active_) SetFocus();
  HWND window = Handle();
  SendMessageW(window, BM_SETSTATE, TRUE, 0);
  Repaint();
  struct TOpen {
    TOmCustomButton& button;
    ~TOpen() {
      button.menuOpen_ = false;
      button.drawState_ = kOmDrawUp;
      if (button.HandleAllocated()) SendMessageW(button.Handle(), BM_SETSTATE, FALSE, 0);
    }
  } open{*this};
  menuOpen_ = true;
  if (OnDropDown) OnDropDown(this);
  if (!dropDownMenu_) return;  // the handler may have removed it
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  const POINT at = dropDownRight_ ? POINT{origin.x + Width(), origin.y + dropDownIndent_}
                                  : POINT{origin.x + dropDownIndent_, origin.y + Height()};
  dropDownMenu_->Popup(at.x, at.y, window);
  // The click that closed the menu must not press the button again.
  MSG pending;
  while (PeekMessageW(&pending, window, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {}
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
}

void TOmCustomButton::StopRepeat() {
  if (!repeatTimer_) return;
  repeatTimer_ = false;
  if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
}

void TOmCustomButton::RepeatTick() {
  SetTimer(Handle(), kRepeatTimer, repeatingInterval_, nullptr);
  Click();
}

void TOmCustomButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM: {
      // Drawn whole through the kept buffer, so the parent can show the picture again unpainted.
      DRAWITEMSTRUCT item = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      PaintKept(item.hDC, [&](HDC buffer) {
        item.hDC = buffer;
        item.rcItem = ClientRect();
        DrawButton(item);
      });
      m.Result = TRUE;
      return;
    }
    case WM_ERASEBKGND:
      m.Result = 1;  // the drawing covers the whole client
      return;
    case CN_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      item->itemWidth = Width();
      item->itemHeight = Height();
      m.Result = TRUE;
      return;
    }
    case CM_MOUSEENTER:
      TButton::WndProc(m);
      if (IsDesigning()) return;
      if (drawState_ == kOmDrawUp && OnMouseEnter) OnMouseEnter(this);
      if (!hot_) {
        hot_ = true;
        Repaint();
      }
      return;
    case CM_MOUSELEAVE:
      TButton::WndProc(m);
      if (IsDesigning()) return;
      if (OnMouseExit) OnMouseExit(this);
      if (hot_) {
        hot_ = false;
        drawState_ = kOmDrawUp;
        Repaint();
      }
      return;
    case WM_MOUSEMOVE: {
      TButton::WndProc(m);
      // While the button holds the capture no leave arrives: follow the pointer itself.
      if (GetCapture() == Handle() && !IsDesigning()) {
        RECT client = ClientRect();
        const bool inside = PtInRect(&client, POINT{static_cast<short>(LOWORD(m.LParam)),
                                                   static_cast<short>(HIWORD(m.LParam))}) != FALSE;
        if (inside != hot_) {
          hot_ = inside;
          Repaint();
        }
      }
      return;
    }
    case CM_ENABLEDCHANGED:
      TButton::WndProc(m);
      Invalidate();
      return;
    case CM_FONTCHANGED:
      TButton::WndProc(m);
      ButtonContentChanged(Font());
      return;
    case WM_LBUTTONDBLCLK:
      // The system sends an owner-drawn button's double click as a notification of its own;
      // as a second press it clicks twice, like a plain push button.
      m.Msg = WM_LBUTTONDOWN;
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      TButton::WndProc(m);
      if (repeatedClick_ && !repeatTimer_) {
        if (!SetTimer(Handle(), kRepeatTimer, repeatingDelay_, nullptr))
          throw EOutOfResources("Not enough timers available");
        repeatTimer_ = true;
      }
      return;
    case WM_LBUTTONUP:
      TButton::WndProc(m);
      StopRepeat();
      return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // A lost capture ends the press: no repeat may go on clicking.
      TButton::WndProc(m);
      StopRepeat();
      return;
    case WM_TIMER:
      if (m.WParam == kRepeatTimer) {
        if (hot_) RepeatTick();
        return;
      }
      break;
    case OMSG_THEMECHANGED:
      Invalidate();
      return;
    case WM_THEMECHANGED:
      TButton::WndProc(m);
      Invalidate();
      return;
    default:
      break;
  }
  TButton::WndProc(m);
}

// Drawn as the system would ask for it now: pressed and focused as the button's state says.
bool TOmCustomButton::PaintPictureAhead(HDC target) {
  const LRESULT state = SendMessageW(Handle(), BM_GETSTATE, 0, 0);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(Handle()));
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = ((state & BST_PUSHED) ? ODS_SELECTED : 0u) | ((state & BST_FOCUS) ? ODS_FOCUS : 0u) |
                   (IsWindowEnabled(Handle()) ? 0u : ODS_DISABLED);
  item.hwndItem = Handle();
  item.rcItem = ClientRect();
  return PaintPicture(target, [&](HDC buffer) {
    item.hDC = buffer;
    DrawButton(item);
  });
}

void TOmCustomButton::DrawButton(const DRAWITEMSTRUCT& item) {
  TCanvasBinding binding(canvas_, item.hDC);
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0, focused = (item.itemState & ODS_FOCUS) != 0;
  drawState_ = !Enabled() ? kOmDrawDisabled : pressed ? kOmDrawPressed : hot_ ? kOmDrawHot : kOmDrawUp;
  UINT flags = kOmFrameDefault;
  if (active_) flags |= kOmFrameActive;
  if (focused) flags |= kOmFrameFocused;
  if (hot_) flags |= kOmFrameHot;
  canvas_.Brush().SetStyle(bsSolid);
  canvas_.Brush().SetColor(Color());
  switch (extStyle_) {
    case ubsExplorer: case ubsExplorerColored: case ubsWinXP: case ubsWinXPCombo: case ubsWinXPTool:
      canvas_.FillRect(r);
      break;
    case ubsAutoDetect:
      // A themed face has rounded corners: what lies behind the button shows there.
      if (ThemesInUse()) DrawThemeParentBackgroundOf(item.hwndItem, item.hDC, &r);
      break;
    default:
      break;
  }
  OmDrawButtonFrame(item.hwndItem, canvas_, hot_, Color(), flags, drawState_, extStyle_, r);
  if (extStyle_ == ubsWinXPCombo && ThemesInUse()) return;
  canvas_.Font().Assign(*Font());
  DrawCaption(canvas_, r, DrawTextBiDiModeFlags(0));
}

void TOmCustomButton::DrawCaption(TCanvas& canvas, RECT& r, UINT format) {
  const std::string text = useCaption_ ? Caption() : std::string();
  TOmTextDrawFlags flags{Enabled() ? dfEnabled : dfDisabled, dfAutoSunken};
  glyph_->DrawGlyphImage(canvas, text, format, multiLine_, flags, *buttonLayout_, drawState_, r, fontFX_.get());
}

void TOmCustomButton::Loaded() {
  TButton::Loaded();
  UpdateFromImageList();
  Invalidate();
}

void TOmCustomButton::WriteCustomProperties(std::vector<TFormProperty>& out) const {
  TButton::WriteCustomProperties(out);
  OmWriteInternalList(imageList_, out);
}

bool TOmCustomButton::ReadCustomProperty(const std::string& name, const TFormValue& value) {
  if (TOmCustomImageList* shared = nullptr; OmReadInternalList(name, value, shared)) {
    SetImageList(shared);
    return true;
  }
  if (_stricmp(name.c_str(), "Style") != 0) return TButton::ReadCustomProperty(name, value);
  // The older three-look property, read for descriptions that still carry it.
  static const TEnumNames<TOmUserButtonStyle> legacy = {
      {"nbsAutoDetect", ubsAutoDetect}, {"nbsWin31", ubsWin31}, {"nbsWin40", ubsWin40}};
  SetExtStyle(ValueToEnum(value, legacy));
  return true;
}

const TEnumNames<TOmUserButtonStyle>& OmUserButtonStyleNames() {
  static const TEnumNames<TOmUserButtonStyle> names = {
      {"ubsAutoDetect", ubsAutoDetect}, {"ubsWin31", ubsWin31}, {"ubsWin40", ubsWin40},
      {"ubsOutlined", ubsOutlined}, {"ubsOutlinedFlat", ubsOutlinedFlat}, {"ubsFlat", ubsFlat},
      {"ubsFlatUnColored", ubsFlatUnColored}, {"ubsNavigator", ubsNavigator}, {"ubsExplorer", ubsExplorer},
      {"ubsExplorerColored", ubsExplorerColored}, {"ubsIntegrated", ubsIntegrated}, {"ubsWinXP", ubsWinXP},
      {"ubsWinXPCombo", ubsWinXPCombo}, {"ubsWinXPTool", ubsWinXPTool}};
  return names;
}

const TPropTable& TOmCustomButton::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TButton::Properties());
    t.Add("About", StringProp(&TOmCustomButton::SetAbout));
    t.Add("ButtonLayout", RecordProp(&TOmCustomButton::ButtonLayout));
    t.Add("FontFX", RecordProp(&TOmCustomButton::FontFX));
    t.Add("Glyph.Data", GlyphDataProp([](TPersistent& owner) { return static_cast<TOmCustomButton&>(owner).Glyph(); }));
    t.Add("NumGlyphs", IntProp(&TOmCustomButton::SetNumGlyphs));
    t.Add("ExtStyle", EnumProp(&TOmCustomButton::SetExtStyle, OmUserButtonStyleNames()));
    t.Add("MultiLine", BoolProp(&TOmCustomButton::SetMultiLine));
    t.Add("UseCaption", BoolProp(&TOmCustomButton::SetUseCaption));
    t.Add("HideHint", BoolProp(&TOmCustomButton::SetHideHint));
    t.Add("RepeatedClick", BoolProp(&TOmCustomButton::SetRepeatedClick));
    t.Add("RepeatingDelay", IntProp(&TOmCustomButton::SetRepeatingDelay));
    t.Add("RepeatingInterval", IntProp(&TOmCustomButton::SetRepeatingInterval));
    t.Add("ImageList", ComponentProp(&TOmCustomButton::SetImageList));
    t.Add("ImageIndex", IntProp(&TOmCustomButton::SetImageIndex));
    t.Add("ListIndex", IntProp(&TOmCustomButton::SetListIndex));
    t.Add("WordWrap", BoolProp(&TOmCustomButton::SetWordWrap));
    t.Add("DropDownMenu", ComponentProp(&TOmCustomButton::SetDropDownMenu));
    t.Add("DropDownIndent", IntProp(&TOmCustomButton::SetDropDownIndent));
    t.Add("DropDownRight", BoolProp(&TOmCustomButton::SetDropDownRight));
    t.Add("OnMouseEnter", EventProp(&TOmCustomButton::OnMouseEnter));
    t.Add("OnMouseExit", EventProp(&TOmCustomButton::OnMouseExit));
    t.Add("OnDropDown", EventProp(&TOmCustomButton::OnDropDown));
    return t;
  }();
  return table;
}
