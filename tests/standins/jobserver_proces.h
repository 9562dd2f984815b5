// The job-server stand-in as a test runs it: its own folder (spool, request
// log, fault script), a free loopback port, stopped when the test ends.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace jobtest {

class JobServer {
 public:
  JobServer();
  ~JobServer();
  JobServer(const JobServer &) = delete;
  JobServer &operator=(const JobServer &) = delete;

  // Starts the program with these options besides the folder's own (spool,
  // log, fault script); without a --user option the user
  // "bruger:hemmelig:skole" is given. False when it printed no port.
  bool Start(const std::vector<std::string> &ekstra = {}, const std::string &adresse = "127.0.0.1",
             int port = 0);
  void Stop();

  int Port() const { return port_; }
  pid_t Pid() const { return pid_; }
  const std::string &Mappe() const { return mappe_; }
  std::string Spool() const { return mappe_ + "/spool"; }
  std::string SpoolFil(const std::string &navn) const { return Spool() + "/" + navn; }

  // The fault script, read by the stand-in for every new connection.
  void Fejl(const std::string &script) const;

  // The request log: "<connection>\t<command line>" and "#" events.
  std::vector<std::string> Log() const;
  // Waits until a log line ends with this text.
  bool VentPaaLog(const std::string &slutning, int ms) const;
  // Waits for the program's end: its exit code, or -1 while it still runs.
  int VentPaaSlut(int ms);

 private:
  std::string mappe_;
  pid_t pid_ = -1;
  int port_ = 0;
};

// A file of the test's own, byte for byte (its folders made as needed).
void SkrivFil(const std::string &sti, const std::string &data);
std::string LaesFil(const std::string &sti);
bool Findes(const std::string &sti);

}  // namespace jobtest
