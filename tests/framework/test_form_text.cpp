#include "framework/form_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "framework/object.h"

namespace {

using Kind = TFormValue::Kind;

const char* const kSample =
    "object Form1: TForm1\n"
    "  Left = 1303\n"
    "  Top = -52\n"
    "  Tag = $1F\n"
    "  Caption = 'Quarnel - Ostrimark'\n"
    "  Hint = 'It''s here'#13#10'second line'\n"
    "  Long = 'first part' +\n"
    "    'second part'\n"
    "  Font.Name = 'MS Sans Serif'\n"
    "  Font.Style = [fsBold, fsItalic]\n"
    "  Anchors = []\n"
    "  Scale = 1.5\n"
    "  Big = -2.5E3\n"
    "  Visible = True\n"
    "  Color = clWhite\n"
    "  OnClick = btnGetRegPathClick\n"
    "  Lines.Strings = (\n"
    "    'one'\n"
    "    'two')\n"
    "  Glyph.Data = {\n"
    "    0A0B0C0d\n"
    "    FF00}\n"
    "  Picture.Data = @'face.bmp'\n"
    "  object OmGroupBox1: TOmGroupBox\n"
    "    Left = 69\n"
    "    object OmLabel1: TOmLabel\n"
    "    end\n"
    "  end\n"
    "end\n";

// Parses `P = <valueText>` inside a minimal block.
TFormValue ValueOf(const std::string& valueText) {
  TFormNode root = ParseFormText("object A: TA\n  P = " + valueText + "\nend\n");
  EXPECT_EQ(root.properties.size(), 1u) << valueText;
  return root.properties.at(0).value;
}

const TFormProperty& Prop(const TFormNode& node, const std::string& name) {
  for (const TFormProperty& p : node.properties)
    if (p.name == name) return p;
  throw std::runtime_error("no property " + name);
}

bool SameValue(const TFormValue& a, const TFormValue& b, bool lines) {
  if (a.kind != b.kind || a.integer != b.integer || a.text != b.text || a.set != b.set ||
      a.bytes != b.bytes || a.list.size() != b.list.size() || (lines && a.line != b.line))
    return false;
  // Bitwise, so that -0.0 and 0.0 differ.
  if (std::bit_cast<std::uint64_t>(a.real) != std::bit_cast<std::uint64_t>(b.real)) return false;
  for (size_t i = 0; i < a.list.size(); ++i)
    if (!SameValue(a.list[i], b.list[i], lines)) return false;
  return true;
}

bool SameTree(const TFormNode& a, const TFormNode& b, bool lines = false) {
  if (a.name != b.name || a.className != b.className || (lines && a.line != b.line) ||
      a.properties.size() != b.properties.size() || a.children.size() != b.children.size())
    return false;
  for (size_t i = 0; i < a.properties.size(); ++i) {
    const TFormProperty& p = a.properties[i];
    const TFormProperty& q = b.properties[i];
    if (p.name != q.name || (lines && p.line != q.line) || !SameValue(p.value, q.value, lines))
      return false;
  }
  for (size_t i = 0; i < a.children.size(); ++i)
    if (!SameTree(a.children[i], b.children[i], lines)) return false;
  return true;
}

TFormValue Make(Kind kind) {
  TFormValue v;
  v.kind = kind;
  return v;
}

TEST(FormText, ReadsIntegers) {
  struct { const char* text; long long expected; } cases[] = {
    {"0", 0},
    {"1303", 1303},
    {"-52", -52},
    {"007", 7},
    {"$1F", 31},
    {"$ff", 255},
    {"$7FFFFFFFFFFFFFFF", LLONG_MAX},
    {"9223372036854775807", LLONG_MAX},
    {"-9223372036854775808", LLONG_MIN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TFormValue v = ValueOf(c.text);
    EXPECT_EQ(v.kind, Kind::Integer);
    EXPECT_EQ(v.integer, c.expected);
  }
}

TEST(FormText, ReadsFloats) {
  struct { const char* text; double expected; } cases[] = {
    {"1.5", 1.5},
    {"-2.5E3", -2500.0},
    {"1e3", 1000.0},
    {"2.5e-3", 0.0025},
    {"1E+2", 100.0},
    {"0.0", 0.0},
    {"4.9E-324", std::numeric_limits<double>::denorm_min()},
    {"1.7976931348623157E308", std::numeric_limits<double>::max()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TFormValue v = ValueOf(c.text);
    EXPECT_EQ(v.kind, Kind::Float);
    EXPECT_EQ(v.real, c.expected);
  }
  EXPECT_TRUE(std::signbit(ValueOf("-0.0").real));
}

TEST(FormText, ReadsStrings) {
  struct { std::string text, expected; } cases[] = {
    {"'abc'", "abc"},
    {"''", ""},
    {"''''", "'"},
    {"'It''s'", "It's"},
    {"'It''s here'#13#10'second line'", "It's here\r\nsecond line"},
    {"#65#066'C'", "ABC"},
    {"#0", std::string(1, '\0')},
    {"#255", "\xFF"},
    {"'first' +\n    'second'", "firstsecond"},
    {"'a'+'b'   +   #33", "ab!"},
    {"'// not a comment'", "// not a comment"},
    {"'tab\there'", "tab\there"},
    {"'caf\xE9 \x80'", "caf\xE9 \x80"},  // 8-bit text stays as stored
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TFormValue v = ValueOf(c.text);
    EXPECT_EQ(v.kind, Kind::String);
    EXPECT_EQ(v.text, c.expected);
  }
}

TEST(FormText, ReadsIdentifiersAndSets) {
  for (const char* id : {"True", "clWhite", "btnGetRegPathClick", "_x1", "Form1.Button1.Click"}) {
    TFormValue v = ValueOf(id);
    EXPECT_EQ(v.kind, Kind::Identifier) << id;
    EXPECT_EQ(v.text, id);
  }
  struct { const char* text; std::vector<std::string> expected; } sets[] = {
    {"[]", {}},
    {"[ ]", {}},
    {"[fsBold]", {"fsBold"}},
    {"[fsBold, fsItalic]", {"fsBold", "fsItalic"}},
    {"[ b ,a,\n    c ]", {"b", "a", "c"}},
  };
  for (const auto& c : sets) {
    SCOPED_TRACE(c.text);
    TFormValue v = ValueOf(c.text);
    EXPECT_EQ(v.kind, Kind::Set);
    EXPECT_EQ(v.set, c.expected);
  }
}

TEST(FormText, ReadsBinary) {
  struct { const char* text; std::vector<unsigned char> expected; } cases[] = {
    {"{}", {}},
    {"{ \n }", {}},
    {"{0A0B0C0d\n    FF00}", {0x0A, 0x0B, 0x0C, 0x0D, 0xFF, 0x00}},
    {"{\r\n  00 ff\tAb\r\n}", {0x00, 0xFF, 0xAB}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TFormValue v = ValueOf(c.text);
    EXPECT_EQ(v.kind, Kind::Binary);
    EXPECT_EQ(v.bytes, c.expected);
  }
}

TEST(FormText, ReadsLists) {
  EXPECT_TRUE(ValueOf("()").list.empty());
  EXPECT_EQ(ValueOf("()").kind, Kind::List);

  TFormValue v = ValueOf("(\n    'one'\n    'two')");
  ASSERT_EQ(v.list.size(), 2u);
  EXPECT_EQ(v.list[0].text, "one");
  EXPECT_EQ(v.list[1].text, "two");
  EXPECT_EQ(v.line, 2);
  EXPECT_EQ(v.list[0].line, 3);
  EXPECT_EQ(v.list[1].line, 4);

  // Touching pieces are one string; whitespace separates items; '+' joins across it.
  v = ValueOf("('a'#13 'b' 'c' + 'd')");
  ASSERT_EQ(v.list.size(), 3u);
  EXPECT_EQ(v.list[0].text, "a\r");
  EXPECT_EQ(v.list[1].text, "b");
  EXPECT_EQ(v.list[2].text, "cd");

  v = ValueOf("(1 -2 2.5 Ident [x] {00FF} @'f.bmp' (3 ()))");
  ASSERT_EQ(v.list.size(), 8u);
  Kind kinds[] = {Kind::Integer, Kind::Integer, Kind::Float, Kind::Identifier,
                  Kind::Set, Kind::Binary, Kind::FileRef, Kind::List};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(v.list[i].kind, kinds[i]) << i;
  EXPECT_EQ(v.list[1].integer, -2);
  ASSERT_EQ(v.list[7].list.size(), 2u);
  EXPECT_EQ(v.list[7].list[1].kind, Kind::List);
}

TEST(FormText, ReadsFileReferences) {
  TFormValue v = ValueOf("@'face.bmp'");
  EXPECT_EQ(v.kind, Kind::FileRef);
  EXPECT_EQ(v.text, "face.bmp");
  EXPECT_EQ(ValueOf("@ 'art\\' + 'face.bmp'").text, "art\\face.bmp");
}

TEST(FormText, ReadsTreeWithLineNumbers) {
  TFormNode root = ParseFormText(kSample);
  EXPECT_EQ(root.name, "Form1");
  EXPECT_EQ(root.className, "TForm1");
  EXPECT_EQ(root.line, 1);
  ASSERT_EQ(root.properties.size(), 17u);
  EXPECT_EQ(root.properties.front().name, "Left");
  EXPECT_EQ(root.properties.back().name, "Picture.Data");

  struct { const char* name; int line; Kind kind; } props[] = {
    {"Left", 2, Kind::Integer},        {"Tag", 4, Kind::Integer},
    {"Hint", 6, Kind::String},         {"Long", 7, Kind::String},
    {"Font.Name", 9, Kind::String},    {"Font.Style", 10, Kind::Set},
    {"Anchors", 11, Kind::Set},        {"Scale", 12, Kind::Float},
    {"Visible", 14, Kind::Identifier}, {"Lines.Strings", 17, Kind::List},
    {"Glyph.Data", 20, Kind::Binary},  {"Picture.Data", 23, Kind::FileRef},
  };
  for (const auto& p : props) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(Prop(root, p.name).line, p.line);
    EXPECT_EQ(Prop(root, p.name).value.line, p.line);
    EXPECT_EQ(Prop(root, p.name).value.kind, p.kind);
  }
  EXPECT_EQ(Prop(root, "Long").value.text, "first partsecond part");
  EXPECT_EQ(Prop(root, "Big").value.real, -2500.0);

  ASSERT_EQ(root.children.size(), 1u);
  const TFormNode& box = root.children[0];
  EXPECT_EQ(box.name, "OmGroupBox1");
  EXPECT_EQ(box.className, "TOmGroupBox");
  EXPECT_EQ(box.line, 24);
  ASSERT_EQ(box.properties.size(), 1u);
  EXPECT_EQ(box.properties[0].line, 25);
  EXPECT_EQ(box.properties[0].value.integer, 69);
  ASSERT_EQ(box.children.size(), 1u);
  EXPECT_EQ(box.children[0].name, "OmLabel1");
  EXPECT_EQ(box.children[0].line, 26);
  EXPECT_TRUE(box.children[0].properties.empty());
  EXPECT_TRUE(box.children[0].children.empty());
}

TEST(FormText, CrLfReadsLikeLf) {
  std::string crlf;
  for (const char* p = kSample; *p; ++p) {
    if (*p == '\n') crlf += '\r';
    crlf += *p;
  }
  EXPECT_TRUE(SameTree(ParseFormText(crlf), ParseFormText(kSample), true));
  EXPECT_EQ(Prop(ParseFormText(crlf), "Hint").value.text, "It's here\r\nsecond line");
}

TEST(FormText, KeywordsSpacingAndComments) {
  for (const char* header : {"object A: TA", "object A:TA", "object A :TA", "object\tA : TA",
                             "OBJECT A: TA", "Object A: TA"}) {
    TFormNode root = ParseFormText(std::string(header) + "\nEnd");
    EXPECT_EQ(root.name, "A") << header;
    EXPECT_EQ(root.className, "TA") << header;
  }

  TFormNode root = ParseFormText(
      "// stored by the designer\n"
      "object Form1: TForm1 // the main window\n"
      "\tEnd = 5\n"
      "  object = 6\n"
      "  Caption = '//kept' // dropped\n"
      "  // Left = 1\n"
      "  OBJECT B: TB\n"
      "  END\n"
      "end // trailing\n"
      "// more\n");
  EXPECT_EQ(root.line, 2);
  ASSERT_EQ(root.properties.size(), 3u);
  EXPECT_EQ(root.properties[0].name, "End");
  EXPECT_EQ(root.properties[0].value.integer, 5);
  EXPECT_EQ(root.properties[1].name, "object");
  EXPECT_EQ(root.properties[2].value.text, "//kept");
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].name, "B");
  EXPECT_EQ(root.children[0].line, 7);
}

struct TMalformed {
  std::string text;
  int line;
  std::string message;
};

// Wraps property lines into a block; the first body line is line 2.
std::string InForm(const std::string& body) { return "object Form1: TForm1\n" + body + "\nend\n"; }

TEST(FormText, ReportsMalformedInput) {
  const TMalformed cases[] = {
    // Structure
    {"", 1, "expected 'object'"},
    {"// only\n// comments\n", 3, "expected 'object'"},
    {"Left = 1\n", 1, "expected 'object'"},
    {"object : TForm1\nend\n", 1, "expected a component name after 'object'"},
    {"object Form1.X: TForm1\nend\n", 1, "expected a component name after 'object'"},
    {"object Form1 TForm1\nend\n", 1, "Form1: expected ':' after the component name"},
    {"object Form1:\nend\n", 1, "Form1: expected a class name after ':'"},
    {"object Form1: TForm1\n  Left = 1\n", 1, "Form1: missing 'end'"},
    {"object Form1: TForm1\n  object OmGroupBox1: TOmGroupBox\n    Left = 1\n", 2,
     "Form1.OmGroupBox1: missing 'end'"},
    {"object Form1: TForm1\nend\nobject Form2: TForm2\nend\n", 3, "unexpected text after the final 'end'"},
    {"object Form1: TForm1\nend\nend\n", 3, "unexpected text after the final 'end'"},
    {"object Form1: TForm1 Left = 1\nend\n", 1, "Form1: expected a line break, found 'Left'"},
    {InForm("  Left = 1 Top = 2"), 2, "Form1: expected a line break, found 'Top'"},
    {InForm("  Left = 1\n  5 = 1"), 3, "Form1: expected a property, 'object' or 'end', found a number"},
    {InForm("  Left 1"), 2, "Form1: expected '=' after property name 'Left'"},
    {InForm("  Left\n  = 1"), 2, "Form1: expected '=' after property name 'Left'"},
    {InForm("  Left =\n  Top = 1"), 2, "Form1.Left: expected a value after '='"},
    {InForm("  Left = )"), 2, "Form1.Left: expected a value, found ')'"},
    {InForm("  Font. = 1"), 2, "Form1: expected an identifier after '.'"},
    {InForm("  Font..Name = 1"), 2, "Form1: expected an identifier after '.'"},
    {InForm("  Left = %"), 2, "Form1.Left: unexpected character '%'"},
    {InForm(std::string("  Left = ") + '\0'), 2, "Form1.Left: unexpected character #0"},
    {InForm("  / not a comment"), 2, "Form1: unexpected character '/'"},
    // Strings
    {"object Form1: TForm1\n  object OmLabel2: TOmLabel\n    Caption = 'abc\n  end\nend\n", 3,
     "Form1.OmLabel2.Caption: unterminated string"},
    {InForm("  Caption = 'ab\n  cd'"), 2, "Form1.Caption: unterminated string"},
    {InForm("  Caption = 'ab\r\n  cd'"), 2, "Form1.Caption: unterminated string"},
    {InForm("  Caption = 'ab\rcd'"), 2, "Form1.Caption: unterminated string"},
    // A fault on the next line belongs to no property, though lookahead meets it first.
    {InForm("  Caption = 'x'\n  'oops"), 3, "Form1: unterminated string"},
    {InForm("  Caption = #"), 2, "Form1.Caption: expected a character code after '#'"},
    {InForm("  Caption = 'a'#x"), 2, "Form1.Caption: expected a character code after '#'"},
    {InForm("  Caption = #256"), 2, "Form1.Caption: character code out of range"},
    {InForm("  Caption = #99999999999999999999"), 2, "Form1.Caption: character code out of range"},
    {InForm("  Caption = 'a' +\n  Left = 1"), 3, "Form1.Caption: expected a string after '+'"},
    {InForm("  Caption = 'a' + 5"), 2, "Form1.Caption: expected a string after '+'"},
    // Numbers
    {InForm("  Tag = 9223372036854775808"), 2, "Form1.Tag: integer out of range"},
    {InForm("  Tag = -9223372036854775809"), 2, "Form1.Tag: integer out of range"},
    {InForm("  Tag = $8000000000000000"), 2, "Form1.Tag: integer out of range"},
    {InForm("  Tag = $"), 2, "Form1.Tag: expected hex digits after '$'"},
    {InForm("  Tag = -"), 2, "Form1.Tag: expected a digit after '-'"},
    {InForm("  Tag = -$1F"), 2, "Form1.Tag: expected a digit after '-'"},
    {InForm("  Tag = 12px"), 2, "Form1.Tag: invalid number '12px'"},
    {InForm("  Tag = $1G"), 2, "Form1.Tag: invalid number '$1G'"},
    {InForm("  Tag = 1."), 2, "Form1.Tag: invalid number '1.'"},
    {InForm("  Tag = 1.2.3"), 2, "Form1.Tag: invalid number '1.2.3'"},
    {InForm("  Tag = 1e"), 2, "Form1.Tag: invalid number '1e'"},
    {InForm("  Tag = 1E+"), 2, "Form1.Tag: invalid number '1E+'"},
    {InForm("  Scale = 1E999"), 2, "Form1.Scale: float out of range"},
    {InForm("  Scale = 1E-400"), 2, "Form1.Scale: float out of range"},
    // Sets
    {InForm("  S = [a,]"), 2, "Form1.S: expected an identifier in the set, found ']'"},
    {InForm("  S = [,]"), 2, "Form1.S: expected an identifier in the set, found ','"},
    {InForm("  S = [a b]"), 2, "Form1.S: expected ',' or ']' in the set, found 'b'"},
    {InForm("  S = [1]"), 2, "Form1.S: expected an identifier in the set, found a number"},
    {InForm("  S = [a"), 3, "Form1.S: expected ',' or ']' in the set, found 'end'"},
    // Binary
    {InForm("  Glyph.Data = {\n    0A0\n  }"), 3, "Form1.Glyph.Data: odd number of hex digits"},
    {InForm("  Glyph.Data = {0A0}"), 2, "Form1.Glyph.Data: odd number of hex digits"},
    {InForm("  Glyph.Data = {0 A}"), 2, "Form1.Glyph.Data: odd number of hex digits"},
    {InForm("  Glyph.Data = {\n  00\n  0G}"), 4, "Form1.Glyph.Data: invalid character 'G' in binary data"},
    {InForm("  Glyph.Data = {00 // note\n  }"), 2, "Form1.Glyph.Data: invalid character '/' in binary data"},
    {"object Form1: TForm1\n  Glyph.Data = {\n    0A0B\n", 2, "Form1.Glyph.Data: unterminated binary data"},
    // Lists
    {"object Form1: TForm1\n  Lines = (\n    'a'\n", 2, "Form1.Lines: missing ')'"},
    {InForm("  Lines = (\n    'a'\n    'b\n  )"), 4, "Form1.Lines: unterminated string"},
    {InForm("  Lines = (\n    'a'\n  Left = 1"), 4, "Form1.Lines: expected a value, found '='"},
    {InForm("  Lines = (,)"), 2, "Form1.Lines: expected a value, found ','"},
    // File references
    {InForm("  P = @face"), 2, "Form1.P: expected a file name after '@'"},
    {InForm("  P = @"), 2, "Form1.P: expected a file name after '@'"},
    {InForm("  P = @''"), 2, "Form1.P: invalid file name"},
    {InForm("  P = @'a'#10'b'"), 2, "Form1.P: invalid file name"},
  };
  for (const TMalformed& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseFormText(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const EFormReadError& e) {
      EXPECT_EQ(e.Line(), c.line) << e.Message();
      EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
    }
  }
}

TEST(FormText, ErrorMessageStartsWithTheLine) {
  try {
    ParseFormText(InForm("  Left 1"));
    FAIL() << "accepted";
  } catch (const EFormReadError& e) {
    EXPECT_EQ(e.Message(), "Line 2: Form1: expected '=' after property name 'Left'");
  }
}

TEST(FormText, LimitsNestingInsteadOfOverflowingTheStack) {
  auto lists = [](int depth) {
    return InForm("  P = " + std::string(static_cast<size_t>(depth), '(') +
                  std::string(static_cast<size_t>(depth), ')'));
  };
  auto blocks = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "object C" + std::to_string(i) + ": T\n";
    for (int i = 0; i < depth; ++i) text += "end\n";
    return text;
  };
  EXPECT_NO_THROW(ParseFormText(lists(50)));
  EXPECT_NO_THROW(ParseFormText(blocks(50)));
  EXPECT_THROW(ParseFormText(lists(100000)), EFormReadError);
  EXPECT_THROW(ParseFormText(blocks(100000)), EFormReadError);
}

TEST(FormText, WritesTheStoredLayout) {
  // Already in written form, so writing what is read must give it back unchanged.
  const std::string text =
      "object Form1: TForm1\n"
      "  Left = -1303\n"
      "  Caption = 'It''s'#13#10'here'#9\n"
      "  Empty = ''\n"
      "  Scale = 2.0\n"
      "  Big = -2.5E+30\n"
      "  Color = clWhite\n"
      "  Font.Style = [fsBold, fsItalic]\n"
      "  Anchors = []\n"
      "  Glyph.Data = {\n"
      "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
      "    FF00}\n"
      "  None = {}\n"
      "  Lines.Strings = (\n"
      "    'one'\n"
      "    (\n"
      "      1\n"
      "      {\n"
      "        AB})\n"
      "    'two')\n"
      "  Nothing = ()\n"
      "  Picture.Data = @'art\\face.bmp'\n"
      "  object OmGroupBox1: TOmGroupBox\n"
      "    object OmLabel1: TOmLabel\n"
      "      Caption = 'x'\n"
      "    end\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(FormatFormText(ParseFormText(text)), text);
}

TEST(FormText, RoundTripsARealisticForm) {
  TFormNode read = ParseFormText(kSample);
  std::string written = FormatFormText(read);
  TFormNode reread = ParseFormText(written);
  EXPECT_TRUE(SameTree(read, reread)) << written;
  EXPECT_EQ(FormatFormText(reread), written);
}

TEST(FormText, RoundTripsEdgeValues) {
  TFormNode root;
  root.name = "Form1";
  root.className = "TForm1";
  auto add = [&root](const std::string& name, TFormValue value) {
    root.properties.push_back({name, std::move(value), 0});
  };

  TFormValue allBytes = Make(Kind::String);
  for (int c = 0; c < 256; ++c) allBytes.text += static_cast<char>(c);
  add("AllBytes", allBytes);
  TFormValue quotes = Make(Kind::String);
  quotes.text = "''#'+";
  add("Quotes", quotes);

  TFormValue binary = Make(Kind::Binary);
  for (int i = 0; i < 100; ++i) binary.bytes.push_back(static_cast<unsigned char>(i * 37));
  add("Binary", binary);
  TFormValue binaryRow = Make(Kind::Binary);
  binaryRow.bytes.assign(32, 0x5A);  // exactly one written row
  add("BinaryRow", binaryRow);

  const double reals[] = {2.0, -0.0, 0.1, 1e21, 1e300, -2.5e3, 1.0 / 3,
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::lowest()};
  TFormValue list = Make(Kind::List);
  for (double r : reals) {
    TFormValue v = Make(Kind::Float);
    v.real = r;
    list.list.push_back(v);
  }
  for (long long n : {LLONG_MIN, LLONG_MAX, 0LL}) {
    TFormValue v = Make(Kind::Integer);
    v.integer = n;
    list.list.push_back(v);
  }
  list.list.push_back(Make(Kind::List));
  list.list.push_back(binary);
  add("Numbers", list);

  // Keyword-named properties and components still read back as such.
  TFormValue five = Make(Kind::Integer);
  five.integer = 5;
  add("End", five);
  add("object", five);
  TFormNode child;
  child.name = "end";
  child.className = "TObject";
  root.children.push_back(child);

  std::string written = FormatFormText(root);
  TFormNode reread = ParseFormText(written);
  EXPECT_TRUE(SameTree(root, reread)) << written;
}

TEST(FormText, RefusesToWriteWhatCannotBeRead) {
  auto withValue = [](TFormValue value) {
    TFormNode root;
    root.name = "Form1";
    root.className = "TForm1";
    root.properties.push_back({"P", std::move(value), 0});
    return root;
  };
  auto identifier = [](const std::string& text) {
    TFormValue v = Make(Kind::Identifier);
    v.text = text;
    return v;
  };
  auto real = [](double r) {
    TFormValue v = Make(Kind::Float);
    v.real = r;
    return v;
  };
  auto fileRef = [](const std::string& name) {
    TFormValue v = Make(Kind::FileRef);
    v.text = name;
    return v;
  };
  TFormValue badSet = Make(Kind::Set);
  badSet.set = {"fsBold", "fs Italic"};
  TFormValue badItem = Make(Kind::List);
  badItem.list = {identifier("ok"), real(std::nan(""))};

  TFormNode badName = withValue(identifier("x"));
  badName.name = "Form 1";
  TFormNode badClass = withValue(identifier("x"));
  badClass.className = "";
  TFormNode badProperty = withValue(identifier("x"));
  badProperty.properties[0].name = "Font..Name";
  TFormNode badChild = withValue(identifier("x"));
  badChild.children.push_back(badName);

  struct { TFormNode tree; const char* message; } cases[] = {
    {badName, "Form 1: invalid component name"},
    {badClass, "Form1: invalid class name"},
    {badProperty, "Form1.Font..Name: invalid property name"},
    {badChild, "Form1.Form 1: invalid component name"},
    {withValue(identifier("")), "Form1.P: invalid identifier"},
    {withValue(identifier("1x")), "Form1.P: invalid identifier"},
    {withValue(identifier("a.")), "Form1.P: invalid identifier"},
    {withValue(badSet), "Form1.P: invalid set element 'fs Italic'"},
    {withValue(real(std::numeric_limits<double>::infinity())), "Form1.P: float is not finite"},
    {withValue(badItem), "Form1.P: float is not finite"},
    {withValue(fileRef("")), "Form1.P: invalid file name"},
    {withValue(fileRef("a\nb")), "Form1.P: invalid file name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      FormatFormText(c.tree);
      ADD_FAILURE() << "written";
    } catch (const EConvertError& e) {
      EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
    }
  }
}

}  // namespace
