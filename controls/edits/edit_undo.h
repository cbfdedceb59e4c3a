// TEdEditAction and TEdUndoList: the edit's undo and redo histories. An action is one
// replacement (the text removed and the text put in at an offset of the joined text) with the
// selection it had before, so that undoing restores text, caret and selection.
#pragma once
#include <vector>
#include "framework/strings.h"

enum TEdActionKind { eakTyping, eakReplace };

struct TEdEditAction {
  TEdActionKind kind = eakReplace;
  int offset = 0;          // where the change begins, in the joined text
  TEdFString removed;      // what was there
  TEdFString inserted;     // what came in its place
  int selStart = 0, selEnd = 0;  // selection before the change (anchor, caret) as offsets
};

class TEdUndoList {
public:
  // Consecutive typing at the end of the previous typing joins it, so one undo takes a word back.
  void Push(const TEdEditAction& action);
  bool Empty() const { return actions_.empty(); }
  int Count() const { return static_cast<int>(actions_.size()); }
  TEdEditAction Pop();
  void Clear() { actions_.clear(); }
  // Ends the current typing run, so the next typed character starts a new action.
  void Break() { joinable_ = false; }
private:
  std::vector<TEdEditAction> actions_;
  bool joinable_ = false;
};
