// The job-server stand-in as a test runs it: its own folder (spool, request
// log, fault script), a free loopback port, stopped when the test ends.
#pragma once

#include <string>
#include <vector>

#include "standin_proces.h"

namespace jobtest {

class JobServer : public standintest::StandinProces {
 public:
  JobServer();

  // Starts the program with these options besides the folder's own (spool,
  // log, fault script); without a --user option the user
  // "bruger:hemmelig:skole" is given. False when it printed no port.
  bool Start(const std::vector<std::string> &ekstra = {}, const std::string &adresse = "127.0.0.1",
             int port = 0);

  std::string Spool() const { return Mappe() + "/spool"; }
  std::string SpoolFil(const std::string &navn) const { return Spool() + "/" + navn; }

  // The fault script, read by the stand-in for every new connection.
  void Fejl(const std::string &script) const { SkrivHel("fejl.txt", script); }

  // The request log: "<connection>\t<command line>" and "#" events.
  std::vector<std::string> Log() const { return Linjer("log.txt"); }
  // Waits until a log line ends with this text.
  bool VentPaaLog(const std::string &slutning, int ms) const { return VentPaaLinje("log.txt", slutning, ms); }
};

// A file of the test's own, byte for byte (its folders made as needed).
void SkrivFil(const std::string &sti, const std::string &data);
std::string LaesFil(const std::string &sti);
bool Findes(const std::string &sti);

}  // namespace jobtest
