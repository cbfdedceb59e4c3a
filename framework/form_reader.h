// The class registry and the reader that builds components from a parsed form description.
#pragma once
#include "framework/properties.h"

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// Classes the reader may create, by name.
class TClassRegistry {
public:
  static TClassRegistry& Instance();
  void Register(const std::string& className, TComponentFactory factory);
  template <class C>
  void Register(const std::string& className) {
    Register(className, [](TComponent* owner) -> TComponent* { return new C(owner); });
  }
  const TComponentFactory* Find(const std::string& className) const;
private:
  std::map<std::string, TComponentFactory, TCaseLess> factories_;
};

// Reads a parsed description into `root` (its own properties, then its children, created and
// owned by root); calls Loaded on every component afterwards. Errors name component, property, line.
void ReadComponent(TComponent& root, const TFormNode& node, const THandlerTable& handlers,
                   TFileResolver resolver = LoadEmbeddedFile);
// The properties a component writes back (its custom stored ones), as a node tree.
TFormNode WriteComponent(const TComponent& root, const std::string& className);

