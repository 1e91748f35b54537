#include "platform/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace launcher {
namespace {

template <typename Field, typename... Parts>
concept Composable = requires(Field &field, const Parts &...parts) { Compose(field, parts...); };

// A field too small for its parts at their longest, which could cut or overflow a path, does not compile.
static_assert(Composable<Text<12>, char[5], Text<8>>);
static_assert(!Composable<Text<11>, char[5], Text<8>>);
static_assert(!Composable<Text<11>, int>);         // "-2147483648" and its zero take 12
static_assert(!Composable<Text<5>, std::uint16_t>);  // "65535" and its zero take 6

TEST(Text, ComposesPartsUpToTheirZeroAndNumbersInDecimal) {
  Text<8> name;
  Compose(name, "ab\0cd");
  Text<40> text;
  text.bytes.fill('x');
  Compose(text, "<", name, ">", INT_MIN, "|", std::uint16_t{65535}, "|", 0);
  EXPECT_EQ(View(text), "<ab>-2147483648|65535|0");
  for (std::size_t i = Length(text); i < sizeof text.bytes; ++i) ASSERT_EQ(text.bytes[i], '\0') << "byte " << i;
}

}  // namespace
}  // namespace launcher
