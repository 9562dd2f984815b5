// Windows sockets over the Linux sockets: every socket is registered here, so
// a stale or foreign number is refused instead of reaching another file.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>

#include "tavo/test_net.h"
#include "win/kernel.h"
#include "win/winsock.h"

// The Windows names are macros onto this file's functions; here the
// system's own calls are needed under the same names.
#undef socket
#undef connect
#undef getpeername
#undef send
#undef recv
#undef shutdown
#undef setsockopt
#undef gethostbyname
#undef getservbyname
#undef inet_addr

namespace {

std::mutex gLaas;
int gStartTal = 0;
std::unordered_set<int> gSockets;
tavo::test::ConnectKrog gConnectKrog = nullptr;
std::string gFejlFunktion;
int gFejlNummer = 0;

int Fejl(int nummer) {
  WSASetLastError(nummer);
  return SOCKET_ERROR;
}

int FraErrno(int e) {
  switch (e) {
    case EINTR: return WSAEINTR;
    case EBADF: return WSAENOTSOCK;
    case EACCES:
    case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE:
    case ENFILE: return WSAEMFILE;
    // A blocking socket reports a passed time-out as a would-block.
    case EAGAIN: return WSAETIMEDOUT;
    case EINPROGRESS: return WSAETIMEDOUT;
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EDESTADDRREQ: return WSAEDESTADDRREQ;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return WSAEPROTOTYPE;
    case ENOPROTOOPT: return WSAENOPROTOOPT;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT: return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EPFNOSUPPORT: return WSAEPFNOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    case EPIPE:
    case ECONNRESET: return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case ELOOP: return WSAELOOP;
    case ENAMETOOLONG: return WSAENAMETOOLONG;
    case EHOSTDOWN: return WSAEHOSTDOWN;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    default: return WSASYSCALLFAILURE;
  }
}

// A failure a test asked for, taken once.
bool BestiltFejl(const char *funktion) {
  std::lock_guard<std::mutex> g(gLaas);
  if (gFejlNummer == 0 || gFejlFunktion != funktion) return false;
  WSASetLastError(gFejlNummer);
  gFejlNummer = 0;
  gFejlFunktion.clear();
  return true;
}

bool ErStartet() {
  std::lock_guard<std::mutex> g(gLaas);
  return gStartTal > 0;
}

// The descriptor of a registered socket, or -1 with the error set.
int Fd(SOCKET s) {
  std::lock_guard<std::mutex> g(gLaas);
  if (gStartTal == 0) {
    WSASetLastError(WSANOTINITIALISED);
    return -1;
  }
  if (s > static_cast<SOCKET>(INT32_MAX) || !gSockets.count(static_cast<int>(s))) {
    WSASetLastError(WSAENOTSOCK);
    return -1;
  }
  return static_cast<int>(s);
}

// A connect that a signal interrupted goes on by itself; wait for its end.
int VentPaaConnect(int fd) {
  timeval tv{};
  socklen_t tl = sizeof tv;
  int ms = -1;
  if (getsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, &tl) == 0 && (tv.tv_sec || tv.tv_usec))
    ms = static_cast<int>(tv.tv_sec * 1000 + tv.tv_usec / 1000);
  pollfd p{fd, POLLOUT, 0};
  int r;
  while ((r = poll(&p, 1, ms)) < 0 && errno == EINTR) {
  }
  if (r == 0) return WSAETIMEDOUT;
  if (r < 0) return FraErrno(errno);
  int soFejl = 0;
  socklen_t sl = sizeof soFejl;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &soFejl, &sl) < 0) return FraErrno(errno);
  return soFejl ? FraErrno(soFejl) : 0;
}

// One part of a dotted address: decimal, octal after a 0, hexadecimal
// after 0x. False when it holds no digit or passes 32 bits.
bool LaesAdresseDel(std::string_view &t, uint64_t *ud) {
  int grundtal = 10;
  if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    grundtal = 16;
    t.remove_prefix(2);
  } else if (t.size() >= 1 && t[0] == '0') {
    grundtal = 8;
  }
  uint64_t v = 0;
  size_t n = 0;
  for (; n < t.size(); ++n) {
    const char c = t[n];
    int ciffer;
    if (c >= '0' && c <= '9') ciffer = c - '0';
    else if (c >= 'a' && c <= 'f') ciffer = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') ciffer = c - 'A' + 10;
    else break;
    if (ciffer >= grundtal) return false;
    v = v * grundtal + ciffer;
    if (v > 0xFFFFFFFFu) return false;
  }
  if (n == 0) return false;
  t.remove_prefix(n);
  *ud = v;
  return true;
}

}  // namespace

// ---- Start and end --------------------------------------------------------

int WSAStartup(WORD versionRequested, LPWSADATA data) {
  if (BestiltFejl("WSAStartup")) return WSAGetLastError();
  const WORD hoej = MAKEWORD(1, 1);
  const int onsket = LOBYTE(versionRequested) * 256 + HIBYTE(versionRequested);
  if (onsket < 1 * 256 + 1) {
    if (data) {
      memset(data, 0, sizeof *data);
      data->wVersion = hoej;
      data->wHighVersion = hoej;
    }
    return WSAVERNOTSUPPORTED;
  }
  if (data) {
    memset(data, 0, sizeof *data);
    data->wVersion = hoej;
    data->wHighVersion = hoej;
    snprintf(data->szDescription, sizeof data->szDescription, "Tavo Windows Sockets 1.1");
    snprintf(data->szSystemStatus, sizeof data->szSystemStatus, "Klar");
    data->iMaxSockets = 1024;
    data->iMaxUdpDg = 65467;
  }
  std::lock_guard<std::mutex> g(gLaas);
  ++gStartTal;
  return 0;
}

int WSACleanup(void) {
  std::unordered_set<int> luk;
  {
    std::lock_guard<std::mutex> g(gLaas);
    if (gStartTal == 0) return Fejl(WSANOTINITIALISED);
    if (--gStartTal == 0) luk.swap(gSockets);
  }
  for (int fd : luk) {
    ::shutdown(fd, SHUT_RDWR);
    close(fd);
  }
  return 0;
}

int WSAGetLastError(void) { return static_cast<int>(GetLastError()); }
void WSASetLastError(int error) { SetLastError(static_cast<DWORD>(error)); }

// ---- Names ------------------------------------------------------------------

ULONG tavo_inet_addr(const char *text) {
  if (!text) return INADDR_NONE;
  std::string_view t(text);
  uint64_t del[4];
  int n = 0;
  for (;;) {
    if (n == 4 || !LaesAdresseDel(t, &del[n])) return INADDR_NONE;
    ++n;
    if (t.empty()) break;
    if (t[0] != '.') return INADDR_NONE;
    t.remove_prefix(1);
  }
  // The last part fills the bytes the earlier ones leave.
  uint64_t v = 0;
  for (int i = 0; i < n - 1; ++i) {
    if (del[i] > 0xFF) return INADDR_NONE;
    v |= del[i] << (24 - 8 * i);
  }
  const int restBits = 32 - 8 * (n - 1);
  if (restBits < 32 && del[n - 1] >> restBits) return INADDR_NONE;
  v |= del[n - 1];
  return htonl(static_cast<uint32_t>(v));
}

struct hostent *tavo_gethostbyname(const char *name) {
  if (!ErStartet()) {
    WSASetLastError(WSANOTINITIALISED);
    return nullptr;
  }
  if (BestiltFejl("gethostbyname")) return nullptr;
  struct Vaert {
    hostent h;
    char navn[256];
    in_addr adresse;
    char *adresser[2];
    char *aliaser[1];
  };
  static thread_local Vaert v;
  char egetNavn[256];
  if (!name || !*name) {
    if (gethostname(egetNavn, sizeof egetNavn) != 0) {
      WSASetLastError(WSANO_RECOVERY);
      return nullptr;
    }
    egetNavn[sizeof egetNavn - 1] = 0;
    name = egetNavn;
  }
  if (strlen(name) >= sizeof v.navn) {
    WSASetLastError(WSAEFAULT);
    return nullptr;
  }
  addrinfo hint{};
  hint.ai_family = AF_INET;
  hint.ai_socktype = SOCK_STREAM;
  addrinfo *svar = nullptr;
  const int r = getaddrinfo(name, nullptr, &hint, &svar);
  if (r != 0 || !svar) {
    int fejl;
    switch (r) {
      case EAI_AGAIN: fejl = WSATRY_AGAIN; break;
      case EAI_NONAME: fejl = WSAHOST_NOT_FOUND; break;
#ifdef EAI_NODATA
      case EAI_NODATA: fejl = WSANO_DATA; break;
#endif
#ifdef EAI_ADDRFAMILY
      case EAI_ADDRFAMILY: fejl = WSANO_DATA; break;
#endif
      case EAI_MEMORY: fejl = WSAENOBUFS; break;
      default: fejl = WSANO_RECOVERY; break;
    }
    if (svar) freeaddrinfo(svar);
    WSASetLastError(fejl);
    return nullptr;
  }
  v.adresse = reinterpret_cast<const sockaddr_in *>(svar->ai_addr)->sin_addr;
  freeaddrinfo(svar);
  snprintf(v.navn, sizeof v.navn, "%s", name);
  v.adresser[0] = reinterpret_cast<char *>(&v.adresse);
  v.adresser[1] = nullptr;
  v.aliaser[0] = nullptr;
  v.h.h_name = v.navn;
  v.h.h_aliases = v.aliaser;
  v.h.h_addrtype = AF_INET;
  v.h.h_length = sizeof v.adresse;
  v.h.h_addr_list = v.adresser;
  return &v.h;
}

struct servent *tavo_getservbyname(const char *name, const char *proto) {
  if (!ErStartet()) {
    WSASetLastError(WSANOTINITIALISED);
    return nullptr;
  }
  if (!name) {
    WSASetLastError(WSAEFAULT);
    return nullptr;
  }
  struct Tjeneste {
    servent s;
    char navn[64];
    char proto[16];
    char *aliaser[1];
    char buf[1024];
  };
  static thread_local Tjeneste t;
  t.aliaser[0] = nullptr;

  // The override: "name/proto=port" entries.
  if (const char *liste = getenv("TAVO_SERVICES")) {
    std::string_view rest(liste);
    while (!rest.empty()) {
      const size_t slut = rest.find_first_of(" \t,;");
      std::string_view post = rest.substr(0, slut);
      rest = slut == std::string_view::npos ? std::string_view() : rest.substr(slut + 1);
      const size_t skraa = post.find('/');
      const size_t lig = post.find('=');
      if (skraa == std::string_view::npos || lig == std::string_view::npos || lig < skraa) continue;
      const std::string_view pNavn = post.substr(0, skraa);
      const std::string_view pProto = post.substr(skraa + 1, lig - skraa - 1);
      const std::string_view pPort = post.substr(lig + 1);
      if (pNavn != name || (proto && pProto != proto)) continue;
      if (pNavn.size() >= sizeof t.navn || pProto.size() >= sizeof t.proto) continue;
      unsigned long port = 0;
      bool ok = !pPort.empty() && pPort.size() <= 5;
      for (char c : pPort) {
        if (c < '0' || c > '9') ok = false;
        else port = port * 10 + (c - '0');
      }
      if (!ok || port == 0 || port > 65535) continue;
      memcpy(t.navn, pNavn.data(), pNavn.size());
      t.navn[pNavn.size()] = 0;
      memcpy(t.proto, pProto.data(), pProto.size());
      t.proto[pProto.size()] = 0;
      t.s.s_name = t.navn;
      t.s.s_aliases = t.aliaser;
      t.s.s_port = htons(static_cast<uint16_t>(port));
      t.s.s_proto = t.proto;
      return &t.s;
    }
  }

  servent *fundet = nullptr;
  if (getservbyname_r(name, proto, &t.s, t.buf, sizeof t.buf, &fundet) != 0 || !fundet) {
    WSASetLastError(WSANO_DATA);
    return nullptr;
  }
  return &t.s;
}

// ---- Sockets ----------------------------------------------------------------

SOCKET tavo_socket(int af, int type, int protocol) {
  if (!ErStartet()) {
    WSASetLastError(WSANOTINITIALISED);
    return INVALID_SOCKET;
  }
  if (BestiltFejl("socket")) return INVALID_SOCKET;
  if (af != AF_INET) {
    WSASetLastError(WSAEAFNOSUPPORT);
    return INVALID_SOCKET;
  }
  if (type != SOCK_STREAM && type != SOCK_DGRAM) {
    WSASetLastError(WSAESOCKTNOSUPPORT);
    return INVALID_SOCKET;
  }
  const int fd = ::socket(af, type | SOCK_CLOEXEC, protocol);
  if (fd < 0) {
    WSASetLastError(FraErrno(errno));
    return INVALID_SOCKET;
  }
  std::lock_guard<std::mutex> g(gLaas);
  gSockets.insert(fd);
  return static_cast<SOCKET>(fd);
}

int tavo_connect(SOCKET s, const struct sockaddr *name, int namelen) {
  const int fd = Fd(s);
  if (fd < 0) return SOCKET_ERROR;
  if (BestiltFejl("connect")) return SOCKET_ERROR;
  if (!name || namelen < static_cast<int>(sizeof(sockaddr_in))) return Fejl(WSAEFAULT);
  if (name->sa_family != AF_INET) return Fejl(WSAEAFNOSUPPORT);
  sockaddr_in adresse;
  memcpy(&adresse, name, sizeof adresse);
  tavo::test::ConnectKrog krog;
  {
    std::lock_guard<std::mutex> g(gLaas);
    krog = gConnectKrog;
  }
  if (krog) krog(s, &adresse);
  if (::connect(fd, reinterpret_cast<const sockaddr *>(&adresse), sizeof adresse) == 0) return 0;
  if (errno == EINTR) {
    const int fejl = VentPaaConnect(fd);
    return fejl ? Fejl(fejl) : 0;
  }
  return Fejl(FraErrno(errno));
}

int tavo_getpeername(SOCKET s, struct sockaddr *name, int *namelen) {
  const int fd = Fd(s);
  if (fd < 0) return SOCKET_ERROR;
  if (!name || !namelen || *namelen < static_cast<int>(sizeof(sockaddr_in))) return Fejl(WSAEFAULT);
  sockaddr_in adresse{};
  socklen_t l = sizeof adresse;
  if (::getpeername(fd, reinterpret_cast<sockaddr *>(&adresse), &l) != 0) return Fejl(FraErrno(errno));
  memcpy(name, &adresse, sizeof adresse);
  *namelen = static_cast<int>(sizeof adresse);
  return 0;
}

int tavo_send(SOCKET s, const char *buf, int len, int flags) {
  const int fd = Fd(s);
  if (fd < 0) return SOCKET_ERROR;
  if (BestiltFejl("send")) return SOCKET_ERROR;
  if (len < 0 || (!buf && len > 0)) return Fejl(WSAEFAULT);
  int sendt = 0;
  while (sendt < len) {
    const ssize_t n = ::send(fd, buf + sendt, static_cast<size_t>(len - sendt),
                             (flags & MSG_OOB) | MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      // Bytes already handed over count; the failure shows on the next call.
      if (sendt > 0) return sendt;
      return Fejl(FraErrno(errno));
    }
    sendt += static_cast<int>(n);
  }
  return sendt;
}

int tavo_recv(SOCKET s, char *buf, int len, int flags) {
  const int fd = Fd(s);
  if (fd < 0) return SOCKET_ERROR;
  if (BestiltFejl("recv")) return SOCKET_ERROR;
  if (len < 0 || (!buf && len > 0)) return Fejl(WSAEFAULT);
  for (;;) {
    const ssize_t n = ::recv(fd, buf, static_cast<size_t>(len), flags & (MSG_OOB | MSG_PEEK));
    if (n >= 0) return static_cast<int>(n);
    if (errno != EINTR) return Fejl(FraErrno(errno));
  }
}

int closesocket(SOCKET s) {
  int fd;
  {
    std::lock_guard<std::mutex> g(gLaas);
    if (gStartTal == 0) return Fejl(WSANOTINITIALISED);
    if (s > static_cast<SOCKET>(INT32_MAX) || !gSockets.erase(static_cast<int>(s)))
      return Fejl(WSAENOTSOCK);
    fd = static_cast<int>(s);
  }
  close(fd);
  return 0;
}

int tavo_shutdown(SOCKET s, int how) {
  const int fd = Fd(s);
  if (fd < 0) return SOCKET_ERROR;
  int h;
  switch (how) {
    case SD_RECEIVE: h = SHUT_RD; break;
    case SD_SEND: h = SHUT_WR; break;
    case SD_BOTH: h = SHUT_RDWR; break;
    default: return Fejl(WSAEINVAL);
  }
  if (::shutdown(fd, h) != 0) return Fejl(FraErrno(errno));
  return 0;
}

int tavo_setsockopt(SOCKET s, int level, int optname, const char *optval, int optlen) {
  const int fd = Fd(s);
  if (fd < 0) return SOCKET_ERROR;
  if (level != SOL_SOCKET || (optname != SO_RCVTIMEO && optname != SO_SNDTIMEO))
    return Fejl(WSAENOPROTOOPT);
  if (!optval || optlen < static_cast<int>(sizeof(DWORD))) return Fejl(WSAEFAULT);
  DWORD ms;
  memcpy(&ms, optval, sizeof ms);
  timeval tv;
  tv.tv_sec = ms / 1000;
  tv.tv_usec = (ms % 1000) * 1000;
  if (::setsockopt(fd, SOL_SOCKET, optname, &tv, sizeof tv) != 0) return Fejl(FraErrno(errno));
  return 0;
}

// ---- Test hooks ---------------------------------------------------------------

namespace tavo::test {

void SaetConnectKrog(ConnectKrog krog) {
  std::lock_guard<std::mutex> g(gLaas);
  gConnectKrog = krog;
}

void NetFejlNaeste(const char *funktion, int fejl) {
  std::lock_guard<std::mutex> g(gLaas);
  gFejlFunktion = funktion ? funktion : "";
  gFejlNummer = fejl;
}

int AabneSockets() {
  std::lock_guard<std::mutex> g(gLaas);
  return static_cast<int>(gSockets.size());
}

int WinsockStartTal() {
  std::lock_guard<std::mutex> g(gLaas);
  return gStartTal;
}

}  // namespace tavo::test
