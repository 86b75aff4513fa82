// The exceptions of the image engine. Every error it raises is a VX8Exception carrying the
// exact message, which names the operation before a colon.
#pragma once

#include <stdexcept>
#include <string>

class VexoException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class VX8Exception : public VexoException {
 public:
  using VexoException::VexoException;
};
