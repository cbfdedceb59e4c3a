#include "controls/edits/edit_undo.h"

void TEdUndoList::Push(const TEdEditAction& action) {
  if (joinable_ && action.kind == eakTyping && action.removed.empty() && !actions_.empty()) {
    TEdEditAction& last = actions_.back();
    if (last.kind == eakTyping && last.offset + static_cast<int>(last.inserted.size()) == action.offset) {
      last.inserted += action.inserted;
      return;
    }
  }
  actions_.push_back(action);
  joinable_ = action.kind == eakTyping;
}

TEdEditAction TEdUndoList::Pop() {
  TEdEditAction action = actions_.back();
  actions_.pop_back();
  joinable_ = false;
  return action;
}
