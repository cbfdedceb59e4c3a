// TOmObject: the option record every Om record (bevel, caption effects, layouts) descends
// from, with one change event that can be held back while several options change.
#pragma once
#include <string>
#include "framework/component.h"

class TOmObject : public TPersistent {
public:
  TOmObject() = default;
  TOmObject(const TOmObject&) = delete;
  TOmObject& operator=(const TOmObject&) = delete;

  // The owner connects this right after creating the record and clears it before freeing it.
  TNotifyEvent OnChange;

  // Raises OnChange unless changes are held; setters call it after storing a new value.
  virtual void SignalChange();
  // Handler for records nested in this one.
  virtual void ForwardChange(TObject* sender);
  virtual std::string Description() const { return std::string(); }

  // No nesting count: one ReleaseChanges ends any number of HoldChanges.
  void HoldChanges() { updating_ = true; }
  void ReleaseChanges(bool notify);
  bool ChangesHeld() const { return updating_; }

protected:
  // Runs body with changes held, without ending a hold the caller already had.
  template <class F>
  void WithChangesHeld(F body) {
    const bool wasHeld = updating_;
    updating_ = true;
    try { body(); } catch (...) { updating_ = wasHeld; throw; }
    updating_ = wasHeld;
  }

private:
  bool updating_ = false;
};
