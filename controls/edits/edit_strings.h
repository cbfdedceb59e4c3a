// TEdEditStrings: the edit's 16-bit text store, a list of TEdParagraph lines joined by CR LF,
// kept apart from the window; plus the pure position helpers (characters, words, hit-testing)
// that the edit, its painter and the tests share.
#pragma once
#include <vector>
#include "framework/strings.h"

// A caret or selection position: column (in 16-bit units) and line.
struct TEdPos {
  int col = 0;
  int line = 0;
  bool operator==(const TEdPos&) const = default;
  auto operator<=>(const TEdPos& other) const {
    return line != other.line ? line <=> other.line : col <=> other.col;
  }
};

class TEdParagraph {
public:
  TEdParagraph() = default;
  explicit TEdParagraph(TEdFString text) : text_(std::move(text)) {}
  const TEdFString& Text() const { return text_; }
  TEdFString& Text() { return text_; }
  int Length() const { return static_cast<int>(text_.size()); }
private:
  TEdFString text_;
};

class TEdEditStrings {
public:
  TEdEditStrings() : lines_(1) {}
  int Count() const { return static_cast<int>(lines_.size()); }
  const TEdFString& Line(int index) const { return lines_[index].Text(); }
  int LineLength(int index) const { return lines_[index].Length(); }

  TEdFString Text() const;  // the lines joined with CR LF
  // Single-line: one paragraph, unchanged. Multi-line: split at CR LF, lone CR and lone LF.
  void SetText(const TEdFString& text, bool multiLine);
  int TextLength() const;  // of the joined text

  // Inserts text at pos (split into lines when multi-line); returns the position after it.
  TEdPos Insert(TEdPos pos, const TEdFString& text, bool multiLine);
  // Removes the text between two positions (either order); returns what was removed.
  TEdFString Delete(TEdPos from, TEdPos to);
  TEdFString Range(TEdPos from, TEdPos to) const;

  // A position brought inside the text, never between the halves of a surrogate pair.
  TEdPos Clamp(TEdPos pos) const;
  TEdPos End() const { return {LineLength(Count() - 1), Count() - 1}; }
  // Offsets into the joined text, where each line break counts two.
  int OffsetOf(TEdPos pos) const;
  TEdPos PosOf(int offset) const;

  // One character on: a surrogate pair is one character, a line end steps to the next line.
  TEdPos NextChar(TEdPos pos) const;
  TEdPos PrevChar(TEdPos pos) const;
  // Only spaces and tabs separate words; backslashes and punctuation belong to them.
  TEdPos NextWordStart(TEdPos pos) const;
  TEdPos PrevWordStart(TEdPos pos) const;
  // The word under pos with its trailing blanks, as a double click selects it.
  void WordAt(TEdPos pos, TEdPos& start, TEdPos& end) const;

private:
  static std::vector<TEdFString> Split(const TEdFString& text);
  std::vector<TEdParagraph> lines_;
};

// Splits text the way a multi-line store does (CR LF, lone CR, lone LF).
std::vector<TEdFString> EdSplitLines(const TEdFString& text);

// The column under x, given each character's right edge measured from the line's start:
// a point in a character's left half is before it, in its right half (midpoint included) after it.
int EdCharFromOffset(const std::vector<int>& rightEdges, int x);

inline bool EdIsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool EdIsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
