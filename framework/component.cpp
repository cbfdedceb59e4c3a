#include "framework/component.h"
#include <algorithm>
#include "framework/form_reader.h"

void TPersistent::Assign(const TPersistent&) {
  throw EConvertError("Cannot assign this record");
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_.Include(csDestroying);
  // Tell everyone who asked, then free what we own, newest first.
  auto notifies = freeNotifies_;
  for (TComponent* other : notifies) {
    other->RemoveFreeNotification(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  state_.Include(csDestroying);
  while (!components_.empty()) {
    TComponent* child = components_.back();
    RemoveComponent(child);
    delete child;
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* c : components_)
    if (!name.empty() && _stricmp(c->Name().c_str(), name.c_str()) == 0) return c;
  return nullptr;
}

void TComponent::SetDesigning(bool designing) {
  if (designing) state_.Include(csDesigning); else state_.Exclude(csDesigning);
  for (TComponent* c : components_) c->SetDesigning(designing);
}

void TComponent::SetLoadingState(bool loading) {
  if (loading) state_.Include(csLoading).Include(csReading);
  else state_.Exclude(csLoading).Exclude(csReading);
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  std::erase(freeNotifies_, other);
  std::erase(other->freeNotifies_, this);
}

bool TComponent::ReadCustomProperty(const std::string&, const TFormValue&) { return false; }
void TComponent::WriteCustomProperties(std::vector<TFormProperty>&) const {}
void TComponent::Loaded() { SetLoadingState(false); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) std::erase(freeNotifies_, component);
  for (TComponent* c : components_) c->Notification(component, operation);
}

void TComponent::InsertComponent(TComponent* component) {
  component->owner_ = this;
  components_.push_back(component);
  // What a designer creates on a designed form is designed too.
  if (IsDesigning()) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  std::erase(components_, component);
  component->owner_ = nullptr;
}
