#include "controls/edits/edit_strings.h"
#include <algorithm>

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
}  // namespace

std::vector<TEdFString> EdSplitLines(const TEdFString& text) {
  std::vector<TEdFString> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back().push_back(c);
    }
  }
  return lines;
}

std::vector<TEdFString> TEdEditStrings::Split(const TEdFString& text) { return EdSplitLines(text); }

TEdFString TEdEditStrings::Text() const {
  TEdFString result;
  result.reserve(static_cast<size_t>(TextLength()));
  for (int i = 0; i < Count(); ++i) {
    if (i) result += L"\r\n";
    result += Line(i);
  }
  return result;
}

void TEdEditStrings::SetText(const TEdFString& text, bool multiLine) {
  lines_.clear();
  if (!multiLine) {
    lines_.emplace_back(text);
    return;
  }
  for (auto& line : Split(text)) lines_.emplace_back(std::move(line));
}

int TEdEditStrings::TextLength() const {
  int length = 2 * (Count() - 1);
  for (const auto& line : lines_) length += line.Length();
  return length;
}

TEdPos TEdEditStrings::Clamp(TEdPos pos) const {
  pos.line = std::clamp(pos.line, 0, Count() - 1);
  const TEdFString& line = Line(pos.line);
  pos.col = std::clamp(pos.col, 0, LineLength(pos.line));
  if (pos.col > 0 && pos.col < LineLength(pos.line) && EdIsLowSurrogate(line[pos.col]) &&
      EdIsHighSurrogate(line[pos.col - 1]))
    --pos.col;
  return pos;
}

TEdPos TEdEditStrings::Insert(TEdPos pos, const TEdFString& text, bool multiLine) {
  pos = Clamp(pos);
  TEdFString& line = lines_[pos.line].Text();
  if (!multiLine) {
    line.insert(static_cast<size_t>(pos.col), text);
    return {pos.col + static_cast<int>(text.size()), pos.line};
  }
  std::vector<TEdFString> parts = Split(text);
  TEdFString tail = line.substr(static_cast<size_t>(pos.col));
  line.erase(static_cast<size_t>(pos.col));
  line += parts.front();
  for (size_t i = 1; i < parts.size(); ++i)
    lines_.insert(lines_.begin() + pos.line + static_cast<int>(i), TEdParagraph(parts[i]));
  const int lastLine = pos.line + static_cast<int>(parts.size()) - 1;
  TEdFString& last = lines_[lastLine].Text();
  const int endCol = static_cast<int>(last.size());
  last += tail;
  return {endCol, lastLine};
}

TEdFString TEdEditStrings::Range(TEdPos from, TEdPos to) const {
  from = Clamp(from);
  to = Clamp(to);
  if (to < from) std::swap(from, to);
  if (from.line == to.line) return Line(from.line).substr(from.col, to.col - from.col);
  TEdFString result = Line(from.line).substr(from.col);
  for (int i = from.line + 1; i < to.line; ++i) result += L"\r\n" + Line(i);
  result += L"\r\n" + Line(to.line).substr(0, to.col);
  return result;
}

TEdFString TEdEditStrings::Delete(TEdPos from, TEdPos to) {
  from = Clamp(from);
  to = Clamp(to);
  if (to < from) std::swap(from, to);
  TEdFString removed = Range(from, to);
  TEdFString& first = lines_[from.line].Text();
  const TEdFString tail = Line(to.line).substr(to.col);
  first.erase(static_cast<size_t>(from.col));
  first += tail;
  lines_.erase(lines_.begin() + from.line + 1, lines_.begin() + to.line + 1);
  return removed;
}

int TEdEditStrings::OffsetOf(TEdPos pos) const {
  pos = Clamp(pos);
  int offset = pos.col;
  for (int i = 0; i < pos.line; ++i) offset += LineLength(i) + 2;
  return offset;
}

TEdPos TEdEditStrings::PosOf(int offset) const {
  offset = std::max(offset, 0);
  for (int i = 0; i < Count(); ++i) {
    if (offset <= LineLength(i) || i == Count() - 1) return Clamp({offset, i});
    offset -= LineLength(i) + 2;
    if (offset < 0) return {LineLength(i), i};  // inside the line break
  }
  return End();
}

TEdPos TEdEditStrings::NextChar(TEdPos pos) const {
  pos = Clamp(pos);
  const TEdFString& line = Line(pos.line);
  if (pos.col >= LineLength(pos.line)) return pos.line + 1 < Count() ? TEdPos{0, pos.line + 1} : pos;
  const int step = EdIsHighSurrogate(line[pos.col]) && pos.col + 1 < LineLength(pos.line) &&
                           EdIsLowSurrogate(line[pos.col + 1]) ? 2 : 1;
  return {pos.col + step, pos.line};
}

TEdPos TEdEditStrings::PrevChar(TEdPos pos) const {
  pos = Clamp(pos);
  const TEdFString& line = Line(pos.line);
  if (pos.col == 0) return pos.line > 0 ? TEdPos{LineLength(pos.line - 1), pos.line - 1} : pos;
  const int step = pos.col >= 2 && EdIsLowSurrogate(line[pos.col - 1]) && EdIsHighSurrogate(line[pos.col - 2]) ? 2 : 1;
  return {pos.col - step, pos.line};
}

TEdPos TEdEditStrings::NextWordStart(TEdPos pos) const {
  pos = Clamp(pos);
  const TEdFString& line = Line(pos.line);
  const int length = LineLength(pos.line);
  if (pos.col >= length) return pos.line + 1 < Count() ? TEdPos{0, pos.line + 1} : TEdPos{length, pos.line};
  int col = pos.col;
  const bool blank = IsBlank(line[col]);
  while (col < length && IsBlank(line[col]) == blank) ++col;
  while (col < length && IsBlank(line[col])) ++col;
  return {col, pos.line};
}

TEdPos TEdEditStrings::PrevWordStart(TEdPos pos) const {
  pos = Clamp(pos);
  const TEdFString& line = Line(pos.line);
  if (pos.col == 0) return pos.line > 0 ? TEdPos{LineLength(pos.line - 1), pos.line - 1} : pos;
  int col = pos.col;
  while (col > 0 && IsBlank(line[col - 1])) --col;
  if (col == 0) return {0, pos.line};
  const bool blank = IsBlank(line[col - 1]);
  while (col > 0 && IsBlank(line[col - 1]) == blank) --col;
  return {col, pos.line};
}

void TEdEditStrings::WordAt(TEdPos pos, TEdPos& start, TEdPos& end) const {
  pos = Clamp(pos);
  const TEdFString& line = Line(pos.line);
  int col = pos.col;
  if (col == LineLength(pos.line) && col > 0) --col;  // past the end: the last word
  if (line.empty()) {
    start = end = pos;
    return;
  }
  const bool blank = IsBlank(line[col]);
  while (col > 0 && IsBlank(line[col - 1]) == blank) --col;
  start = {col, pos.line};
  end = NextWordStart(start);
  if (end.line != start.line) end = {LineLength(start.line), start.line};
}

int EdCharFromOffset(const std::vector<int>& rightEdges, int x) {
  if (x < 0) return 0;
  int left = 0;
  for (size_t i = 0; i < rightEdges.size(); ++i) {
    const int right = rightEdges[i];
    if (x < right) return 2 * (x - left) < right - left ? static_cast<int>(i) : static_cast<int>(i) + 1;
    left = right;
  }
  return static_cast<int>(rightEdges.size());
}
