#pragma once

#include <stdexcept>
#include <string>

namespace forms {

// The kinds of run-time error a handler can raise. None is caught by a
// handler: each one abandons the running handler and ends the program
// through the platform's one error report.
enum class ErrorKind {
  Overflow,       // a 16-bit value left -32768 ... 32767
  OutOfRange,     // an array or control-array index outside its bounds
  NotANumber,     // text that does not read as a number
  MissingPicture, // a layout names a picture the catalogue lacks
  Internal,       // anything else that escaped a handler
};

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorKind kind, const std::string& detail);
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

[[noreturn]] void raise(ErrorKind kind, const std::string& detail);

}  // namespace forms
