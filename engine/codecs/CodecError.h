// The one exception the format layer raises: its message names the file and
// says what is wrong in words a user can read. The layer stands on the
// third-party libraries alone, so it derives from the standard library.
#pragma once
#include <stdexcept>
#include <string>

class ECodecError : public std::runtime_error {
 public:
  explicit ECodecError(const std::string& message) : std::runtime_error(message) {}
};
