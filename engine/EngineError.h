// The engine's one exception class: every failed engine call raises it with a
// message a user can read.
#pragma once
#include <stdexcept>
#include <string>

class EAudioError : public std::runtime_error {
 public:
  explicit EAudioError(const std::string& message) : std::runtime_error(message) {}
};
