// The edit's text store and its pure position helpers: lines, words, surrogate pairs and the
// character under a pixel offset.
#include <gtest/gtest.h>
#include "controls/edits/edit_strings.h"
#include "controls/edits/edit_undo.h"

TEST(EditStrings, MultiLineSplitsAtEveryBreakKindAndJoinsWithCrLf) {
  TEdEditStrings s;
  s.SetText(L"a\r\nb\rc\nd\r\n", true);
  ASSERT_EQ(s.Count(), 5);  // a text ending in CR LF has an empty last line
  EXPECT_EQ(s.Line(2), L"c");
  EXPECT_EQ(s.Text(), L"a\r\nb\r\nc\r\nd\r\n");
  s.SetText(L"a\r\nb", false);  // single-line keeps the text as it is
  EXPECT_EQ(s.Count(), 1);
  EXPECT_EQ(s.Text(), L"a\r\nb");
}

TEST(EditStrings, InsertDeleteAndOffsetsAcrossLines) {
  TEdEditStrings s;
  s.SetText(L"abc\r\ndef", true);
  EXPECT_EQ(s.OffsetOf({1, 1}), 6);
  EXPECT_EQ(s.PosOf(6), (TEdPos{1, 1}));
  const TEdPos end = s.Insert({1, 0}, L"X\r\nY", true);
  EXPECT_EQ(end, (TEdPos{1, 1}));
  EXPECT_EQ(s.Text(), L"aX\r\nYbc\r\ndef");
  EXPECT_EQ(s.Delete({2, 1}, {1, 0}), L"X\r\nYb");  // either order
  EXPECT_EQ(s.Text(), L"ac\r\ndef");
}

TEST(EditStrings, WordStopsInAPathStopOnlyAfterBlanks) {
  TEdEditStrings s;
  s.SetText(L"C:\\Program Files\\FS9 X", false);
  std::vector<int> forward{0}, backward{22};
  for (TEdPos p{0, 0}; p.col < 22;) forward.push_back((p = s.NextWordStart(p)).col);
  for (TEdPos p{22, 0}; p.col > 0;) backward.push_back((p = s.PrevWordStart(p)).col);
  EXPECT_EQ(forward, (std::vector<int>{0, 11, 21, 22}));
  EXPECT_EQ(backward, (std::vector<int>{22, 21, 11, 0}));
  TEdPos start, end;
  s.WordAt({5, 0}, start, end);  // a double click takes the word with its trailing blank
  EXPECT_EQ(start.col, 0);
  EXPECT_EQ(end.col, 11);
}

TEST(EditStrings, SurrogatePairIsOneCharacterAndNoPositionSplitsIt) {
  TEdEditStrings s;
  s.SetText(L"a\xD83D\xDE00" L"b", false);
  EXPECT_EQ(s.NextChar({1, 0}).col, 3);
  EXPECT_EQ(s.PrevChar({3, 0}).col, 1);
  EXPECT_EQ(s.Clamp({2, 0}).col, 1);
  EXPECT_EQ(s.PosOf(2).col, 1);
}

TEST(EditStrings, CharFromOffsetSplitsEachCharacterAtItsMidpoint) {
  const std::vector<int> edges{10, 20, 26};  // widths 10, 10, 6
  EXPECT_EQ(EdCharFromOffset(edges, -5), 0);   // left of the text
  EXPECT_EQ(EdCharFromOffset(edges, 4), 0);    // left half of the first
  EXPECT_EQ(EdCharFromOffset(edges, 5), 1);    // its exact midpoint counts as after
  EXPECT_EQ(EdCharFromOffset(edges, 14), 1);
  EXPECT_EQ(EdCharFromOffset(edges, 15), 2);
  EXPECT_EQ(EdCharFromOffset(edges, 22), 2);
  EXPECT_EQ(EdCharFromOffset(edges, 23), 3);
  EXPECT_EQ(EdCharFromOffset(edges, 400), 3);  // past the end
  EXPECT_EQ(EdCharFromOffset({}, 3), 0);
}

TEST(EditUndo, TypingRunsJoinUntilBroken) {
  TEdUndoList list;
  list.Push({eakTyping, 0, L"", L"a"});
  list.Push({eakTyping, 1, L"", L"b"});
  EXPECT_EQ(list.Count(), 1);
  list.Break();
  list.Push({eakTyping, 2, L"", L"c"});
  list.Push({eakReplace, 0, L"ab", L""});
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Pop().removed, L"ab");
  EXPECT_EQ(list.Pop().inserted, L"c");
  EXPECT_EQ(list.Pop().inserted, L"ab");
}
