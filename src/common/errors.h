#pragma once

#include <exception>
#include <string>
#include <utility>

// The errors this code raises: std::exception with a message of its own.
// libstdc++'s std::runtime_error and its family carry a second,
// reference-counted string implementation, which was a sixth of the unpacker.

class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A call's argument that the callee cannot take.
class ArgumentError : public Error {
 public:
  using Error::Error;
};

// An index outside a list.
class IndexError : public Error {
 public:
  using Error::Error;
};
