// The registry script's text, unit by unit, as the registry editor decodes it: the file is read in parts
// of a fixed size, however long it is, and its first bytes choose the encoding once: UTF-16LE after its
// byte-order mark, otherwise single bytes (the ANSI code page), after UTF-8's byte-order mark if there is
// one. The scanning of lines is left to the reader of the script.
#ifndef LAUNCHER_LAUNCHER_SCRIPT_DECODING_H
#define LAUNCHER_LAUNCHER_SCRIPT_DECODING_H

#include <array>
#include <cstddef>

namespace launcher {

enum class ScriptEncoding : unsigned char {
  kSingleByte,        // no byte-order mark
  kSingleByteMarked,  // after UTF-8's byte-order mark, which Windows' editor takes and Wine's refuses
  kUtf16,             // UTF-16LE, after its byte-order mark
};

enum class ScriptOpening : unsigned char { kOpen, kMissing, kUnreadable };

struct ScriptDecoder {
  const char *path = nullptr;
  ScriptEncoding encoding = ScriptEncoding::kSingleByte;
  std::array<unsigned char, 4096> part{};
  std::size_t size = 0;  // bytes in the part
  std::size_t at = 0;    // the next byte of it
  unsigned long long offset = 0;  // where the next part begins in the file
  bool ended = false;             // the file's end was read, or a part that could not be
  bool unreadable = false;        // a later part could not be read: the text ends there
};

// Reads the first part and chooses the encoding from its start.
ScriptOpening OpenScript(const char *path, ScriptDecoder &decoder);

// The next unit of the text (a byte, or a UTF-16 unit); false at its end, or where a part cannot be read
// (then `unreadable` is set). An odd byte at the end of a UTF-16 file is no unit.
bool NextUnit(ScriptDecoder &decoder, unsigned &unit);

}  // namespace launcher

#endif
