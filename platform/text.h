// Texts in fixed fields: single-byte strings ending in a zero, in a zero-filled array whose capacity (the
// zero counted) is part of the type. Composing parts into a field that could not hold all of them at
// their longest does not compile, so a composed path, parameter text or report is never cut and never
// overflows, whatever the settings hold.
#ifndef LAUNCHER_PLATFORM_TEXT_H
#define LAUNCHER_PLATFORM_TEXT_H

#include <array>
#include <charconv>
#include <concepts>
#include <cstddef>
#include <limits>
#include <string_view>
#include <type_traits>

namespace launcher {

template <std::size_t N>
struct Text {
  static_assert(N > 0, "a text holds at least its terminating zero");
  std::array<char, N> bytes{};
};

template <std::size_t N>
const char *CString(const Text<N> &text) {
  return text.bytes.data();
}

template <std::size_t N>
std::size_t Length(const Text<N> &text) {
  std::size_t length = 0;
  while (length < N - 1 && text.bytes[length] != '\0') ++length;
  return length;
}

template <std::size_t N>
std::string_view View(const Text<N> &text) {
  return {text.bytes.data(), Length(text)};
}

template <std::size_t N>
bool IsEmpty(const Text<N> &text) {
  return text.bytes[0] == '\0';
}

// ASCII letters in upper case, every other byte as it is: names the launcher looks for (sections and keys,
// registry roots, device names, file extensions) are ASCII, and Windows matches them without regard to case.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool EqualCaseAside(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// The most characters each kind of part adds to a composed text. Only these kinds compose.
template <typename Part>
struct PartLength;
template <std::size_t N>
struct PartLength<Text<N>> {
  static constexpr std::size_t kValue = N - 1;
};
template <std::size_t N>
struct PartLength<char[N]> {  // a string literal or a constant char array
  static constexpr std::size_t kValue = N - 1;
};
// Integers that compose as decimal numbers; a char or a bool is no number here.
template <typename T>
concept DecimalNumber = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char>;
template <DecimalNumber Number>
struct PartLength<Number> {  // the digits, and a minus sign where the type has one
  static constexpr std::size_t kValue =
      std::numeric_limits<Number>::digits10 + 1 + (std::numeric_limits<Number>::is_signed ? 1 : 0);
};

// The capacity that holds the parts at their longest, and the zero.
template <typename... Parts>
inline constexpr std::size_t kComposedCapacity = (PartLength<std::remove_cvref_t<Parts>>::kValue + ... + 1);

template <typename... Parts>
using ComposedText = Text<kComposedCapacity<Parts...>>;

namespace text_detail {

// Copies the part up to its zero, never more than `most` characters.
inline char *AppendChars(char *at, const char *part, std::size_t most) {
  for (std::size_t i = 0; i < most && part[i] != '\0'; ++i) *at++ = part[i];
  return at;
}

template <std::size_t N>
char *Append(char *at, const char (&part)[N]) {
  return AppendChars(at, part, N - 1);
}

template <std::size_t N>
char *Append(char *at, const Text<N> &part) {
  return AppendChars(at, part.bytes.data(), N - 1);
}

template <DecimalNumber Number>
char *Append(char *at, Number number) {
  return std::to_chars(at, at + PartLength<Number>::kValue, number).ptr;
}

}  // namespace text_detail

// Fills the field with the parts, one after the other, and zeros after them. Only a field that holds
// every part at its longest is accepted.
template <std::size_t N, typename... Parts>
  requires(kComposedCapacity<Parts...> <= N)
void Compose(Text<N> &field, const Parts &...parts) {
  field = Text<N>{};
  char *at = field.bytes.data();
  ((at = text_detail::Append(at, parts)), ...);
}

// The parts in a text of just the capacity they need.
template <typename... Parts>
ComposedText<Parts...> Composed(const Parts &...parts) {
  ComposedText<Parts...> text;
  Compose(text, parts...);
  return text;
}

}  // namespace launcher

#endif
