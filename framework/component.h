// TComponent: named objects in an ownership tree, with state flags and free notifications.
// An owner frees the components it owns when it is destroyed.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include "framework/object.h"
#include "framework/set.h"

struct TFormValue;
struct TFormProperty;
class TPropTable;

enum TComponentStateFlag { csLoading, csReading, csDesigning, csDestroying };
using TComponentState = TSet<TComponentStateFlag>;
enum TOperation { opInsert, opRemove };

using TNotifyEvent = std::function<void(TObject* sender)>;

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // The class name the component was created by from a description (written back on save).
  const std::string& StoredClassName() const { return className_; }
  void SetStoredClassName(const std::string& name) { className_ = name; }
  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(const std::string& name) const;
  // Frees the owned components, newest first; owners that are controls call it early in their
  // destructor so their children never see a half-destroyed owner.
  void DestroyComponents();

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(csLoading); }
  bool IsDesigning() const { return state_.Contains(csDesigning); }
  bool IsDestroying() const { return state_.Contains(csDestroying); }
  void SetDesigning(bool designing);   // this component and the ones it owns
  void SetLoadingState(bool loading);  // framework use: the reader marks what it loads

  // Asks to be told (Notification opRemove) when `other` goes, though this does not own it.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);
  // Points a reference field at `value`, moving the free notification with it.
  template <class T>
  void SetReference(T*& field, T* value) {
    if (field == value) return;
    if (field) RemoveFreeNotification(field);
    field = value;
    if (value) FreeNotification(value);
  }

  // The class's named properties, shared by code and the form reader.
  static const TPropTable& Properties();
  virtual const TPropTable& PropertyTable() const { return Properties(); }
  // Stored properties a class reads and writes itself; true when the name was its own.
  virtual bool ReadCustomProperty(const std::string& name, const TFormValue& value);
  virtual void WriteCustomProperties(std::vector<TFormProperty>& out) const;
  // Called once on every loaded component after the whole description is read.
  virtual void Loaded();
  // Told by the reader which component encloses this non-control one in a description.
  virtual void SetParentComponent(TComponent* parent) { (void)parent; }

protected:
  virtual void Notification(TComponent* component, TOperation operation);
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

private:
  std::string name_, className_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_;
};
