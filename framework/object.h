// Root classes of the framework: TObject, TPersistent and the exception family.
// Every framework error is an Exception carrying the message the user sees.
#pragma once
#include <stdexcept>
#include <string>

class TObject {
public:
  virtual ~TObject() = default;
};

class TPersistent : public TObject {
public:
  // Copies another record's values into this one; records given to a property are copied, never shared.
  virtual void Assign(const TPersistent& source);
};

class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

class ERegistryException : public Exception { using Exception::Exception; };
class EOutOfResources : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EConvertError : public Exception { using Exception::Exception; };
class ERangeError : public Exception { using Exception::Exception; };

// A form description that cannot be read; the message names component, property and line.
class EFormReadError : public Exception {
public:
  EFormReadError(int line, const std::string& message)
      : Exception("Line " + std::to_string(line) + ": " + message), line_(line) {}
  int Line() const { return line_; }
private:
  int line_;
};
