// The support FTP server's stand-in as a test runs it: its own folder
// (received files, request log, answer script), a free loopback port,
// stopped when the test ends.
#pragma once

#include <string>
#include <vector>

#include "standin_proces.h"

namespace ftptest {

class FtpServer : public standintest::StandinProces {
 public:
  FtpServer();

  // False when the program printed no port (it refuses any address but a
  // loopback one).
  bool Start(int idleSek = 60, const std::string &adresse = "127.0.0.1");

  // The answer script (rules as the stand-in's program describes), read at
  // every new connection.
  void Script(const std::string &regler) const { SkrivHel("script.txt", regler); }
  // The request log: "<connection>\t<command line>" and "#" events.
  std::vector<std::string> Log() const { return Linjer("log.txt"); }
  // Waits until a log line ends with the text.
  bool VentPaaLog(const std::string &slutning, int ms) const { return VentPaaLinje("log.txt", slutning, ms); }
  // A file the server stored; "" when there is none.
  std::string Fil(const std::string &navn) const;
};

}  // namespace ftptest
