// The command line: recorded from main(), rebuilt with Windows quoting, and
// split by the Windows rules.

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

#include "tavo/cp1252.h"
#include "win/kernel.h"

namespace tavo {
namespace {

template <class C>
uint32_t Code(C c) {
  if constexpr (sizeof(C) == 1)
    return (unsigned char)c;
  else
    return (uint32_t)c;
}

template <class C>
bool IsBlank(C c) {
  return c == C(' ') || c == C('\t');
}

// The rules of CommandLineToArgvW. The program name runs to the next quote
// when it starts with one (backslashes are plain there), else to the first
// character at or below blank. After it: blanks separate arguments; 2n
// backslashes before a quote give n backslashes and the quote opens or
// closes a quoted part; 2n+1 give n backslashes and a literal quote;
// backslashes before anything else are plain; a doubled quote inside a
// quoted part gives a literal quote and ends the quoted part.
template <class C>
std::vector<std::basic_string<C>> Split(const C *p) {
  std::vector<std::basic_string<C>> out;
  std::basic_string<C> name;
  if (*p == C('"')) {
    ++p;
    while (*p && *p != C('"')) name += *p++;
    if (*p) ++p;
  } else {
    while (*p && Code(*p) > 0x20) name += *p++;
  }
  out.push_back(name);
  for (;;) {
    while (IsBlank(*p)) ++p;
    if (!*p) break;
    std::basic_string<C> arg;
    bool quoted = false;
    while (*p && (quoted || !IsBlank(*p))) {
      if (*p == C('\\')) {
        size_t n = 0;
        while (*p == C('\\')) ++n, ++p;
        if (*p == C('"')) {
          arg.append(n / 2, C('\\'));
          if (n % 2) {
            arg += C('"');
            ++p;
          }
        } else {
          arg.append(n, C('\\'));
        }
      } else if (*p == C('"')) {
        ++p;
        if (quoted && *p == C('"')) {
          arg += C('"');
          ++p;
          quoted = false;
        } else {
          quoted = !quoted;
        }
      } else {
        arg += *p++;
      }
    }
    out.push_back(arg);
  }
  return out;
}

std::string QuoteProgramName(const std::string &name) {
  bool blank = name.empty();
  std::string plain;
  for (char c : name) {
    if ((unsigned char)c <= 0x20) blank = true;
    if (c != '"') plain += c;  // a name cannot hold a quote; drop it
  }
  return blank ? "\"" + plain + "\"" : name;
}

struct CommandLine {
  std::mutex lock;
  bool set = false;
  std::vector<std::string> args;  // Windows-1252
  std::string line;
  std::wstring wline;
};

CommandLine &State() {
  static CommandLine *c = new CommandLine;
  return *c;
}

void Record(CommandLine &c, const std::vector<std::string> &utf8) {
  c.args.clear();
  for (size_t i = 0; i < utf8.size(); ++i) {
    std::string a;
    if (!ToCp1252(utf8[i], a)) {
      if (i > 0) continue;  // an argument Windows-1252 cannot spell is left out
      a.clear();
    }
    if (i == 0)
      for (char &ch : a)
        if (ch == '/') ch = '\\';
    c.args.push_back(a);
  }
  if (c.args.empty()) c.args.push_back("");
  c.line = QuoteProgramName(c.args[0]);
  for (size_t i = 1; i < c.args.size(); ++i) c.line += " " + QuoteArgument(c.args[i]);
  c.wline.clear();
  for (char ch : c.line) c.wline += (wchar_t)Cp1252ToUnicode((unsigned char)ch);
  c.set = true;
}

// Without SetCommandLine (tests, helpers) the arguments come from the
// kernel's copy of argv.
CommandLine &Current() {
  CommandLine &c = State();
  if (!c.set) {
    std::ifstream f("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    size_t start = 0;
    while (start < all.size()) {
      size_t end = all.find('\0', start);
      if (end == std::string::npos) end = all.size();
      args.push_back(all.substr(start, end - start));
      start = end + 1;
    }
    Record(c, args);
  }
  return c;
}

}  // namespace

void SetCommandLine(int argc, char **argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc && argv && argv[i]; ++i) args.push_back(argv[i]);
  CommandLine &c = State();
  std::lock_guard<std::mutex> g(c.lock);
  Record(c, args);
}

std::vector<std::string> SplitCommandLine(const std::string &commandLine) {
  return Split(commandLine.c_str());
}

std::string QuoteArgument(const std::string &arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  std::string out = "\"";
  for (size_t i = 0;; ++i) {
    size_t n = 0;
    while (i < arg.size() && arg[i] == '\\') ++n, ++i;
    if (i == arg.size()) {
      out.append(2 * n, '\\');  // the closing quote must stay a quote
      break;
    }
    if (arg[i] == '"')
      out.append(2 * n + 1, '\\');
    else
      out.append(n, '\\');
    out += arg[i];
  }
  return out + "\"";
}

}  // namespace tavo

using namespace tavo;

LPSTR GetCommandLineA(void) {
  CommandLine &c = State();
  std::lock_guard<std::mutex> g(c.lock);
  return Current().line.data();
}

LPWSTR GetCommandLineW(void) {
  CommandLine &c = State();
  std::lock_guard<std::mutex> g(c.lock);
  return Current().wline.data();
}

LPWSTR *CommandLineToArgvW(LPCWSTR commandLine, int *argCount) {
  if (!argCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<std::wstring> args;
  if (!commandLine || !*commandLine) {
    CommandLine &c = State();
    std::lock_guard<std::mutex> g(c.lock);
    std::wstring name;
    for (char ch : Current().args[0]) name += (wchar_t)Cp1252ToUnicode((unsigned char)ch);
    args.push_back(name);
  } else {
    args = Split(commandLine);
  }
  size_t chars = 0;
  for (auto &a : args) chars += a.size() + 1;
  size_t ptrBytes = (args.size() + 1) * sizeof(LPWSTR);
  auto *block = (char *)std::malloc(ptrBytes + chars * sizeof(wchar_t));
  if (!block) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto **argv = (LPWSTR *)block;
  auto *text = (wchar_t *)(block + ptrBytes);
  for (size_t i = 0; i < args.size(); ++i) {
    argv[i] = text;
    std::memcpy(text, args[i].c_str(), (args[i].size() + 1) * sizeof(wchar_t));
    text += args[i].size() + 1;
  }
  argv[args.size()] = nullptr;
  *argCount = (int)args.size();
  return argv;
}

void *LocalFree(void *mem) {
  std::free(mem);
  return nullptr;
}

static bool IsAnsi(UINT codePage) { return codePage == CP_ACP || codePage == 1252; }

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int wideCount, LPSTR multi,
                        int multiSize, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  if (!IsAnsi(codePage) || !wide || wideCount == 0 || wideCount < -1 || multiSize < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = wideCount == -1 ? std::wcslen(wide) + 1 : (size_t)wideCount;
  char fallback = defaultChar ? *defaultChar : '?';
  bool used = false;
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    int b = UnicodeToCp1252((char32_t)wide[i]);
    if (b < 0) {
      used = true;
      out += fallback;
    } else {
      out += (char)b;
    }
  }
  if (usedDefaultChar) *usedDefaultChar = used;
  if (multiSize == 0) return (int)out.size();
  if (!multi || out.size() > (size_t)multiSize) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(multi, out.data(), out.size());
  return (int)out.size();
}

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR multi, int multiCount, LPWSTR wide,
                        int wideSize) {
  if (!IsAnsi(codePage) || !multi || multiCount == 0 || multiCount < -1 || wideSize < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = multiCount == -1 ? std::strlen(multi) + 1 : (size_t)multiCount;
  if (wideSize == 0) return (int)n;
  if (!wide || n > (size_t)wideSize) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  for (size_t i = 0; i < n; ++i) wide[i] = (wchar_t)Cp1252ToUnicode((unsigned char)multi[i]);
  return (int)n;
}
