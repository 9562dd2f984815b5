#include "webserver_proces.h"

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
#include <mutex>
#include <thread>

extern char **environ;

namespace webtest {

namespace {

using Ur = std::chrono::steady_clock;

std::string NyMappe(const char *navn) {
  const char *tmp = getenv("TMPDIR");
  std::string skabelon = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + navn + "XXXXXX";
  return mkdtemp(skabelon.data()) ? skabelon : std::string();
}

std::string CertMappe() {
  static std::string mappe;
  static std::once_flag en;
  std::call_once(en, [] {
    mappe = NyMappe("webcert");
    const std::string cmd = "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
                            " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1"
                            " -keyout " + mappe + "/key.pem -out " + mappe + "/cert.pem >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) mappe.clear();
    std::atexit([] {
      std::error_code ec;
      if (!mappe.empty()) std::filesystem::remove_all(mappe, ec);
    });
  });
  return mappe;
}

std::string LaesFil(const std::string &sti) {
  std::ifstream ind(sti, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>());
}

}  // namespace

const std::string &Certifikat() {
  static const std::string sti = CertMappe() + "/cert.pem";
  return sti;
}

std::string Flugt(const std::string &tekst) {
  std::string ud;
  for (const char c : tekst) {
    if (c == '\n') ud += "\\n";
    else if (c == '\r') ud += "\\r";
    else if (c == '\t') ud += "\\t";
    else if (c == '\\') ud += "\\\\";
    else ud += c;
  }
  return ud;
}

WebServer::WebServer() : mappe_(NyMappe("webserver")) { Script(""); }

WebServer::~WebServer() {
  Stop();
  std::error_code ec;
  if (!mappe_.empty()) std::filesystem::remove_all(mappe_, ec);
}

std::string WebServer::Adresse() const { return "https://127.0.0.1:" + std::to_string(port_); }

bool WebServer::Start(int idleSek) {
  const std::string certs = CertMappe();
  if (certs.empty()) return false;
  std::vector<std::string> arg = {TAVO_WEBSERVER_PROGRAM, "--cert", certs + "/cert.pem", "--key", certs + "/key.pem",
                                  "--dir", mappe_, "--idle", std::to_string(idleSek)};
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

void WebServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

int WebServer::VentPaaSlut(int ms) {
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

void WebServer::Script(const std::string &regler) const {
  // Written beside and moved into place: the stand-in never reads half a script.
  {
    std::ofstream ud(mappe_ + "/script.tmp", std::ios::binary | std::ios::trunc);
    ud << regler;
  }
  std::filesystem::rename(mappe_ + "/script.tmp", mappe_ + "/script.txt");
}

std::vector<std::string> WebServer::Log() const {
  std::vector<std::string> linjer;
  std::ifstream ind(mappe_ + "/log.txt", std::ios::binary);
  for (std::string l; std::getline(ind, l);) linjer.push_back(l);
  return linjer;
}

std::string WebServer::Krop(int n) const { return LaesFil(mappe_ + "/body-" + std::to_string(n) + ".bin"); }
std::string WebServer::Hoved(int n) const { return LaesFil(mappe_ + "/head-" + std::to_string(n) + ".txt"); }

}  // namespace webtest
