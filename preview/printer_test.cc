#include "preview/printer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/preview_fake.h"

namespace launcher::preview {
namespace {

// Values, names and folders may hold any byte: a control byte is shown escaped, never sent to the console,
// so that no value can forge or rewrite a line; the code page's own characters print as they are.
TEST(PrinterTest, PrintsControlBytesEscapedAndEveryOtherByteAsItIs) {
  Answers() = PreviewAnswers();
  Line("Para = \"-window\rresult: imported\x7f\x1b[2K\" ", std::string_view("D\xb5mo\0!", 6), " ", -42, " ", 7u);
  EXPECT_EQ(Answers().output, "Para = \"-window\\x0dresult: imported\\x7f\\x1b[2K\" D\xb5mo\\x00! -42 7\n");

  Answers() = PreviewAnswers();
  const unsigned char bytes[] = {0x31, 0x00, 0xff};
  PutHex(bytes, sizeof bytes);
  EXPECT_EQ(Answers().output, " 31 00 ff");
}

}  // namespace
}  // namespace launcher::preview
