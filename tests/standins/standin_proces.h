// What every stand-in looks like to a test: a program run with its own
// temporary folder, printing its loopback port as its first line, stopped
// (and its folder removed) when the test ends, with files of lines it
// writes there and scripts it reads from there.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace standintest {

// A new folder below $TMPDIR (or /tmp) named by the prefix; "" on failure.
std::string NyMappe(const char *navn);

class StandinProces {
 public:
  explicit StandinProces(const char *navn);
  ~StandinProces();
  StandinProces(const StandinProces &) = delete;
  StandinProces &operator=(const StandinProces &) = delete;

  void Stop();
  // Waits for the program's end: its exit code, or -1 while it still runs.
  int VentPaaSlut(int ms);

  int Port() const { return port_; }
  pid_t Pid() const { return pid_; }
  const std::string &Mappe() const { return mappe_; }

 protected:
  // Runs the program (arg[0]) with stdin from /dev/null: false when it
  // printed no port within 20 seconds.
  bool StartProgram(std::vector<std::string> arg);
  // The lines of a file of the folder.
  std::vector<std::string> Linjer(const std::string &navn) const;
  // Waits until a line of the file ends with the text.
  bool VentPaaLinje(const std::string &navn, const std::string &slutning, int ms) const;
  // Writes the file beside and moves it into place, so that the stand-in
  // never reads half of it.
  void SkrivHel(const std::string &navn, const std::string &data) const;

 private:
  std::string mappe_;
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace standintest
