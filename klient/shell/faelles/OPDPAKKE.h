#pragma once
// The update packages waiting in a program folder: files opd<N>.exe, N the
// version they bring. The main program and the start menu both start the
// one this finds, by the name it was found under.

#include <cstddef>
#include <cstdint>

// The version number a package's file name carries: the characters after
// its first three ("opd"), cut at the last dot, read as a plain decimal
// number. 0 when there are no digits or the number does not fit 32 bits.
uint32_t OpdPakkeNummer(const char *filnavn);

// The smallest package number above `version` among the files "opd*.exe"
// of the program folder (with its trailing separator); 0 when there is none.
// With `navn`, the file name it was found under (bounded by `stoerrelse`;
// empty when there is none): names with leading zeros or in another case
// name the same number but not the same file.
uint32_t FindOpdPakke(const char *programMappe, uint32_t version, char *navn = nullptr,
                      size_t stoerrelse = 0);
