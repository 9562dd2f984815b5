#include "jobserver_proces.h"

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
#include <iterator>
#include <thread>

extern char **environ;

namespace jobtest {

namespace {

using Ur = std::chrono::steady_clock;

}  // namespace

JobServer::JobServer() {
  const char *tmp = getenv("TMPDIR");
  std::string skabelon = std::string(tmp && *tmp ? tmp : "/tmp") + "/jobserverXXXXXX";
  if (mkdtemp(skabelon.data())) mappe_ = skabelon;
  std::filesystem::create_directories(Spool());
  Fejl("");
}

JobServer::~JobServer() {
  Stop();
  std::error_code ec;
  if (!mappe_.empty()) std::filesystem::remove_all(mappe_, ec);
}

bool JobServer::Start(const std::vector<std::string> &ekstra, const std::string &adresse,
                      int port) {
  std::vector<std::string> arg = {TAVO_JOBSERVER_PROGRAM,
                                  "--spool", Spool(),
                                  "--log", mappe_ + "/log.txt",
                                  "--faults", mappe_ + "/fejl.txt",
                                  "--addr", adresse,
                                  "--port", std::to_string(port)};
  bool harBruger = false;
  for (const std::string &e : ekstra) harBruger = harBruger || e == "--user";
  if (!harBruger) arg.insert(arg.end(), {"--user", "bruger:hemmelig:skole"});
  arg.insert(arg.end(), ekstra.begin(), ekstra.end());
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

void JobServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

int JobServer::VentPaaSlut(int ms) {
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

void JobServer::Fejl(const std::string &script) const {
  // Written beside and moved into place: the stand-in never reads half a script.
  SkrivFil(mappe_ + "/fejl.tmp", script);
  std::filesystem::rename(mappe_ + "/fejl.tmp", mappe_ + "/fejl.txt");
}

std::vector<std::string> JobServer::Log() const {
  std::vector<std::string> linjer;
  std::ifstream ind(mappe_ + "/log.txt", std::ios::binary);
  std::string l;
  while (std::getline(ind, l)) linjer.push_back(l);
  return linjer;
}

bool JobServer::VentPaaLog(const std::string &slutning, int ms) const {
  const auto frist = Ur::now() + std::chrono::milliseconds(ms);
  do {
    for (const std::string &l : Log())
      if (l.size() >= slutning.size() && l.compare(l.size() - slutning.size(), slutning.size(), slutning) == 0)
        return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (Ur::now() < frist);
  return false;
}

void SkrivFil(const std::string &sti, const std::string &data) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(sti).parent_path(), ec);
  std::ofstream ud(sti, std::ios::binary | std::ios::trunc);
  ud.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string LaesFil(const std::string &sti) {
  std::ifstream ind(sti, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>());
}

bool Findes(const std::string &sti) { return std::filesystem::exists(sti); }

}  // namespace jobtest
