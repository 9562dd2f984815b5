// Command-line splitting by the Windows rules, and the quoting that undoes
// it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/kernel.h"

namespace {

std::vector<std::wstring> Argv(const std::wstring &line) {
  int n = -1;
  LPWSTR *argv = CommandLineToArgvW(line.c_str(), &n);
  std::vector<std::wstring> out;
  if (!argv) return out;
  for (int i = 0; i < n; ++i) out.push_back(argv[i]);
  EXPECT_EQ(argv[n], nullptr);
  EXPECT_EQ(LocalFree(argv), nullptr);
  return out;
}

struct SplitCase {
  const wchar_t *line;
  std::vector<std::wstring> args;
};

TEST(ProcessCommandLine, SplitsByTheWindowsRules) {
  const SplitCase cases[] = {
      {L"prog a b", {L"prog", L"a", L"b"}},
      {L"prog  \t a\t\tb  ", {L"prog", L"a", L"b"}},
      {L"\"C:\\Program Files\\x.exe\" a", {L"C:\\Program Files\\x.exe", L"a"}},
      // The program name takes backslashes and quotes literally.
      {L"C:\\a\\\"b c", {L"C:\\a\\\"b", L"c"}},
      {L"\"C:\\dir\\\"x y", {L"C:\\dir\\", L"x", L"y"}},
      {L"prog \"a b\" c", {L"prog", L"a b", L"c"}},
      {L"prog a\"b c\"d e", {L"prog", L"ab cd", L"e"}},
      // Backslashes before a quote: 2n give n and a delimiter, 2n+1 give n
      // and a literal quote; elsewhere they are plain.
      {L"prog a\\\"b", {L"prog", L"a\"b"}},
      {L"prog a\\\\\"b c\"", {L"prog", L"a\\b c"}},
      {L"prog a\\\\\\\"b", {L"prog", L"a\\\"b"}},
      {L"prog a\\\\b c\\", {L"prog", L"a\\\\b", L"c\\"}},
      {L"prog \"C:\\Data\\\\\"", {L"prog", L"C:\\Data\\"}},
      // A quoted folder ending in one backslash swallows the closing quote.
      {L"x.exe -p\"C:\\Prog\\\" -d\"C:\\Data\\\"", {L"x.exe", L"-pC:\\Prog\" -dC:\\Data\""}},
      {L"x.exe -p\"C:\\Prog\"", {L"x.exe", L"-pC:\\Prog"}},
      // Empty arguments.
      {L"prog \"\" b", {L"prog", L"", L"b"}},
      {L"prog a \"\"", {L"prog", L"a", L""}},
      {L"prog \"", {L"prog", L""}},
      // A doubled quote inside quotes is a literal quote that ends the
      // quoted part.
      {L"prog \"a\"\"b\"", {L"prog", L"a\"b"}},
      {L"prog \"a\"\" b\"", {L"prog", L"a\"", L"b"}},
  };
  for (const auto &c : cases) EXPECT_EQ(Argv(c.line), c.args) << std::wstring(c.line).size();
}

TEST(ProcessCommandLine, EmptyLineGivesTheProgramName) {
  auto args = Argv(L"");
  ASSERT_EQ(args.size(), 1u);
  EXPECT_FALSE(args[0].empty());
  EXPECT_EQ(args[0], Argv(GetCommandLineW())[0]);
}

TEST(ProcessCommandLine, QuotingRoundTrips) {
  const std::vector<std::string> args = {
      "plain", "", "two words", "C:\\Prog\\", "C:\\Pro g\\", "a\"b", "a\\\"b", "\\\\", "tab\there",
      "\"", "æøå ÆØÅ", "x\\\\\"y"};
  std::string line = "prog";
  for (auto &a : args) line += " " + tavo::QuoteArgument(a);
  auto back = tavo::SplitCommandLine(line);
  ASSERT_EQ(back.size(), args.size() + 1);
  for (size_t i = 0; i < args.size(); ++i) EXPECT_EQ(back[i + 1], args[i]);
}

TEST(ProcessCommandLine, OwnCommandLineSkipsUnconvertibleArguments) {
  char a0[] = "/opt/tavo/Tavo.exe", a1[] = "-pC:\\Prog dir\\", a2[] = "\xE2\x82\xAC\xC3\xA6",
       a3[] = "\xE4\xB8\xAD", a4[] = "\xff", a5[] = "z";
  char *argv[] = {a0, a1, a2, a3, a4, a5};
  tavo::SetCommandLine(6, argv);
  // UTF-8 "€æ" becomes Windows-1252 0x80 0xE6; a Chinese letter and a
  // broken byte have no Windows-1252 form and are left out.
  EXPECT_STREQ(GetCommandLineA(), "\\opt\\tavo\\Tavo.exe \"-pC:\\Prog dir\\\\\" \x80\xE6 z");
  auto args = Argv(GetCommandLineW());
  ASSERT_EQ(args.size(), 4u);
  EXPECT_EQ(args[1], L"-pC:\\Prog dir\\");
  EXPECT_EQ(args[2], L"\u20AC\u00E6");

  char out[8];
  BOOL usedDefault = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"\u20AC\u00E6\u4E2D", -1, out, sizeof out, NULL,
                                &usedDefault),
            4);
  EXPECT_STREQ(out, "\x80\xE6?");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"abcd", -1, out, 3, NULL, NULL), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  WCHAR w[8];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80\xE6", -1, w, 8), 3);
  EXPECT_EQ(std::wstring(w), L"\u20AC\u00E6");
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, NULL, 0), 4);
}

}  // namespace
