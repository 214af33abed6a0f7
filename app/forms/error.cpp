#include "error.h"

namespace forms {

namespace {
const char* title(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Overflow: return "Overflow";
    case ErrorKind::OutOfRange: return "Index out of range";
    case ErrorKind::NotANumber: return "Text is not a number";
    case ErrorKind::MissingPicture: return "Missing picture";
    case ErrorKind::Internal: return "Internal error";
  }
  return "Error";
}
}  // namespace

RuntimeError::RuntimeError(ErrorKind kind, const std::string& detail)
    : std::runtime_error(std::string(title(kind)) + (detail.empty() ? "" : ": " + detail)),
      kind_(kind) {}

void raise(ErrorKind kind, const std::string& detail) { throw RuntimeError(kind, detail); }

}  // namespace forms
