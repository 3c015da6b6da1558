// Guards the commands' last line of defence: an exception (memory exhausted, the JSON library
// refusing text that is not UTF-8) ended the program in std::terminate with no message; it must
// give the usual one line and a non-zero status, and the dump must not fail on such text at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

#include "commands.h"
#include "json_fields.h"

namespace plenwick {
namespace {

using nlohmann::ordered_json;

TEST(CommandGuard, AnyExceptionBecomesOneLineAndAFailure) {
  const std::string notUtf8 = "\xff\xfe";
  struct Case {
    const char* what;
    std::function<int()> command;
    const char* expectedStart;
  } cases[] = {
      {"no memory", [] () -> int { throw std::bad_alloc(); }, "plenwick-cli: there is not enough memory"},
      {"text the JSON library refuses",
       [&] {
         ordered_json j = notUtf8;
         return static_cast<int>(j.dump().size());
       },
       "plenwick-cli: unexpected failure: [json.exception.type_error.316]"},
      {"a message of two lines", [] () -> int { throw std::runtime_error("first\nsecond"); },
       "plenwick-cli: unexpected failure: first second"},
      {"something not an exception", [] () -> int { throw 42; }, "plenwick-cli: unexpected failure"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ::testing::internal::CaptureStderr();
    const int status = cli::RunGuarded(c.command);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err.rfind(c.expectedStart, 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  }
  EXPECT_EQ(cli::RunGuarded([] { return 0; }), 0);
}

TEST(CommandGuard, DumpWritesTextThatIsNotUtf8Replaced) {
  // Without a CP932 converter, Shift-JIS bytes pass through unconverted; writing them threw.
  ordered_json j;
  j["name"] = std::string("a\x83\x65\xff");
  std::string text;
  ASSERT_NO_THROW(text = cli::JsonText(j));
  EXPECT_NE(text.find("a\xef\xbf\xbd"), std::string::npos) << text;
}

TEST(CommandGuard, Utf8IsRecognisedStrictly) {
  // Text taken for UTF-8 that is not would reach the JSON writer without its hex twin.
  struct Case {
    const char* bytes;
    bool valid;
  } cases[] = {
      {"plain", true},
      {"\xe5\x9b\xb3\xe9\x9d\xa2", true},      // 図面
      {"\xf0\x9f\x93\x90", true},              // a character beyond the first plane
      {"\x83\x65", false},                     // Shift-JIS テ
      {"\xc0\xaf", false},                     // overlong "/"
      {"\xed\xa0\x80", false},                 // a surrogate
      {"\xf4\x90\x80\x80", false},             // past U+10FFFF
      {"\xe5\x9b", false},                     // cut short
      {"\xe5\x41\xb3", false},                 // a continuation byte missing
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cli::IsValidUtf8(c.bytes), c.valid) << c.bytes;
  }
}

}  // namespace
}  // namespace plenwick
