#include "lytter.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nettest {

int Lyt(const char *adresse, int port, int *faktiskPort) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  int ja = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof ja);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  if (inet_pton(AF_INET, adresse, &a.sin_addr) != 1 ||
      bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || listen(fd, 8) != 0) {
    close(fd);
    return -1;
  }
  socklen_t l = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr *>(&a), &l);
  if (faktiskPort) *faktiskPort = ntohs(a.sin_port);
  return fd;
}

int Tag(int lytter, int ms) {
  pollfd p{lytter, POLLIN, 0};
  if (poll(&p, 1, ms) != 1) return -1;
  return accept4(lytter, nullptr, nullptr, SOCK_CLOEXEC);
}

bool SkrivAlt(int fd, const std::string &data) {
  size_t sendt = 0;
  while (sendt < data.size()) {
    const ssize_t n = send(fd, data.data() + sendt, data.size() - sendt, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sendt += static_cast<size_t>(n);
  }
  return true;
}

std::string Laes(int fd, size_t n, int ms) {
  std::string ud;
  char buf[4096];
  while (ud.size() < n) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, ms) != 1) break;
    const ssize_t r = recv(fd, buf, std::min(sizeof buf, n - ud.size()), 0);
    if (r <= 0) break;
    ud.append(buf, static_cast<size_t>(r));
  }
  return ud;
}

void Luk(int fd) {
  if (fd >= 0) close(fd);
}

}  // namespace nettest
