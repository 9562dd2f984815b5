#pragma once
// TAVO_ASSERT(expr): a broken invariant stops the program. The line
// "Assertion failed: <expr>, file <MODULE>, line <n>" goes to the program's
// log, the lock file is deleted and the process ends with exit code 3.
// The module is the source file's name without folder and extension, which
// is the module name the system uses for it.

namespace tavo {

constexpr const char *ModuleName(const char *file) {
  const char *base = file;
  for (const char *p = file; *p; ++p)
    if (*p == '/' || *p == '\\') base = p + 1;
  return base;
}

// Writes the assertion line through the installed log writer, runs the
// installed clean-up (deleting the lock file) and ends the process.
[[noreturn]] void AssertFailed(const char *expr, const char *file, int line);

// The program installs these once its log and lock file exist. Either may
// be null. Before installation the line goes to standard error only.
typedef void (*AssertLogFn)(const char *line);
typedef void (*AssertCleanupFn)();
void SetAssertHandlers(AssertLogFn log, AssertCleanupFn cleanup);

constexpr int kAssertExitCode = 3;

}  // namespace tavo

#define TAVO_ASSERT(expr) \
  ((expr) ? (void)0 : ::tavo::AssertFailed(#expr, ::tavo::ModuleName(__FILE__), __LINE__))
