#include "pictures/jpeg/JPEGLib.h"

#include <string>

namespace {

constexpr std::size_t BufferSize = 4096;

extern "C" {

// The C++ exception leaves through libjpeg's frames; see the header. The
// explanation is libjpeg's own text for the code, formatted by its standard
// error manager from its message table.
void ErrorExit(j_common_ptr cinfo) {
  jpeg_error_mgr standard{};
  jpeg_std_error(&standard);
  char text[JMSG_LENGTH_MAX] = {};
  standard.format_message(cinfo, text);
  throw EJPEG("JPEG error #" + std::to_string(cinfo->err->msg_code), text);
}

void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}
void FormatNoMessage(j_common_ptr, char* buffer) { buffer[0] = '\0'; }

void ResetErrorManager(j_common_ptr cinfo) {
  cinfo->err->num_warnings = 0;
  cinfo->err->msg_code = 0;
}

struct TMemorySource {
  jpeg_source_mgr pub;
  TStream* stream;
  JOCTET* buffer;
  bool startOfFile;
};

void InitSource(j_decompress_ptr cinfo) { reinterpret_cast<TMemorySource*>(cinfo->src)->startOfFile = true; }

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<TMemorySource*>(cinfo->src);
  std::size_t n = src->stream->Read(src->buffer, BufferSize);
  if (n == 0) {
    if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->buffer[0] = 0xFF;
    src->buffer[1] = JPEG_EOI;
    n = 2;
  }
  src->pub.next_input_byte = src->buffer;
  src->pub.bytes_in_buffer = n;
  src->startOfFile = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  auto* src = reinterpret_cast<TMemorySource*>(cinfo->src);
  if (count <= 0) return;
  while (count > static_cast<long>(src->pub.bytes_in_buffer)) {
    count -= static_cast<long>(src->pub.bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  src->pub.next_input_byte += count;
  src->pub.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

struct TStreamDestination {
  jpeg_destination_mgr pub;
  TStream* stream;
  JOCTET* buffer;
};

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<TStreamDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = BufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<TStreamDestination*>(cinfo->dest);
  dest->stream->WriteBuffer(dest->buffer, BufferSize);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = BufferSize;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<TStreamDestination*>(cinfo->dest);
  dest->stream->WriteBuffer(dest->buffer, BufferSize - dest->pub.free_in_buffer);
}

}  // extern "C"

}  // namespace

jpeg_error_mgr* InstallJPEGErrorManager(jpeg_error_mgr& manager) {
  jpeg_std_error(&manager);
  manager.error_exit = ErrorExit;
  manager.emit_message = EmitMessage;
  manager.output_message = OutputMessage;
  manager.format_message = FormatNoMessage;
  manager.reset_error_mgr = ResetErrorManager;
  return &manager;
}

void AttachJPEGMemorySource(j_decompress_ptr cinfo, TStream& stream) {
  auto* src = static_cast<TMemorySource*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(TMemorySource)));
  src->buffer = static_cast<JOCTET*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, BufferSize));
  src->stream = &stream;
  src->startOfFile = true;
  src->pub.init_source = InitSource;
  src->pub.fill_input_buffer = FillInputBuffer;
  src->pub.skip_input_data = SkipInputData;
  src->pub.resync_to_restart = jpeg_resync_to_restart;
  src->pub.term_source = TermSource;
  src->pub.bytes_in_buffer = 0;
  src->pub.next_input_byte = nullptr;
  cinfo->src = &src->pub;
}

void AttachJPEGStreamDestination(j_compress_ptr cinfo, TStream& stream) {
  auto* dest = static_cast<TStreamDestination*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(TStreamDestination)));
  dest->buffer = static_cast<JOCTET*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, BufferSize));
  dest->stream = &stream;
  dest->pub.init_destination = InitDestination;
  dest->pub.empty_output_buffer = EmptyOutputBuffer;
  dest->pub.term_destination = TermDestination;
  cinfo->dest = &dest->pub;
}
