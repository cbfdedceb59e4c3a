#include "controls/labels/form_shape.h"
#include "framework/form.h"

TOmFormShape::TOmFormShape(TComponent* owner) : TComponent(owner), image_(std::make_unique<TBitmap>()) {}

TOmFormShape::~TOmFormShape() = default;

const TPropTable& TOmFormShape::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TComponent::Properties());
    t.Add("Image.Data", GlyphDataProp([](TPersistent& c) { return static_cast<TOmFormShape&>(c).Image(); }));
    return t;
  }();
  return table;
}

TOmFormShape* OmFormShapeOf(const TWinControl* parent) {
  const auto* form = dynamic_cast<const TForm*>(parent);
  if (!form || !form->HandleAllocated()) return nullptr;
  for (TComponent* component : form->Components())
    if (auto* shape = dynamic_cast<TOmFormShape*>(component)) return shape;
  return nullptr;
}
