// The ground most control tests draw on: a border-less form with a 200 x 100 client in one colour.
#pragma once
#include "framework/form.h"

inline TForm* NewPlainForm(TColor color = clWhite) {
  auto* form = new TForm(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetClientSize(200, 100);
  form->SetColor(color);
  return form;
}
