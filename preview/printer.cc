#include "preview/printer.h"

namespace launcher::preview {
namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

}  // namespace

void Put(std::string_view text) {
  const char *plain = text.data();
  for (const char &c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) continue;
    Write(std::string_view(plain, static_cast<std::size_t>(&c - plain)));
    const char escaped[] = {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
    Write(std::string_view(escaped, sizeof escaped));
    plain = &c + 1;
  }
  Write(std::string_view(plain, static_cast<std::size_t>(text.data() + text.size() - plain)));
}

void PutHex(const unsigned char *data, unsigned long length) {
  for (unsigned long i = 0; i < length; ++i) {
    const char hex[] = {' ', kHexDigits[data[i] >> 4], kHexDigits[data[i] & 15]};
    Write(std::string_view(hex, sizeof hex));
  }
}

}  // namespace launcher::preview
