#pragma once
// Included first in every C++ file of the project (cmake/Tavo.cmake): the
// C library's rename and remove take Linux paths and miss the Windows path
// rules the programs' paths need (backslashes, case, drive letters), so a
// call of either fails the build. Use MoveFileEx/DeleteFile (tavo_rename,
// tavo_remove), and for files of the data folder the crash-safe save.
// std::filesystem and the algorithms named remove are other functions and
// stay usable.
#ifdef __cplusplus
#include <cstdio>

extern "C" int rename(const char *, const char *) noexcept
    __attribute__((error("rename is banned: use MoveFileEx, tavo_rename or the crash-safe save")));
extern "C" int remove(const char *) noexcept
    __attribute__((error("remove is banned: use DeleteFile or tavo_remove")));
#endif
