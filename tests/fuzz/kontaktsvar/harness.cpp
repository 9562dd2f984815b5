// What a job server answers a logged-in contact: any bytes as the replies
// to an ordinary contact and then to an AutoSkema contact, read by the
// worker routines (job state and queue lines, file status, downloads).
// Beyond not crashing: no worker leaves a half-written file behind.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "../fuzz_fil.h"
#include "INDSTIL.h"
#include "KONTAKT.h"
#include "STITAB.h"

#undef socket
#undef send
#undef recv
#undef shutdown
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int gLytter = -1;

void Server(const uint8_t *data, size_t size) {
  pollfd p{gLytter, POLLIN, 0};
  if (poll(&p, 1, 5000) != 1) return;
  const int fd = accept4(gLytter, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  // A greeting with a challenge, then the input.
  const std::string hilsen = "+OK klar <1234abcd>\r\n";
  std::string ud = hilsen + std::string(reinterpret_cast<const char *>(data), size);
  size_t sendt = 0;
  while (sendt < ud.size()) {
    const ssize_t n = ::send(fd, ud.data() + sendt, ud.size() - sendt, MSG_NOSIGNAL);
    if (n <= 0) break;
    sendt += static_cast<size_t>(n);
  }
  ::shutdown(fd, SHUT_WR);
  char buf[4096];
  while (::recv(fd, buf, sizeof buf, 0) > 0) {
  }
  close(fd);
}

const fuzz::TempMappe &Mappe() {
  static const fuzz::TempMappe m;
  return m;
}

void Koer(const uint8_t *data, size_t size, void (*traad)(KontaktState *), bool autoskema) {
  std::thread server(Server, data, size);
  KontaktState st;
  NulstilKontaktState(&st);
  st.s = ServerForbind("127.0.0.1");
  if (st.s != INVALID_SOCKET) {
    st.logget = 1;
    snprintf(st.login.database, sizeof st.login.database, "skole");
    st.login.insnr = 7;
    if (autoskema) {
      st.autoS = st.s;
      st.autoLogget = 1;
      st.autoLogin = st.login;
    }
    LoginTilstand = 1;
    traad(&st);
    if (st.s != INVALID_SOCKET) ServerAfslut(&st.s);
  }
  server.join();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  gLytter = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t l = sizeof a;
  if (bind(gLytter, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || listen(gLytter, 4) != 0 ||
      getsockname(gLytter, reinterpret_cast<sockaddr *>(&a), &l) != 0)
    abort();
  setenv("TAVO_SERVICES", ("tavo/tcp=" + std::to_string(ntohs(a.sin_port))).c_str(), 1);
  ServerTidsfrist = 2000;
  std::filesystem::create_directories(Mappe().rod / "data");
  std::filesystem::create_directories(Mappe().rod / "ini");
  snprintf(StiTab.szdata, sizeof StiTab.szdata, "C:%s/", Mappe().rod.string().c_str());
  InitStiTab();
  GlobalIndstillinger.insnr = 7;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size > 65536) return 0;
  namespace fs = std::filesystem;
  for (const auto &e : fs::directory_iterator(Mappe().rod / "data")) fs::remove_all(e.path());
  Koer(data, size, KontaktTraad, false);
  Koer(data, size, AutoKontaktTraad, true);
  for (const auto &e : fs::directory_iterator(Mappe().rod / "data"))
    if (e.path().extension() == ".tmp") abort();
  return 0;
}
