// The far end of the socket tests: a plain Linux listener on loopback, kept
// in its own file because the Windows names hide the system's socket calls.
#pragma once

#include <string>

namespace nettest {

// A listening socket on the address; port 0 takes a free one. -1 on failure.
int Lyt(const char *adresse, int port, int *faktiskPort);
// The next connection, or -1 when none comes within ms.
int Tag(int lytter, int ms);
bool SkrivAlt(int fd, const std::string &data);
// Reads until n bytes or the end; what came.
std::string Laes(int fd, size_t n, int ms);
void Luk(int fd);

}  // namespace nettest
