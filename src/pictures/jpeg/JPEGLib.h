#pragma once
// The glue between libjpeg and the picture: an error manager that turns
// libjpeg's fatal errors into EJPEG and drops its warnings, a source that
// reads from memory and a destination that writes to a stream. Internal to
// the JPEG picture.
// clang-format off
// libjpeg's headers need size_t and FILE declared before them.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "gui/Stream.h"
#include "pictures/jpeg/JPEGError.h"

// Points the object's error handling at the picture's error manager.
// libjpeg's error exit never returns: it raises EJPEG("JPEG error #<code>").
// The exception passes through libjpeg's own frames, which are built with
// unwind tables for this reason.
jpeg_error_mgr* InstallJPEGErrorManager(jpeg_error_mgr& manager);

// Reads the compressed data from stream in 4096-byte portions. Running dry
// at the very start is libjpeg's empty-input error; later it supplies an
// end-of-image marker so a cut-off file decodes as far as it goes.
void AttachJPEGMemorySource(j_decompress_ptr cinfo, TStream& stream);

// Writes the compressed data to stream.
void AttachJPEGStreamDestination(j_compress_ptr cinfo, TStream& stream);
