#include "core/line_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/line_template.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

/// The lines of the input as the source hands them out, read `piece` bytes at a time;
/// a too-long line is written as "LONG:" and its length.
std::vector<std::string> Lines(const std::string& input, std::size_t piece = 1 << 16,
                               std::string* failure = nullptr) {
  platform::FakePlatform os;
  os.Stdin = input;
  os.ReadPiece = piece;
  std::string problem;
  auto stream = os.OpenInput("", problem);
  TLineSource source(*stream);
  std::vector<std::string> lines;
  TInputLine line;
  while (source.Next(line)) {
    EXPECT_EQ(line.Number, lines.size() + 1);
    lines.push_back(line.TooLong ? "LONG:" + std::to_string(line.Text.size())
                                 : std::string(line.Text));
  }
  if (failure != nullptr) *failure = source.Failure().value_or("");
  return lines;
}

using V = std::vector<std::string>;

TEST(LineSource, LineEnds) {
  for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 16}) {
    EXPECT_EQ(Lines("", piece), V{}) << piece;
    EXPECT_EQ(Lines("\n", piece), V{""}) << piece;
    EXPECT_EQ(Lines("a\nb\n", piece), (V{"a", "b"})) << piece;
    EXPECT_EQ(Lines("a\nb", piece), (V{"a", "b"})) << piece;           // no last line end
    EXPECT_EQ(Lines("a\r\nb\r\n", piece), (V{"a", "b"})) << piece;     // CR LF
    EXPECT_EQ(Lines("a\r\rb\r", piece), (V{"a\r\rb"})) << piece;        // only the CR before LF goes
    EXPECT_EQ(Lines("\n\nx\n", piece), (V{"", "", "x"})) << piece;
  }
}

TEST(LineSource, ByteOrderMarkAtTheStartOnly) {
  for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{1} << 16}) {
    EXPECT_EQ(Lines("\xEF\xBB\xBF" "a\n\xEF\xBB\xBF" "b\n", piece), (V{"a", "\xEF\xBB\xBF" "b"}));
    EXPECT_EQ(Lines("\xEF\xBB\xBF", piece), V{}) << piece;  // the mark alone: no line
    EXPECT_EQ(Lines("\xEF\xBB", piece), V{"\xEF\xBB"}) << piece;
  }
}

TEST(LineSource, LongLinesAreMarkedAndSkippedNotLoaded) {
  const std::size_t most = TLineSource::kMaxLineBytes;
  const std::string exact(most, 'x');
  const std::string over(most + 1, 'x');
  const std::string huge(3 * TLineSource::kReadBytes, 'y');
  EXPECT_EQ(Lines(exact + "\n" + over + "\nz\n"), (V{exact, "LONG:65536", "z"}));
  EXPECT_EQ(Lines(exact + "\r\n", 1000), V{exact});
  EXPECT_EQ(Lines(exact + "\r\n", most + 1), V{exact});  // the CR read before the LF comes
  EXPECT_EQ(Lines("a\n" + huge + "\nb", 70000), (V{"a", "LONG:65536", "b"}));
  EXPECT_EQ(Lines("a\n" + huge), (V{"a", "LONG:65536"}));
}

TEST(LineSource, ReadFailureEndsTheLines) {
  struct TFailing : platform::TInputStream {
    int Calls = 0;
    platform::TReadOutcome Read(char* buffer, std::size_t) override {
      if (Calls++ > 0) return {0, "Input/output error"};
      std::string("a\nb").copy(buffer, 3);
      return {3, std::nullopt};
    }
  } input;
  TLineSource source(input);
  TInputLine line;
  ASSERT_TRUE(source.Next(line));
  EXPECT_EQ(line.Text, "a");
  EXPECT_FALSE(source.Next(line));  // the unfinished "b" is not handed out as a line
  EXPECT_EQ(source.Failure(), "Input/output error");
}

/// The template filled from the line; "missing" when it names a field the line lacks.
std::string Filled(std::string_view text, std::string_view line) {
  const TLineTemplate t = TLineTemplate::Compile(text);
  TLineFields fields;
  fields.Set(line, t.LargestField());
  std::string out = "stale";
  return t.Fill(fields, out) ? out : "missing";
}

TEST(LineTemplate, Places) {
  EXPECT_EQ(Filled("{}", "a\tb"), "a\tb");
  EXPECT_EQ(Filled("{2} {1}!", "a\tb"), "b a!");
  EXPECT_EQ(Filled("{1}{1}", "a"), "aa");
  EXPECT_EQ(Filled("<{2}>", "a\t\tc"), "<>");       // an empty field
  EXPECT_EQ(Filled("{3}", "a\tb\t"), "");           // the field after a last tab
  EXPECT_EQ(Filled("{3}", "a\tb"), "missing");
  EXPECT_EQ(Filled("{1}", ""), "");
  EXPECT_EQ(Filled("{2}", ""), "missing");
}

TEST(LineTemplate, BracesThatOpenNoPlaceAreText) {
  for (const char* text : {"{0}", "{x}", "{", "}{", "{1", "{-1}", "{99999999999}", "{ }"}) {
    EXPECT_FALSE(TLineTemplate::Compile(text).HasPlaces()) << text;
    EXPECT_EQ(Filled(text, "a"), text);
  }
  EXPECT_EQ(Filled("{{}}", "a"), "{a}");
  EXPECT_EQ(TLineTemplate::Compile("{7}-{}").LargestField(), 7u);
}

TEST(LineTemplate, CopiesFillAlike) {
  std::vector<TLineTemplate> copies;
  copies.push_back(TLineTemplate::Compile("short {1}"));
  for (int i = 0; i < 8; ++i) copies.push_back(copies.back());  // moved as the vector grows
  TLineFields fields;
  fields.Set("v", 1);
  std::string out;
  ASSERT_TRUE(copies.back().Fill(fields, out));
  EXPECT_EQ(out, "short v");
}

}  // namespace
}  // namespace zentrel
