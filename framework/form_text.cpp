#include "framework/form_text.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

#include "framework/object.h"

namespace {

// Far deeper than any real form; stops crafted input from exhausting the stack.
constexpr int kMaxDepth = 200;

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

// A plain identifier, or dotted ones (`Font.Name`) when allowDots.
bool IsName(std::string_view s, bool allowDots) {
  bool atStart = true;
  for (char c : s) {
    if (atStart ? !IsIdentStart(c) : !(IsIdentChar(c) || (allowDots && c == '.'))) return false;
    atStart = c == '.';
  }
  return !atStart;
}

bool SameKeyword(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if ((word[i] | 0x20) != keyword[i]) return false;
  return true;
}

// Control characters and high bytes would garble a message; show them as codes.
std::string Shown(char c) {
  auto code = static_cast<unsigned char>(c);
  if (code >= 32 && code < 127) return std::string{'\'', c, '\''};
  return "#" + std::to_string(code);
}

enum class TTokenKind {
  EndOfText, Identifier, Integer, Float, String, Binary,
  Equals, Colon, Comma, Plus, At, LBracket, RBracket, LParen, RParen, Error
};

struct TFormToken {
  TTokenKind kind = TTokenKind::EndOfText;
  int line = 0;
  int endLine = 0;   // differs from line only for binary data, and for an Error is the fault's line
  std::string text;  // identifier, string, symbol, or the message of an Error
  long long integer = 0;
  double real = 0;
  std::vector<unsigned char> bytes;
};

std::string Describe(const TFormToken& t) {
  switch (t.kind) {
    case TTokenKind::EndOfText: return "the end of the text";
    case TTokenKind::Integer:
    case TTokenKind::Float: return "a number";
    case TTokenKind::String: return "a string";
    case TTokenKind::Binary: return "binary data";
    default: return "'" + t.text + "'";
  }
}

struct TLexFault {
  int line;
  std::string message;
};

// Lexical faults come back as Error tokens: lookahead runs ahead of the parser, and only
// the parser knows which component and property the faulty token belongs to.
class TFormTokenizer {
public:
  explicit TFormTokenizer(std::string_view text) : text_(text) {}
  const TFormToken& Peek() {
    if (!ahead_) ahead_ = Scan();
    return *ahead_;
  }
  TFormToken Next() {
    Peek();
    TFormToken t = std::move(*ahead_);
    ahead_.reset();
    return t;
  }

private:
  TFormToken Scan();
  TFormToken ScanToken();
  void SkipWhitespace();
  void SkipBlanks();
  void SkipDigits() { while (IsDigit(Cur())) ++pos_; }
  void ScanIdentifier(TFormToken& t);
  void ScanNumber(TFormToken& t);
  void ScanDecimal(TFormToken& t, size_t start);
  void ScanHex(TFormToken& t);
  [[noreturn]] void InvalidNumber(size_t start);
  void ScanString(TFormToken& t);
  void ScanQuoted(std::string& out);
  void ScanCharCode(std::string& out);
  void ScanBinary(TFormToken& t);
  void ScanHexRun(std::vector<unsigned char>& bytes);
  void ScanSymbol(TFormToken& t);
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Cur() const { return Ahead(0); }
  char Ahead(size_t n) const { return pos_ + n < text_.size() ? text_[pos_ + n] : '\0'; }
  [[noreturn]] void Fault(const std::string& message) const { throw TLexFault{line_, message}; }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  int tokenLine_ = 1;  // where the token being scanned starts
  std::optional<TFormToken> ahead_;
  std::optional<TFormToken> failed_;  // past a fault the text cannot be trusted
};

TFormToken TFormTokenizer::Scan() {
  if (failed_) return *failed_;
  try {
    return ScanToken();
  } catch (const TLexFault& fault) {
    failed_.emplace();
    failed_->kind = TTokenKind::Error;
    failed_->line = tokenLine_;
    failed_->endLine = fault.line;
    failed_->text = fault.message;
    return *failed_;
  }
}

TFormToken TFormTokenizer::ScanToken() {
  SkipBlanks();
  TFormToken t;
  t.line = tokenLine_ = line_;
  char c = Cur();
  if (AtEnd()) t.kind = TTokenKind::EndOfText;
  else if (IsIdentStart(c)) ScanIdentifier(t);
  else if (IsDigit(c) || c == '-' || c == '$') ScanNumber(t);
  else if (c == '\'' || c == '#') ScanString(t);
  else if (c == '{') ScanBinary(t);
  else ScanSymbol(t);
  t.endLine = line_;
  return t;
}

void TFormTokenizer::SkipWhitespace() {
  for (; !AtEnd() && IsBlank(text_[pos_]); ++pos_)
    if (text_[pos_] == '\n') ++line_;
}

void TFormTokenizer::SkipBlanks() {
  for (SkipWhitespace(); Cur() == '/' && Ahead(1) == '/'; SkipWhitespace())
    while (!AtEnd() && text_[pos_] != '\n') ++pos_;
}

void TFormTokenizer::ScanIdentifier(TFormToken& t) {
  size_t start = pos_;
  for (;;) {
    while (IsIdentChar(Cur())) ++pos_;
    if (Cur() != '.') break;
    if (!IsIdentStart(Ahead(1))) Fault("expected an identifier after '.'");
    ++pos_;
  }
  t.kind = TTokenKind::Identifier;
  t.text = text_.substr(start, pos_ - start);
}

void TFormTokenizer::ScanNumber(TFormToken& t) {
  size_t start = pos_;
  if (Cur() == '$') ScanHex(t);
  else ScanDecimal(t, start);
  // `12px` or `1.` is a typo, not a number followed by something else.
  if (IsIdentChar(Cur()) || Cur() == '.') InvalidNumber(start);
}

void TFormTokenizer::ScanDecimal(TFormToken& t, size_t start) {
  if (Cur() == '-') ++pos_;
  if (!IsDigit(Cur())) Fault("expected a digit after '-'");
  SkipDigits();
  t.kind = TTokenKind::Integer;
  if (Cur() == '.' && IsDigit(Ahead(1))) {
    ++pos_;
    SkipDigits();
    t.kind = TTokenKind::Float;
  }
  if (Cur() == 'e' || Cur() == 'E') {
    pos_ += (Ahead(1) == '+' || Ahead(1) == '-') ? 2 : 1;
    if (!IsDigit(Cur())) InvalidNumber(start);
    SkipDigits();
    t.kind = TTokenKind::Float;
  }
  const char* first = text_.data() + start;
  const char* last = text_.data() + pos_;
  if (t.kind == TTokenKind::Float) {
    if (std::from_chars(first, last, t.real).ec != std::errc{}) Fault("float out of range");
  } else if (std::from_chars(first, last, t.integer).ec != std::errc{}) {
    Fault("integer out of range");
  }
}

void TFormTokenizer::ScanHex(TFormToken& t) {
  size_t start = ++pos_;
  while (IsHexDigit(Cur())) ++pos_;
  if (pos_ == start) Fault("expected hex digits after '$'");
  t.kind = TTokenKind::Integer;
  if (std::from_chars(text_.data() + start, text_.data() + pos_, t.integer, 16).ec != std::errc{})
    Fault("integer out of range");
}

void TFormTokenizer::InvalidNumber(size_t start) {
  while (IsIdentChar(Cur()) || Cur() == '.' || Cur() == '+' || Cur() == '-') ++pos_;
  Fault("invalid number '" + std::string(text_.substr(start, pos_ - start)) + "'");
}

// Pieces join only when they touch: in a list, `'a' 'b'` is two items.
void TFormTokenizer::ScanString(TFormToken& t) {
  t.kind = TTokenKind::String;
  while (Cur() == '\'' || Cur() == '#') {
    if (Cur() == '\'') ScanQuoted(t.text);
    else ScanCharCode(t.text);
  }
}

void TFormTokenizer::ScanQuoted(std::string& out) {
  ++pos_;
  for (;;) {
    if (AtEnd() || text_[pos_] == '\n' || text_[pos_] == '\r') Fault("unterminated string");
    char c = text_[pos_++];
    if (c != '\'') {
      out += c;
    } else if (Cur() == '\'') {
      out += c;
      ++pos_;
    } else {
      return;
    }
  }
}

void TFormTokenizer::ScanCharCode(std::string& out) {
  size_t start = ++pos_;
  SkipDigits();
  if (pos_ == start) Fault("expected a character code after '#'");
  unsigned code = 0;
  auto result = std::from_chars(text_.data() + start, text_.data() + pos_, code);
  if (result.ec != std::errc{} || code > 255) Fault("character code out of range");
  out += static_cast<char>(code);
}

void TFormTokenizer::ScanBinary(TFormToken& t) {
  int startLine = line_;
  ++pos_;
  t.kind = TTokenKind::Binary;
  for (;;) {
    SkipWhitespace();
    if (AtEnd()) throw TLexFault{startLine, "unterminated binary data"};
    if (text_[pos_] == '}') break;
    ScanHexRun(t.bytes);
  }
  ++pos_;
}

void TFormTokenizer::ScanHexRun(std::vector<unsigned char>& bytes) {
  size_t start = pos_;
  while (IsHexDigit(Cur())) ++pos_;
  if (!AtEnd() && !IsBlank(text_[pos_]) && text_[pos_] != '}')
    Fault("invalid character " + Shown(text_[pos_]) + " in binary data");
  // Whitespace may only fall between pairs, so every run must be even.
  if ((pos_ - start) % 2 != 0) Fault("odd number of hex digits");
  for (size_t i = start; i < pos_; i += 2)
    bytes.push_back(static_cast<unsigned char>(HexValue(text_[i]) * 16 + HexValue(text_[i + 1])));
}

void TFormTokenizer::ScanSymbol(TFormToken& t) {
  static constexpr std::string_view symbols = "=:,+@[]()";
  static constexpr TTokenKind kinds[] = {
    TTokenKind::Equals, TTokenKind::Colon, TTokenKind::Comma, TTokenKind::Plus, TTokenKind::At,
    TTokenKind::LBracket, TTokenKind::RBracket, TTokenKind::LParen, TTokenKind::RParen};
  size_t index = symbols.find(Cur());
  if (index == std::string_view::npos) Fault("unexpected character " + Shown(Cur()));
  t.kind = kinds[index];
  t.text = std::string(1, Cur());
  ++pos_;
}

class TFormParser {
public:
  explicit TFormParser(std::string_view text) : tokens_(text) {}
  TFormNode ParseRoot();

private:
  TFormNode ParseBlock(const TFormToken& objectWord);
  std::string ParseHeaderName(int line, const char* message);
  bool ParseItem(TFormNode& node);
  TFormProperty ParseProperty(const TFormToken& name);
  TFormValue ParseValue();
  void ParseStringTail(std::string& text);
  void ParseSet(std::vector<std::string>& set);
  void ParseList(std::vector<TFormValue>& list, int line);
  std::string ParseFileName(int line);
  TFormToken Next();
  void Enter(int line) {
    if (++depth_ > kMaxDepth) Fail(line, "nested too deeply");
  }
  [[noreturn]] void Fail(int line, const std::string& message) const;

  TFormTokenizer tokens_;
  std::string path_;      // component being read, `Form1.OmGroupBox1`
  std::string property_;  // property being read, if any
  int lastLine_ = 0;      // last line of the latest token taken
  int depth_ = 0;
};

TFormToken TFormParser::Next() {
  TFormToken t = tokens_.Next();
  if (t.kind == TTokenKind::Error) Fail(t.endLine, t.text);
  lastLine_ = t.endLine;
  return t;
}

void TFormParser::Fail(int line, const std::string& message) const {
  std::string where = path_;
  if (!property_.empty()) where += "." + property_;
  throw EFormReadError(line, where.empty() ? message : where + ": " + message);
}

TFormNode TFormParser::ParseRoot() {
  TFormToken first = Next();
  if (first.kind != TTokenKind::Identifier || !SameKeyword(first.text, "object"))
    Fail(first.line, "expected 'object'");
  TFormNode root = ParseBlock(first);
  const TFormToken& rest = tokens_.Peek();
  if (rest.kind != TTokenKind::EndOfText) Fail(rest.line, "unexpected text after the final 'end'");
  return root;
}

TFormNode TFormParser::ParseBlock(const TFormToken& objectWord) {
  Enter(objectWord.line);
  TFormNode node;
  node.line = objectWord.line;
  node.name = ParseHeaderName(node.line, "expected a component name after 'object'");
  std::string outer = std::exchange(path_, path_.empty() ? node.name : path_ + "." + node.name);
  TFormToken colon = Next();
  if (colon.kind != TTokenKind::Colon || colon.line != node.line)
    Fail(node.line, "expected ':' after the component name");
  node.className = ParseHeaderName(node.line, "expected a class name after ':'");
  while (ParseItem(node)) {}
  path_ = std::move(outer);
  --depth_;
  return node;
}

// The header stays on one line, so `object Form1:` cannot take the next line's `end` as its class.
std::string TFormParser::ParseHeaderName(int line, const char* message) {
  TFormToken t = Next();
  if (t.kind != TTokenKind::Identifier || t.line != line || !IsName(t.text, false)) Fail(line, message);
  return t.text;
}

// Reads one property or child block; false at the block's `end`.
bool TFormParser::ParseItem(TFormNode& node) {
  int previousLine = lastLine_;
  TFormToken t = Next();
  if (t.kind == TTokenKind::EndOfText) Fail(node.line, "missing 'end'");
  if (t.line == previousLine) Fail(t.line, "expected a line break, found " + Describe(t));
  if (t.kind != TTokenKind::Identifier)
    Fail(t.line, "expected a property, 'object' or 'end', found " + Describe(t));
  // Followed by '=', the keywords are ordinary property names (a range's `End`).
  bool assigned = tokens_.Peek().kind == TTokenKind::Equals;
  if (!assigned && SameKeyword(t.text, "end")) return false;
  if (!assigned && SameKeyword(t.text, "object")) node.children.push_back(ParseBlock(t));
  else node.properties.push_back(ParseProperty(t));
  return true;
}

TFormProperty TFormParser::ParseProperty(const TFormToken& name) {
  TFormToken equals = Next();
  if (equals.kind != TTokenKind::Equals || equals.line != name.line)
    Fail(name.line, "expected '=' after property name '" + name.text + "'");
  property_ = name.text;
  if (tokens_.Peek().line != equals.line) Fail(equals.line, "expected a value after '='");
  TFormProperty property{name.text, ParseValue(), name.line};
  property_.clear();
  return property;
}

TFormValue TFormParser::ParseValue() {
  TFormToken t = Next();
  TFormValue v;
  v.line = t.line;
  switch (t.kind) {
    case TTokenKind::Integer: v.kind = TFormValue::Kind::Integer; v.integer = t.integer; break;
    case TTokenKind::Float: v.kind = TFormValue::Kind::Float; v.real = t.real; break;
    case TTokenKind::Identifier: v.kind = TFormValue::Kind::Identifier; v.text = std::move(t.text); break;
    case TTokenKind::Binary: v.kind = TFormValue::Kind::Binary; v.bytes = std::move(t.bytes); break;
    case TTokenKind::String:
      v.kind = TFormValue::Kind::String;
      v.text = std::move(t.text);
      ParseStringTail(v.text);
      break;
    case TTokenKind::LBracket: v.kind = TFormValue::Kind::Set; ParseSet(v.set); break;
    case TTokenKind::LParen: v.kind = TFormValue::Kind::List; ParseList(v.list, t.line); break;
    case TTokenKind::At: v.kind = TFormValue::Kind::FileRef; v.text = ParseFileName(t.line); break;
    default: Fail(t.line, "expected a value, found " + Describe(t));
  }
  return v;
}

void TFormParser::ParseStringTail(std::string& text) {
  while (tokens_.Peek().kind == TTokenKind::Plus) {
    Next();
    TFormToken piece = Next();
    if (piece.kind != TTokenKind::String) Fail(piece.line, "expected a string after '+'");
    text += piece.text;
  }
}

void TFormParser::ParseSet(std::vector<std::string>& set) {
  if (tokens_.Peek().kind == TTokenKind::RBracket) {
    Next();
    return;
  }
  for (;;) {
    TFormToken item = Next();
    if (item.kind != TTokenKind::Identifier)
      Fail(item.line, "expected an identifier in the set, found " + Describe(item));
    set.push_back(std::move(item.text));
    TFormToken separator = Next();
    if (separator.kind == TTokenKind::RBracket) return;
    if (separator.kind != TTokenKind::Comma)
      Fail(separator.line, "expected ',' or ']' in the set, found " + Describe(separator));
  }
}

void TFormParser::ParseList(std::vector<TFormValue>& list, int line) {
  Enter(line);
  while (tokens_.Peek().kind != TTokenKind::RParen) {
    if (tokens_.Peek().kind == TTokenKind::EndOfText) Fail(line, "missing ')'");
    list.push_back(ParseValue());
  }
  Next();
  --depth_;
}

bool IsFileName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name)
    if (static_cast<unsigned char>(c) < 32) return false;
  return true;
}

std::string TFormParser::ParseFileName(int line) {
  TFormToken t = Next();
  if (t.kind != TTokenKind::String) Fail(line, "expected a file name after '@'");
  std::string name = std::move(t.text);
  ParseStringTail(name);
  // An empty name or one with control characters cannot name a file the build can find.
  if (!IsFileName(name)) Fail(line, "invalid file name");
  return name;
}

void Require(bool ok, const std::string& where, const std::string& message) {
  if (!ok) throw EConvertError(where + ": " + message);
}

// Control characters go out as #nn so a string stays on its line; other bytes as they are.
std::string Quoted(std::string_view text) {
  if (text.empty()) return "''";
  std::string out;
  bool open = false;
  for (char c : text) {
    auto code = static_cast<unsigned char>(c);
    bool plain = code >= 32 && code != 127;
    if (plain != open) {
      out += '\'';
      open = plain;
    }
    if (!plain) out.append(1, '#').append(std::to_string(code));
    else if (c == '\'') out += "''";
    else out += c;
  }
  if (open) out += '\'';
  return out;
}

std::string FloatText(double real, const std::string& where) {
  Require(std::isfinite(real), where, "float is not finite");
  char buffer[32];
  std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, real).ptr);
  // The shortest form of 2.0 is "2", which would read back as an integer.
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

class TFormWriter {
public:
  std::string Write(const TFormNode& root) {
    WriteNode(root, 0, "");
    return std::move(out_);
  }

private:
  void WriteNode(const TFormNode& node, int indent, const std::string& outer);
  void WriteValue(const TFormValue& value, int indent, const std::string& where);
  void WriteSet(const std::vector<std::string>& set, const std::string& where);
  void WriteBinary(const std::vector<unsigned char>& bytes, int indent);
  void WriteList(const std::vector<TFormValue>& list, int indent, const std::string& where);
  void Indent(int indent) { out_.append(static_cast<size_t>(indent), ' '); }

  std::string out_;
};

void TFormWriter::WriteNode(const TFormNode& node, int indent, const std::string& outer) {
  std::string path = outer.empty() ? node.name : outer + "." + node.name;
  Require(IsName(node.name, false), path, "invalid component name '" + node.name + "'");
  Require(IsName(node.className, false), path, "invalid class name '" + node.className + "'");
  Indent(indent);
  out_ += "object " + node.name + ": " + node.className + "\n";
  for (const TFormProperty& property : node.properties) {
    std::string where = path + "." + property.name;
    Require(IsName(property.name, true), where, "invalid property name");
    Indent(indent + 2);
    out_ += property.name + " = ";
    WriteValue(property.value, indent + 2, where);
    out_ += '\n';
  }
  for (const TFormNode& child : node.children) WriteNode(child, indent + 2, path);
  Indent(indent);
  out_ += "end\n";
}

void TFormWriter::WriteValue(const TFormValue& value, int indent, const std::string& where) {
  switch (value.kind) {
    case TFormValue::Kind::Integer: out_ += std::to_string(value.integer); break;
    case TFormValue::Kind::Float: out_ += FloatText(value.real, where); break;
    case TFormValue::Kind::String: out_ += Quoted(value.text); break;
    case TFormValue::Kind::Identifier:
      Require(IsName(value.text, true), where, "invalid identifier '" + value.text + "'");
      out_ += value.text;
      break;
    case TFormValue::Kind::Set: WriteSet(value.set, where); break;
    case TFormValue::Kind::Binary: WriteBinary(value.bytes, indent); break;
    case TFormValue::Kind::List: WriteList(value.list, indent, where); break;
    case TFormValue::Kind::FileRef:
      Require(IsFileName(value.text), where, "invalid file name");
      out_ += "@" + Quoted(value.text);
      break;
  }
}

void TFormWriter::WriteSet(const std::vector<std::string>& set, const std::string& where) {
  out_ += '[';
  for (size_t i = 0; i < set.size(); ++i) {
    Require(IsName(set[i], true), where, "invalid set element '" + set[i] + "'");
    out_ += (i ? ", " : "") + set[i];
  }
  out_ += ']';
}

void TFormWriter::WriteBinary(const std::vector<unsigned char>& bytes, int indent) {
  static constexpr char digits[] = "0123456789ABCDEF";
  out_ += '{';
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) {
      out_ += '\n';
      Indent(indent + 2);
    }
    out_ += digits[bytes[i] >> 4];
    out_ += digits[bytes[i] & 15];
  }
  out_ += '}';
}

void TFormWriter::WriteList(const std::vector<TFormValue>& list, int indent, const std::string& where) {
  out_ += '(';
  for (const TFormValue& item : list) {
    out_ += '\n';
    Indent(indent + 2);
    WriteValue(item, indent + 2, where);
  }
  out_ += ')';
}

}  // namespace

TFormNode ParseFormText(std::string_view text) { return TFormParser(text).ParseRoot(); }

std::string FormatFormText(const TFormNode& root) { return TFormWriter().Write(root); }
