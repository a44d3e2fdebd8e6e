// The conversion into the interpreter's code page with the real Windows calls (under Wine in
// the cross build). The expectations are for ANSI 1252 and OEM 437, Wine's code pages for an
// English or C locale; elsewhere the tests are skipped. The short form of a real folder is
// tested under Wine's interpreter (tests/wine/wizard_folder_code_page.sh).

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/folder_naming.h"
#include "wizard/batch_code_page.h"
#include "wizard/interpreter_text.h"

namespace kelvarro {
namespace {

class BatchCodePage : public ::testing::Test {
 protected:
  void SetUp() override {
    const UINT console = GetConsoleOutputCP();
    if (GetACP() != 1252 || (console != 0 ? console : GetOEMCP()) != 437) {
      GTEST_SKIP() << "needs ANSI 1252 and an interpreter in OEM 437";
    }
  }
};

// The paths are in ANSI, as config.cfg holds them.
TEST_F(BatchCodePage, LettersGoToTheirOemBytesAfterTheEscaping) {
  EXPECT_EQ(InterpreterPath("Z:\\R&D\\J\xF6rg%\\", testing::NoShortForm()), "Z:\\R^&D\\J\x94rg%%\\");
  EXPECT_EQ(InterpreterPath("\xC4\xD6\xDC\xE4\xFC\xDF\xE9", testing::NoShortForm()), "\x8E\x99\x9A\x84\x81\xE1\x82");
  EXPECT_EQ(InterpreterValue("-r\xF6"), "-r\x94");
}

// The OEM code page lacks the euro sign, and has an S but no S with caron: a look-alike would
// name another folder.
TEST_F(BatchCodePage, LettersWithoutAnEquivalentFail) {
  // In UTF-8, as the escaping leaves them.
  for (std::string text : {std::string("Mus\xE2\x82\xAC"),
                           std::string("\xC5\xA0"
                                       "arka"),
                           std::string("J\xC3\xB6rg \xE2\x82\xAC")}) {
    EXPECT_FALSE(ToBatchCodePage(text)) << text;
  }
}

// What the interpreter got before: no worse than that when nothing better can be had.
TEST_F(BatchCodePage, WithoutAnEquivalentOrAShortFormTheTextStaysAsItStands) {
  EXPECT_EQ(InterpreterPath("Z:\\nowhere\\kelvarro\\M\x80s&1\\", testing::NoShortForm()),
            "Z:\\nowhere\\kelvarro\\M\x80s^&1\\");
  EXPECT_EQ(InterpreterValue("-r\x80"), "-r\x80");
}

}  // namespace
}  // namespace kelvarro
