// What a job server sends: any bytes as the greeting and the replies of one
// connection, read through the protocol's calls as a contact reads them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "SERVER.h"

// The far end is a plain Linux socket; the Windows names are the
// protocol's.
#undef socket
#undef send
#undef recv
#undef shutdown
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int gLytter = -1;

// Accepts one connection, sends the bytes, ends its sending side and reads
// what the client says until it goes.
void Server(const uint8_t *data, size_t size) {
  pollfd p{gLytter, POLLIN, 0};
  if (poll(&p, 1, 5000) != 1) return;
  const int fd = accept4(gLytter, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  size_t sendt = 0;
  while (sendt < size) {
    const ssize_t n = ::send(fd, data + sendt, size - sendt, MSG_NOSIGNAL);
    if (n <= 0) break;
    sendt += static_cast<size_t>(n);
  }
  ::shutdown(fd, SHUT_WR);
  char buf[4096];
  while (::recv(fd, buf, sizeof buf, 0) > 0) {
  }
  close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  gLytter = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t l = sizeof a;
  if (bind(gLytter, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || listen(gLytter, 4) != 0 ||
      getsockname(gLytter, reinterpret_cast<sockaddr *>(&a), &l) != 0)
    abort();
  setenv("TAVO_SERVICES", ("tavo/tcp=" + std::to_string(ntohs(a.sin_port))).c_str(), 1);
  ServerTidsfrist = 2000;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // More than the socket buffers hold would only wait.
  if (size > 65536) return 0;
  std::thread server(Server, data, size);
  SOCKET s = ServerForbind("127.0.0.1");
  if (s != INVALID_SOCKET) {
    ServerLoginRec login{};
    snprintf(login.bruger, sizeof login.bruger, "bruger");
    snprintf(login.password, sizeof login.password, "hemmelig");
    login.logintype[0] = 'u';
    login.art = 'I';
    ServerLogin(s, &login);
    ServerStatFilRec st;
    ServerStatFil(s, "job/x.gz", &st);
    char sti[] = "/tmp/serversvarXXXXXX";
    const int fd = mkstemp(sti);
    if (fd >= 0) {
      close(fd);
      ServerHentFil(s, "job/x.gz", sti);
      unlink(sti);
    }
    char linje[261];
    while (ServerKommando(s, "stat ins") != -1 && ServerLaesSvar(s, linje, 260)) {
    }
    ServerAfslut(&s);
  }
  server.join();
  return 0;
}
