// What the stand-ins share about being reachable: a listener on a loopback
// address only, its port as the first line of output, and connections
// taken until the test that started the stand-in is gone or all has been
// quiet for the idle time. Protocol code stays in each stand-in.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace standin {

inline int64_t NuMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The listening socket on the address (127.0.0.0/8 only) and port (0: a
// free one); the port is printed. A failure ends the program with code 2.
inline int LytPaaLoopback(const char *program, const std::string &adresse, int port) {
  const auto stop = [program](const char *tekst) {
    fprintf(stderr, "%s: %s\n", program, tekst);
    _exit(2);
  };
  sockaddr_in adr{};
  adr.sin_family = AF_INET;
  adr.sin_port = htons(static_cast<uint16_t>(port));
  if (inet_pton(AF_INET, adresse.c_str(), &adr.sin_addr) != 1 || (ntohl(adr.sin_addr.s_addr) >> 24) != 127)
    stop("the address must be a loopback address (127.x.y.z)");
  const int lytter = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int ja = 1;
  setsockopt(lytter, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof ja);
  if (lytter < 0 || bind(lytter, reinterpret_cast<sockaddr *>(&adr), sizeof adr) != 0 || listen(lytter, 64) != 0)
    stop(strerror(errno));
  socklen_t l = sizeof adr;
  getsockname(lytter, reinterpret_cast<sockaddr *>(&adr), &l);
  printf("%d\n", ntohs(adr.sin_port));
  fflush(stdout);
  return lytter;
}

// Serves each connection on a thread of its own (betjen(fd, number), from
// 1) until the starting process is gone, or nothing has happened since
// `sidst` for the idle time; with a count of the connections being served
// (which betjen counts down at its end), only while none is.
template <class Betjen>
void BetjenIndtilTomgang(int lytter, int tomgangSek, std::atomic<int64_t> &sidst, std::atomic<int> *aktive,
                         Betjen betjen) {
  const pid_t starter = getppid();
  sidst = NuMs();
  int nummer = 0;
  for (;;) {
    pollfd p{lytter, POLLIN, 0};
    const int r = poll(&p, 1, 200);
    if (getppid() != starter) break;
    if ((!aktive || *aktive == 0) && NuMs() - sidst > static_cast<int64_t>(tomgangSek) * 1000) break;
    if (r != 1) continue;
    const int fd = accept4(lytter, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    sidst = NuMs();
    if (aktive) ++*aktive;
    std::thread(betjen, fd, ++nummer).detach();
  }
}

}  // namespace standin
