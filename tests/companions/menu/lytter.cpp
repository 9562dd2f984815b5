#include "lytter.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

Lytter::Lytter() {
  fd_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = {};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd_, reinterpret_cast<sockaddr *>(&a), sizeof a);
  socklen_t n = sizeof a;
  getsockname(fd_, reinterpret_cast<sockaddr *>(&a), &n);
  port_ = ntohs(a.sin_port);
  listen(fd_, 1);
}

Lytter::~Lytter() { close(fd_); }

std::thread Lytter::Send(std::vector<std::string> stykker) {
  return std::thread([this, stykker] {
    const int c = accept(fd_, nullptr, nullptr);
    for (const std::string &s : stykker) {
      send(c, s.data(), s.size(), MSG_NOSIGNAL);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(c);
  });
}
