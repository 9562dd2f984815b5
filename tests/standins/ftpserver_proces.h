// The support FTP server's stand-in as a test runs it: its own folder
// (received files, request log, answer script), a free loopback port,
// stopped when the test ends.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace ftptest {

class FtpServer {
 public:
  FtpServer();
  ~FtpServer();
  FtpServer(const FtpServer &) = delete;
  FtpServer &operator=(const FtpServer &) = delete;

  // False when the program printed no port.
  bool Start(int idleSek = 60);
  void Stop();
  // Waits for the program's end: its exit code, or -1 while it still runs.
  int VentPaaSlut(int ms);

  int Port() const { return port_; }
  const std::string &Mappe() const { return mappe_; }

  // The answer script (rules as the stand-in's program describes), read at
  // every new connection.
  void Script(const std::string &regler) const;
  // The request log: "<connection>\t<command line>" and "#" events.
  std::vector<std::string> Log() const;
  // Waits until a log line ends with the text.
  bool VentPaaLog(const std::string &slutning, int ms) const;
  // A file the server stored; "" when there is none.
  std::string Fil(const std::string &navn) const;
  bool HarFil(const std::string &navn) const;

 private:
  std::string mappe_;
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace ftptest
