// The message of what a piece of code throws, for tests that pin exact error texts.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace vx8test {

// The message of the `Error` that `code` throws; empty when it throws none. Anything else it
// throws goes on to the test.
template <class Error = std::exception>
std::string ThrownMessage(const std::function<void()>& code) {
  try {
    code();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

}  // namespace vx8test
