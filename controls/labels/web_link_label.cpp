#include "controls/labels/web_link_label.h"
#include "controls/labels/shell_request.h"
#include "framework/properties.h"

TWebLinkLabel::TWebLinkLabel(TComponent* owner) : TLabel(owner) {
  Font()->SetStyle(TFontStyles{fsUnderline});
  Font()->SetColor(clBlue);
  SetCursor(crHandPoint);
}

void TWebLinkLabel::Click() {
  TLabel::Click();
  if (urlOrEmail_.empty()) return;
  TOmShellRequest request;
  request.owner = OmApplicationWindow();
  request.verb = "open";
  request.file = urlOrEmail_;  // as stored: a mail address needs its own "mailto:"
  OmShellExecute(request);     // a failure leaves the label as it is
}

const TPropTable& TWebLinkLabel::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TLabel::Properties());
    t.Add("UrlOrEmail", StringProp(&TWebLinkLabel::SetUrlOrEmail));
    return t;
  }();
  return table;
}
