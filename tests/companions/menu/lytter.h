#pragma once
// A plain POSIX listener on loopback, in a file of its own so that the
// platform's socket names do not replace the system's here.

#include <string>
#include <thread>
#include <vector>

class Lytter {
 public:
  Lytter();
  ~Lytter();
  int Port() const { return port_; }
  // Accepts one connection and sends the pieces with a pause between them,
  // then closes.
  std::thread Send(std::vector<std::string> stykker);

 private:
  int fd_ = -1;
  int port_ = 0;
};
