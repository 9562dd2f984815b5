#include "standin_proces.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

extern char **environ;

namespace standintest {

namespace {

using Ur = std::chrono::steady_clock;

}  // namespace

std::string NyMappe(const char *navn) {
  const char *tmp = getenv("TMPDIR");
  std::string skabelon = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + navn + "XXXXXX";
  return mkdtemp(skabelon.data()) ? skabelon : std::string();
}

StandinProces::StandinProces(const char *navn) : mappe_(NyMappe(navn)) {}

StandinProces::~StandinProces() {
  Stop();
  std::error_code ec;
  if (!mappe_.empty()) std::filesystem::remove_all(mappe_, ec);
}

bool StandinProces::StartProgram(std::vector<std::string> arg) {
  std::vector<char *> argv;
  for (std::string &a : arg) argv.push_back(a.data());
  argv.push_back(nullptr);
  int roer[2];
  if (pipe2(roer, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&fa, roer[1], 1);
  const int r = posix_spawn(&pid_, argv[0], &fa, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&fa);
  close(roer[1]);
  if (r != 0) {
    pid_ = -1;
    close(roer[0]);
    return false;
  }
  // The first line is the port.
  std::string linje;
  const auto frist = Ur::now() + std::chrono::seconds(20);
  while (linje.find('\n') == std::string::npos && Ur::now() < frist) {
    pollfd p{roer[0], POLLIN, 0};
    if (poll(&p, 1, 100) != 1) continue;
    char buf[64];
    const ssize_t n = read(roer[0], buf, sizeof buf);
    if (n <= 0) break;
    linje.append(buf, static_cast<size_t>(n));
  }
  close(roer[0]);
  port_ = atoi(linje.c_str());
  return port_ > 0;
}

void StandinProces::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

int StandinProces::VentPaaSlut(int ms) {
  if (pid_ <= 0) return -1;
  const auto frist = Ur::now() + std::chrono::milliseconds(ms);
  do {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (Ur::now() < frist);
  return -1;
}

std::vector<std::string> StandinProces::Linjer(const std::string &navn) const {
  std::vector<std::string> linjer;
  std::ifstream ind(mappe_ + "/" + navn, std::ios::binary);
  for (std::string l; std::getline(ind, l);) linjer.push_back(l);
  return linjer;
}

bool StandinProces::VentPaaLinje(const std::string &navn, const std::string &slutning, int ms) const {
  const auto frist = Ur::now() + std::chrono::milliseconds(ms);
  do {
    for (const std::string &l : Linjer(navn))
      if (l.size() >= slutning.size() && l.compare(l.size() - slutning.size(), slutning.size(), slutning) == 0)
        return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (Ur::now() < frist);
  return false;
}

void StandinProces::SkrivHel(const std::string &navn, const std::string &data) const {
  const std::string tmp = mappe_ + "/" + navn + ".tmp";
  {
    std::ofstream ud(tmp, std::ios::binary | std::ios::trunc);
    ud.write(data.data(), static_cast<std::streamsize>(data.size()));
  }
  std::filesystem::rename(tmp, mappe_ + "/" + navn);
}

}  // namespace standintest
