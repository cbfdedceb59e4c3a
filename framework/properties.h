// Property tables: each class's named properties, registered once and shared by code and
// the form reader, with typed helpers that turn stored values into setter calls.
#pragma once
#include <functional>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>
#include "framework/colors.h"
#include "framework/component.h"
#include "framework/form_text.h"

class TReadContext;

// One named property of a class: a setter, or a nested record reached by a getter.
struct TPropInfo {
  std::function<void(TPersistent& target, const TFormValue& value, TReadContext& context)> set;
  std::function<TPersistent*(TPersistent& target)> record;  // for dotted names: Font.Name
  const TPropTable* recordTable = nullptr;
};

struct TCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

class TPropTable {
public:
  explicit TPropTable(const TPropTable* inherited = nullptr) : inherited_(inherited) {}
  TPropTable& Add(const std::string& name, TPropInfo info);
  const TPropInfo* Find(const std::string& name) const;
private:
  const TPropTable* inherited_;
  std::map<std::string, TPropInfo, TCaseLess> props_;
};

// Identifier names of an enumeration, for enum and set properties.
template <class E>
using TEnumNames = std::vector<std::pair<const char*, E>>;

// Value conversions shared by the typed property helpers; they throw on a bad value.
long long ValueToInteger(const TFormValue& value);
bool ValueToBool(const TFormValue& value);
std::string ValueToString(const TFormValue& value);
std::vector<unsigned char> ValueToBytes(const TFormValue& value, TReadContext& context);
const std::string& ValueIdent(const TFormValue& value);
TColor ValueToColor(const TFormValue& value);  // clWhite or a number
int ValueToCharset(const TFormValue& value);   // ANSI_CHARSET or a number
int ValueToCursor(const TFormValue& value);    // crHandPoint or a number
[[noreturn]] void BadValue(const TFormValue& value, const std::string& why);

template <class C>
TPropInfo IntProp(void (C::*setter)(int)) {
  return {[setter](TPersistent& t, const TFormValue& v, TReadContext&) {
    (static_cast<C&>(t).*setter)(static_cast<int>(ValueToInteger(v)));
  }, nullptr, nullptr};
}
template <class C>
TPropInfo BoolProp(void (C::*setter)(bool)) {
  return {[setter](TPersistent& t, const TFormValue& v, TReadContext&) {
    (static_cast<C&>(t).*setter)(ValueToBool(v));
  }, nullptr, nullptr};
}
template <class C>
TPropInfo ColorProp(void (C::*setter)(TColor)) {
  return {[setter](TPersistent& t, const TFormValue& v, TReadContext&) {
    (static_cast<C&>(t).*setter)(ValueToColor(v));
  }, nullptr, nullptr};
}
template <class C>
TPropInfo StringProp(void (C::*setter)(const std::string&)) {
  return {[setter](TPersistent& t, const TFormValue& v, TReadContext&) {
    (static_cast<C&>(t).*setter)(ValueToString(v));
  }, nullptr, nullptr};
}
template <class E>
E ValueToEnum(const TFormValue& value, const TEnumNames<E>& names) {
  const std::string& ident = ValueIdent(value);
  for (const auto& [name, item] : names)
    if (TCaseLess{}(ident, name) == false && TCaseLess{}(name, ident) == false) return item;
  BadValue(value, "unknown value '" + ident + "'");
}
template <class C, class E>
TPropInfo EnumProp(void (C::*setter)(E), const TEnumNames<E>& names) {
  return {[setter, &names](TPersistent& t, const TFormValue& v, TReadContext&) {
    (static_cast<C&>(t).*setter)(ValueToEnum(v, names));
  }, nullptr, nullptr};
}
template <class C, class E>
TPropInfo SetProp(void (C::*setter)(TSet<E>), const TEnumNames<E>& names) {
  return {[setter, &names](TPersistent& t, const TFormValue& v, TReadContext&) {
    if (v.kind != TFormValue::Kind::Set) BadValue(v, "a set in brackets expected");
    TSet<E> result;
    for (const std::string& item : v.set) {
      TFormValue one; one.kind = TFormValue::Kind::Identifier; one.text = item; one.line = v.line;
      result.Include(ValueToEnum(one, names));
    }
    (static_cast<C&>(t).*setter)(result);
  }, nullptr, nullptr};
}
template <class C, class R>
TPropInfo RecordProp(R* (C::*getter)() const) {
  return {nullptr, [getter](TPersistent& t) -> TPersistent* { return (static_cast<C&>(t).*getter)(); },
          &R::Properties()};
}
// OnClick = handlerName: bound to the root form's registered handler of that name.

// The bytes of an artwork file named by `@'name'` in a description: a view of memory that
// outlives the read (a module's resources, made into pictures without a copy), or bytes of its
// own (any other resolver's), so that a resolver returning a vector leaves nothing dangling.
class TFileBytes {
public:
  TFileBytes() = default;
  TFileBytes(std::vector<unsigned char> owned) : owned_(std::move(owned)), owns_(true) {}
  static TFileBytes Lasting(std::span<const unsigned char> bytes) {
    TFileBytes lasting;
    lasting.lasting_ = bytes;
    return lasting;
  }
  std::span<const unsigned char> Bytes() const { return owns_ ? std::span<const unsigned char>(owned_) : lasting_; }
  operator std::span<const unsigned char>() const { return Bytes(); }
  const unsigned char* begin() const { return Bytes().data(); }
  const unsigned char* end() const { return Bytes().data() + Bytes().size(); }
  size_t size() const { return Bytes().size(); }
  bool Lasting() const { return !owns_; }
private:
  std::vector<unsigned char> owned_;
  std::span<const unsigned char> lasting_;
  bool owns_ = false;
};
using TFileResolver = std::function<TFileBytes(const std::string& fileName)>;
// The default: the RCDATA resource of the executable named after the file (face.bmp -> FACE_BMP).
TFileBytes LoadEmbeddedFile(const std::string& fileName);
std::string EmbeddedResourceName(const std::string& fileName);
std::string LoadTextResource(const std::string& resourceName);

// The event handlers a root form offers to its description, by name.
class THandlerTable {
public:
  void RegisterHandler(const std::string& name, TNotifyEvent handler);
  const TNotifyEvent* FindHandler(const std::string& name) const;
private:
  std::map<std::string, TNotifyEvent, TCaseLess> handlers_;
};

class TReadContext {
public:
  TReadContext(TComponent& root, const THandlerTable& handlers, TFileResolver resolver)
      : root_(root), handlers_(handlers), resolver_(std::move(resolver)) {}
  TComponent& Root() const { return root_; }
  const THandlerTable& Handlers() const { return handlers_; }
  TFileBytes ResolveFile(const std::string& name) const { return resolver_(name); }
  // Runs `fixup` once every component is read (a reference may name one declared later).
  void Defer(std::function<void()> fixup) { fixups_.push_back({std::move(fixup), line, where}); }
  struct TFixup { std::function<void()> run; int line; std::string where; };
  std::vector<TFixup> TakeFixups() { return std::exchange(fixups_, {}); }
  std::string where;  // "Form1.OmLabel2.Caption", for error messages
  int line = 0;
private:
  TComponent& root_;
  const THandlerTable& handlers_;
  TFileResolver resolver_;
  std::vector<TFixup> fixups_;
};

// An event of another signature bound to a description's handler, which hears of it with the sender.
template <class C, class Event>
TPropInfo AdaptedEventProp(Event C::*event) {
  return {[event](TPersistent& t, const TFormValue& v, TReadContext& context) {
    const std::string& name = ValueIdent(v);
    const TNotifyEvent* found = context.Handlers().FindHandler(name);
    if (!found) BadValue(v, "unknown handler '" + name + "'");
    static_cast<C&>(t).*event = [handler = *found](TObject* sender, auto&&...) { handler(sender); };
  }, nullptr, nullptr};
}

// PopupMenu = PopupMenu1: another component of the root by name, of the setter's kind; set once
// every component is read.
template <class C, class T>
TPropInfo ComponentProp(void (C::*setter)(T*)) {
  return {[setter](TPersistent& t, const TFormValue& v, TReadContext& context) {
    const std::string name = ValueIdent(v);
    TComponent& root = context.Root();
    context.Defer([setter, name, &t, &root] {
      TComponent* found = root.FindComponent(name);
      if (!found) throw EConvertError("unknown component '" + name + "'");
      T* typed = dynamic_cast<T*>(found);
      if (!typed) throw EConvertError("'" + name + "' is not of the kind this property takes");
      (static_cast<C&>(t).*setter)(typed);
    });
  }, nullptr, nullptr};
}

template <class C>
TPropInfo EventProp(TNotifyEvent C::*event) {
  return {[event](TPersistent& t, const TFormValue& v, TReadContext& context) {
    const std::string& name = ValueIdent(v);
    const TNotifyEvent* handler = context.Handlers().FindHandler(name);
    if (!handler) BadValue(v, "unknown handler '" + name + "'");
    static_cast<C&>(t).*event = *handler;
  }, nullptr, nullptr};
}
