#pragma once
// The error that a picture type raises on data it cannot read. Portable.
#include <stdexcept>
#include <string>

class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An operation a picture type does not support (resizing a JPEG picture).
class EInvalidGraphicOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The silent abort: raised to stop a long operation (a progress handler may
// raise it to cancel a decode); whoever runs the operation swallows it.
class EAbort : public std::runtime_error {
 public:
  EAbort() : std::runtime_error("Operation aborted") {}
};
