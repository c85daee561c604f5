#pragma once
// The error of the JPEG picture: every fatal libjpeg error becomes one,
// with libjpeg's message code in the text ("JPEG error #42").
#include "gui/GraphicError.h"

class EJPEG : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};
