#include "framework/form_reader.h"
#include <cctype>
#include <cstring>
#include "framework/control.h"
#include "framework/win_control.h"

bool TCaseLess::operator()(const std::string& a, const std::string& b) const {
  return _stricmp(a.c_str(), b.c_str()) < 0;
}

TPropTable& TPropTable::Add(const std::string& name, TPropInfo info) {
  props_[name] = std::move(info);
  return *this;
}

const TPropInfo* TPropTable::Find(const std::string& name) const {
  for (const TPropTable* t = this; t; t = t->inherited_)
    if (auto it = t->props_.find(name); it != t->props_.end()) return &it->second;
  return nullptr;
}

const TPropTable& TComponent::Properties() {
  static const TPropTable table;
  return table;
}

void BadValue(const TFormValue&, const std::string& why) { throw EConvertError(why); }

long long ValueToInteger(const TFormValue& value) {
  if (value.kind != TFormValue::Kind::Integer) BadValue(value, "an integer expected");
  return value.integer;
}

bool ValueToBool(const TFormValue& value) {
  if (value.kind == TFormValue::Kind::Identifier) {
    if (_stricmp(value.text.c_str(), "True") == 0) return true;
    if (_stricmp(value.text.c_str(), "False") == 0) return false;
  }
  BadValue(value, "True or False expected");
}

std::string ValueToString(const TFormValue& value) {
  if (value.kind != TFormValue::Kind::String) BadValue(value, "a string expected");
  return value.text;
}

const std::string& ValueIdent(const TFormValue& value) {
  if (value.kind != TFormValue::Kind::Identifier) BadValue(value, "an identifier expected");
  return value.text;
}

TColor ValueToColor(const TFormValue& value) {
  if (value.kind == TFormValue::Kind::Integer) return static_cast<TColor>(value.integer);
  TColor color = 0;
  if (!IdentToColor(ValueIdent(value), color)) BadValue(value, "unknown colour '" + value.text + "'");
  return color;
}

namespace {
template <class T>
bool LookUp(const std::string& name, std::initializer_list<std::pair<const char*, T>> table, T& out) {
  for (const auto& [ident, item] : table)
    if (_stricmp(ident, name.c_str()) == 0) { out = item; return true; }
  return false;
}
}  // namespace

int ValueToCharset(const TFormValue& value) {
  if (value.kind == TFormValue::Kind::Integer) return static_cast<int>(value.integer);
  int charset = 0;
  if (!LookUp<int>(ValueIdent(value), {{"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
      {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"OEM_CHARSET", OEM_CHARSET}, {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
      {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}, {"GREEK_CHARSET", GREEK_CHARSET}, {"TURKISH_CHARSET", TURKISH_CHARSET},
      {"BALTIC_CHARSET", BALTIC_CHARSET}, {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}}, charset))
    BadValue(value, "unknown charset '" + value.text + "'");
  return charset;
}

int ValueToCursor(const TFormValue& value) {
  if (value.kind == TFormValue::Kind::Integer) return static_cast<int>(value.integer);
  int cursor = 0;
  if (!LookUp<int>(ValueIdent(value), {{"crDefault", crDefault}, {"crNone", crNone}, {"crArrow", crArrow},
      {"crCross", crCross}, {"crIBeam", crIBeam}, {"crSizeAll", crSizeAll}, {"crSizeNESW", crSizeNESW},
      {"crSizeNS", crSizeNS}, {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE}, {"crUpArrow", crUpArrow},
      {"crHourGlass", crHourGlass}, {"crNo", crNo}, {"crAppStart", crAppStart}, {"crHelp", crHelp},
      {"crHandPoint", crHandPoint}, {"crDrag", crDrag}, {"crNoDrop", crNoDrop}, {"crHSplit", crHSplit},
      {"crVSplit", crVSplit}, {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait}}, cursor))
    BadValue(value, "unknown cursor '" + value.text + "'");
  return cursor;
}

std::vector<unsigned char> ValueToBytes(const TFormValue& value, TReadContext& context) {
  if (value.kind == TFormValue::Kind::Binary) return value.bytes;
  if (value.kind == TFormValue::Kind::FileRef) {
    const TFileBytes bytes = context.ResolveFile(value.text);
    return {bytes.begin(), bytes.end()};
  }
  BadValue(value, "binary data expected");
}

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry registry;
  return registry;
}

void TClassRegistry::Register(const std::string& className, TComponentFactory factory) {
  factories_[className] = std::move(factory);
}

const TComponentFactory* TClassRegistry::Find(const std::string& className) const {
  auto it = factories_.find(className);
  return it == factories_.end() ? nullptr : &it->second;
}

void THandlerTable::RegisterHandler(const std::string& name, TNotifyEvent handler) {
  handlers_[name] = std::move(handler);
}

const TNotifyEvent* THandlerTable::FindHandler(const std::string& name) const {
  auto it = handlers_.find(name);
  return it == handlers_.end() ? nullptr : &it->second;
}

std::string EmbeddedResourceName(const std::string& fileName) {
  std::string name;
  for (char c : fileName) name += std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : '_';
  return name;
}

namespace {
TFileBytes LoadResourceBytes(const std::string& name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EInvalidOperation("Resource '" + name + "' not found");
  return TFileBytes::Lasting({static_cast<const unsigned char*>(bytes), SizeofResource(module, info)});
}
}  // namespace

TFileBytes LoadEmbeddedFile(const std::string& fileName) {
  return LoadResourceBytes(EmbeddedResourceName(fileName));
}

std::string LoadTextResource(const std::string& resourceName) {
  const TFileBytes bytes = LoadResourceBytes(resourceName);
  return {bytes.begin(), bytes.end()};
}

namespace {
class TReader {
public:
  TReader(TComponent& root, TReadContext& context) : root_(root), context_(context) {}

  void Read(const TFormNode& node) {
    Begin(root_, node);
    ApplyProperties(root_, node, node.name);
    ReadChildren(node, &root_, node.name);
    for (const TReadContext::TFixup& fixup : context_.TakeFixups()) Guard(fixup.line, fixup.where, fixup.run);
    for (TComponent* component : loaded_) component->Loaded();
  }

private:
  void Begin(TComponent& component, const TFormNode& node) {
    component.SetLoadingState(true);
    component.SetName(node.name);
    loaded_.push_back(&component);
  }

  void ReadChildren(const TFormNode& node, TComponent* enclosing, const std::string& path) {
    for (const TFormNode& child : node.children) {
      const std::string childPath = path + "." + child.name;
      const TComponentFactory* factory = TClassRegistry::Instance().Find(child.className);
      if (!factory) throw EFormReadError(child.line, childPath + ": unknown class '" + child.className + "'");
      if (root_.FindComponent(child.name))
        throw EFormReadError(child.line, childPath + ": a component named '" + child.name + "' already exists");
      TComponent* component = (*factory)(&root_);
      component->SetStoredClassName(child.className);
      Begin(*component, child);
      if (auto* control = dynamic_cast<TControl*>(component)) {
        auto* parent = dynamic_cast<TWinControl*>(enclosing);
        if (!parent) throw EFormReadError(child.line, childPath + ": '" + node.name + "' cannot hold controls");
        Guard(child.line, childPath, [&] { control->SetParent(parent); });
      } else {
        component->SetParentComponent(enclosing);  // a menu item joins its menu
      }
      ApplyProperties(*component, child, childPath);
      ReadChildren(child, component, childPath);
    }
  }

  void ApplyProperties(TComponent& component, const TFormNode& node, const std::string& path) {
    for (const TFormProperty& prop : node.properties) {
      const std::string where = path + "." + prop.name;
      context_.where = where;
      context_.line = prop.line;
      Guard(prop.line, where, [&] {
        if (!component.ReadCustomProperty(prop.name, prop.value))
          Apply(component, component.PropertyTable(), prop.name, prop, where);
      });
    }
  }

  void Apply(TPersistent& target, const TPropTable& table, const std::string& name, const TFormProperty& prop,
             const std::string& where) {
    if (const TPropInfo* info = table.Find(name); info && info->set) return info->set(target, prop.value, context_);
    const size_t dot = name.find('.');
    if (dot != std::string::npos) {
      const TPropInfo* record = table.Find(name.substr(0, dot));
      if (record && record->record) {
        TPersistent* sub = record->record(target);
        return Apply(*sub, *record->recordTable, name.substr(dot + 1), prop, where);
      }
    }
    throw EFormReadError(prop.line, where + ": unknown property");
  }

  template <class F>
  static void Guard(int line, const std::string& where, F&& action) {
    try {
      action();
    } catch (const EFormReadError&) {
      throw;
    } catch (const std::exception& e) {
      throw EFormReadError(line, where + ": " + e.what());
    }
  }

  TComponent& root_;
  TReadContext& context_;
  std::vector<TComponent*> loaded_;
};
}  // namespace

void ReadComponent(TComponent& root, const TFormNode& node, const THandlerTable& handlers, TFileResolver resolver) {
  TReadContext context(root, handlers, std::move(resolver));
  TReader(root, context).Read(node);
}

TFormNode WriteComponent(const TComponent& root, const std::string& className) {
  TFormNode node;
  node.name = root.Name();
  node.className = className;
  root.WriteCustomProperties(node.properties);
  for (const TComponent* component : root.Components()) {
    TFormNode child;
    child.name = component->Name();
    child.className = component->StoredClassName();
    component->WriteCustomProperties(child.properties);
    if (!child.properties.empty()) node.children.push_back(std::move(child));
  }
  return node;
}
