// The stored text form description: a tree of `object Name: TClass ... end` blocks with
// `Name = value` properties. This is only the syntax; form_reader gives it meaning.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct TFormValue {
  enum class Kind { Integer, Float, String, Identifier, Set, Binary, List, FileRef };
  Kind kind = Kind::Integer;
  int line = 0;                         // where the value starts
  long long integer = 0;                // Integer
  double real = 0;                      // Float
  std::string text;                     // String, Identifier, FileRef (the file name)
  std::vector<std::string> set;         // Set elements, in order
  std::vector<unsigned char> bytes;     // Binary
  std::vector<TFormValue> list;         // List items
};
struct TFormProperty {
  std::string name;                     // dotted, as written
  TFormValue value;
  int line = 0;
};
struct TFormNode {
  std::string name, className;
  int line = 0;                         // line of its `object` keyword
  std::vector<TFormProperty> properties; // in stored order
  std::vector<TFormNode> children;       // in stored order
};
// Parses a whole description; throws EFormReadError on malformed input.
TFormNode ParseFormText(std::string_view text);
// Writes a node back in the same syntax (two-space indentation, binary as 64 hex digits a line,
// strings quoted with '' and #nn for control characters); parsing the output gives the same tree.
// Throws EConvertError for a tree the syntax cannot hold (a bad name, a non-finite float,
// an empty file name), rather than writing text that would not read back.
std::string FormatFormText(const TFormNode& root);
