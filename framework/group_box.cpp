#include "framework/group_box.h"
#include "framework/properties.h"

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 105);
}

RECT TGroupBox::FrameRect() {
  RECT r = ClientRect();
  r.top += Canvas().TextHeight("0") / 2;
  return r;
}

void TGroupBox::Paint() {
  TCanvas& canvas = Canvas();
  RECT client = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(client);
  const int textHeight = canvas.TextHeight("0");
  RECT frame = client;
  frame.top += textHeight / 2;
  DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
  if (Caption().empty()) return;
  RECT text{8, 0, 8 + canvas.TextWidth(Caption()) + 4, textHeight};
  canvas.FillRect(text);
  text.left += 2;
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(Caption(), text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

void TGroupBox::WndProc(TMessage& message) {
  if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) Invalidate();
  TCustomControl::WndProc(message);
}

const TPropTable& TGroupBox::Properties() {
  static const TPropTable table(&TWinControl::Properties());
  return table;
}
