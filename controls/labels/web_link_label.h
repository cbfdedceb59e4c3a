// TWebLinkLabel: the framework's label as a hyperlink: blue, underlined, the hand cursor, and a
// click that hands its address to the shell after the click event ran.
#pragma once
#include <string>
#include "framework/std_label.h"

class TWebLinkLabel : public TLabel {
public:
  explicit TWebLinkLabel(TComponent* owner);
  const std::string& UrlOrEmail() const { return urlOrEmail_; }
  void SetUrlOrEmail(const std::string& address) { urlOrEmail_ = address; }
  void Click() override;
  void DescribeAccessible(TAccessibleInfo& info) const override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
private:
  std::string urlOrEmail_;
};
