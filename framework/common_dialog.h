// TCommonDialog: a non-visual component that runs one of the system's modal dialogs.
#pragma once
#include "framework/component.h"

class TCommonDialog : public TComponent {
public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  // Runs the dialog modally; true when the user confirmed it.
  virtual bool Execute() = 0;
};
