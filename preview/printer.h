// How the preview prints: lines of texts and numbers on standard output. Every text it prints, the ones
// read from files, folder names and settings among them, shows its control bytes (below 0x20, and 0x7F)
// as \xNN, so that an escape sequence or a carriage return in a value cannot forge or rewrite the
// console's lines; every other byte is printed as it is, in the ANSI code page.
#ifndef LAUNCHER_PREVIEW_PRINTER_H
#define LAUNCHER_PREVIEW_PRINTER_H

#include <charconv>
#include <string_view>

#include "platform/text.h"
#include "preview/preview.h"

namespace launcher::preview {

void Put(std::string_view text);

template <DecimalNumber Number>
void Put(Number number) {
  char digits[PartLength<Number>::kValue];
  Put(std::string_view(digits, std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
}

template <typename... Parts>
void Print(const Parts &...parts) {
  (Put(parts), ...);
}

// The line's end is the one byte printed unescaped.
template <typename... Parts>
void Line(const Parts &...parts) {
  Print(parts...);
  Write("\n");
}

// The bytes in hexadecimal, each after a space: " 31 30 00".
void PutHex(const unsigned char *data, unsigned long length);

}  // namespace launcher::preview

#endif
