#pragma once
// The error that a picture type raises on data it cannot read. Portable.
#include <stdexcept>
#include <string>

class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
