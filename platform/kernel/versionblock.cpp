// Version blocks: found by their marker in a program file and turned into
// the buffer the VerQueryValue queries read.
//
// In the file (written by cmake/VersionBlock.cmake): a 16-byte marker, the
// translation (4 bytes: 06 04 b0 04), the file version as four 16-bit
// little-endian numbers (major, minor, patch, build), then "key\0value\0"
// pairs ended by an empty key.
//
// In the caller's buffer: a 32-bit byte count, the VS_FIXEDFILEINFO, the
// translation and the pairs as in the file.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "pathmap.h"
#include "win/kernel.h"

namespace tavo {
namespace {

// The marker, kept scrambled so that this reader's own code never holds it
// and is never taken for a block.
const unsigned char kScrambled[16] = {0x25, 0x0E, 0x3B, 0x0C, 0x35, 0x77, 0x0C, 0x3F,
                                      0x08, 0x77, 0x18, 0x36, 0x15, 0x39, 0x11, 0xFF};
volatile unsigned char g_scramble = 0x5A;

constexpr size_t kMaxStrings = 16384;  // far beyond any real block
constexpr size_t kFixedAt = 4;
constexpr size_t kTranslationAt = kFixedAt + sizeof(VS_FIXEDFILEINFO);
constexpr size_t kStringsAt = kTranslationAt + 4;

// The length of the pairs starting at p (the ending empty key included), or
// 0 when they are not a well-formed list within end.
size_t PairsLength(const unsigned char *p, const unsigned char *end) {
  const unsigned char *start = p;
  for (int pairs = 0;; ++pairs) {
    if (p >= end || (size_t)(p - start) > kMaxStrings || pairs > 256) return 0;
    if (*p == 0) return (size_t)(p + 1 - start);
    for (int part = 0; part < 2; ++part) {
      while (p < end && *p != 0) {
        if (*p < 0x20) return 0;  // texts only
        ++p;
      }
      if (p >= end) return 0;
      ++p;
    }
  }
}

// The block of a file as the caller's buffer holds it; empty when none.
std::string ReadBlock(LPCSTR fileName, DWORD &error) {
  error = ERROR_RESOURCE_DATA_NOT_FOUND;
  std::string path;
  if (!fileName || !MapPath(fileName, path)) {
    error = ERROR_FILE_NOT_FOUND;
    return "";
  }
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
    return "";
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 16) {
    close(fd);
    return "";
  }
  size_t size = (size_t)st.st_size;
  void *map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (map == MAP_FAILED) return "";

  unsigned char marker[16];
  for (int i = 0; i < 16; ++i) marker[i] = kScrambled[i] ^ g_scramble;
  const auto *data = (const unsigned char *)map;
  const unsigned char *end = data + size;
  std::string out;
  for (const unsigned char *p = data; p < end;) {
    auto *hit = (const unsigned char *)memmem(p, (size_t)(end - p), marker, sizeof marker);
    if (!hit) break;
    const unsigned char *body = hit + sizeof marker;
    p = hit + 1;
    if (end - body < 12 || std::memcmp(body, "\x06\x04\xb0\x04", 4) != 0) continue;
    size_t pairs = PairsLength(body + 12, end);
    if (pairs == 0) continue;

    auto word = [&](int i) { return (DWORD)(body[4 + 2 * i] | body[5 + 2 * i] << 8); };
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = fixed.dwProductVersionMS = word(0) << 16 | word(1);
    fixed.dwFileVersionLS = fixed.dwProductVersionLS = word(2) << 16 | word(3);
    fixed.dwFileFlagsMask = 0x3F;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_APP;
    uint32_t total = (uint32_t)(kStringsAt + pairs);
    out.assign((const char *)&total, 4);
    out.append((const char *)&fixed, sizeof fixed);
    out.append((const char *)body, 4);
    out.append((const char *)body + 12, pairs);
    break;
  }
  munmap(map, size);
  return out;
}

bool EqualNoCase(const char *a, const char *b) { return Cp1252EqualNoCase(a, b); }

}  // namespace
}  // namespace tavo

using namespace tavo;

DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle) {
  if (handle) *handle = 0;
  DWORD error;
  std::string block = ReadBlock(fileName, error);
  if (block.empty()) {
    SetLastError(error);
    return 0;
  }
  return (DWORD)block.size();
}

BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD, DWORD size, LPVOID data) {
  DWORD error;
  std::string block = ReadBlock(fileName, error);
  if (block.empty()) {
    SetLastError(error);
    return FALSE;
  }
  if (!data || size < kStringsAt + 1) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  // A short buffer keeps the head of the block; its count says how much,
  // so queries never read past what was copied.
  uint32_t copied = (uint32_t)(block.size() < size ? block.size() : size);
  std::memcpy(block.data(), &copied, 4);
  std::memcpy(data, block.data(), copied);
  return TRUE;
}

BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID *value, UINT *length) {
  if (!block || !subBlock || !value) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto *base = (const unsigned char *)block;
  uint32_t total;
  std::memcpy(&total, base, 4);
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, base + kFixedAt, sizeof fixed);
  if (total < kStringsAt + 1 || fixed.dwSignature != VS_FFI_SIGNATURE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string q = subBlock;
  for (char &c : q)
    if (c == '/') c = '\\';
  while (q.size() > 1 && q.back() == '\\') q.pop_back();
  if (q.empty() || q == "\\") {
    *value = (LPVOID)(base + kFixedAt);
    if (length) *length = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
  }
  if (EqualNoCase(q.c_str(), "\\VarFileInfo\\Translation")) {
    *value = (LPVOID)(base + kTranslationAt);
    if (length) *length = 4;
    return TRUE;
  }
  const std::string prefix = "\\StringFileInfo\\";
  if (q.size() > prefix.size() + 9 && EqualNoCase(q.substr(0, prefix.size()).c_str(), prefix.c_str()) &&
      q[prefix.size() + 8] == '\\') {
    char table[9];
    std::snprintf(table, sizeof table, "%02x%02x%02x%02x", base[kTranslationAt + 1],
                  base[kTranslationAt], base[kTranslationAt + 3], base[kTranslationAt + 2]);
    std::string key = q.substr(prefix.size() + 9);
    if (EqualNoCase(q.substr(prefix.size(), 8).c_str(), table)) {
      const auto *p = (const char *)base + kStringsAt;
      const auto *end = (const char *)base + total;
      // Pairs cut short by a small buffer end where the count says.
      while (p < end && *p) {
        const char *k = p;
        const char *kEnd = (const char *)std::memchr(k, 0, (size_t)(end - k));
        if (!kEnd) break;
        const char *v = kEnd + 1;
        const char *vEnd = v < end ? (const char *)std::memchr(v, 0, (size_t)(end - v)) : nullptr;
        if (!vEnd) break;
        if (EqualNoCase(k, key.c_str())) {
          *value = (LPVOID)v;
          if (length) *length = (UINT)(vEnd - v + 1);
          return TRUE;
        }
        p = vEnd + 1;
      }
    }
  }
  *value = nullptr;
  if (length) *length = 0;
  SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return FALSE;
}
