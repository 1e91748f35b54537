#include "launcher/script_decoding.h"

#include "platform/platform.h"

namespace launcher {
namespace {

// Reads the next part; false at the file's end or when it cannot be read.
bool ReadPart(ScriptDecoder &decoder) {
  const long read = PlatformReadFilePart(decoder.path, decoder.offset, decoder.part.data(), decoder.part.size());
  decoder.at = 0;
  decoder.size = read > 0 ? static_cast<std::size_t>(read) : 0;
  decoder.unreadable = read < 0;
  decoder.ended = read <= 0;
  decoder.offset += decoder.size;
  return !decoder.ended;
}

// The next byte, reading on into the next part where one ends.
bool NextByte(ScriptDecoder &decoder, unsigned char &byte) {
  if (decoder.at == decoder.size && (decoder.ended || !ReadPart(decoder))) return false;
  byte = decoder.part[decoder.at++];
  return true;
}

bool StartsWith(const ScriptDecoder &decoder, const unsigned char *mark, std::size_t length) {
  if (decoder.size < length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (decoder.part[i] != mark[i]) return false;
  }
  return true;
}

}  // namespace

ScriptOpening OpenScript(const char *path, ScriptDecoder &decoder) {
  decoder = ScriptDecoder{};
  decoder.path = path;
  const long read = PlatformReadFilePart(path, 0, decoder.part.data(), decoder.part.size());
  if (read == kFileMissing) return ScriptOpening::kMissing;
  if (read < 0) return ScriptOpening::kUnreadable;
  decoder.size = static_cast<std::size_t>(read);
  decoder.offset = decoder.size;
  decoder.ended = read == 0;
  constexpr unsigned char kUtf16Mark[] = {0xFF, 0xFE};
  constexpr unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
  if (StartsWith(decoder, kUtf16Mark, sizeof kUtf16Mark)) {
    decoder.encoding = ScriptEncoding::kUtf16;
    decoder.at = sizeof kUtf16Mark;
  } else if (StartsWith(decoder, kUtf8Mark, sizeof kUtf8Mark)) {
    decoder.encoding = ScriptEncoding::kSingleByteMarked;
    decoder.at = sizeof kUtf8Mark;
  }
  return ScriptOpening::kOpen;
}

bool NextUnit(ScriptDecoder &decoder, unsigned &unit) {
  unsigned char low = 0;
  if (!NextByte(decoder, low)) return false;
  if (decoder.encoding != ScriptEncoding::kUtf16) {
    unit = low;
    return true;
  }
  unsigned char high = 0;
  if (!NextByte(decoder, high)) return false;
  unit = low | static_cast<unsigned>(high) << 8;
  return true;
}

}  // namespace launcher
