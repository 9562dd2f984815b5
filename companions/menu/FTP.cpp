// The FTP client of the support upload. A server that goes silent, cuts the
// connection or answers wrongly ends the upload as a failure within the
// time-out; nothing it sends can overrun a buffer or send the data
// connection elsewhere than to the server itself.

#include "FTP.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

#include "MENUHJAELP.h"

DWORD g_FtpTidsgraense = 120000;

namespace {

// A line longer than this is no FTP reply; a server that streams one is
// given up on instead of being read forever.
constexpr long kStoersteLinje = 64 * 1024;
// As many lines as a multi-line reply may have.
constexpr int kStoersteSvar = 1000;
constexpr int kFtpPort = 21;

void SaetTidsgraense(SOCKET s) {
  const DWORD ms = g_FtpTidsgraense;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&ms), sizeof ms);
  setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char *>(&ms), sizeof ms);
}

void Ekko(const char *retning, const char *tekst) {
  if (std::strncmp(tekst, "PASS ", 5) == 0) tekst = "PASS ****";
  std::fprintf(stderr, "%s %s\n", retning, tekst);
}

// Sends the command line without reading its reply: false when the text
// holds a line break (it would be a second command) or a send fails.
bool SendKommando(SOCKET s, const char *tekst) {
  if (std::strpbrk(tekst, "\r\n")) return false;
  Ekko(">", tekst);
  return SockSendString(s, tekst) >= 0 && SockSendString(s, "\r\n") >= 0;
}

struct LukFil {
  void operator()(FILE *f) const { fclose(f); }
};

struct LukSocket {
  SOCKET s;
  ~LukSocket() {
    if (s != INVALID_SOCKET) closesocket(s);
  }
};

}  // namespace

bool FtpLinjeSamler::Tag(char c) {
  if (c == '\n') return true;
  ++laest;
  if (c != '\r' && beholdt < stoerrelse - 1) buf[beholdt++] = c;
  if (stoerrelse > 0) buf[beholdt] = '\0';
  return false;
}

void FtpLinjeSamler::Nulstil() {
  beholdt = 0;
  laest = 0;
  if (stoerrelse > 0) buf[0] = '\0';
}

int SockSendAll(SOCKET s, const char *buf, int antal) {
  int sendt = 0;
  while (sendt < antal) {
    const int n = send(s, buf + sendt, antal - sendt, 0);
    if (n > 0) {
      sendt += n;
    } else if (n == SOCKET_ERROR && WSAGetLastError() == WSAEINTR) {
      continue;
    } else {
      return -1;
    }
  }
  return antal;
}

int SockSendString(SOCKET s, const char *tekst) {
  return SockSendAll(s, tekst, static_cast<int>(std::strlen(tekst)));
}

int SockRecvLine(SOCKET s, char *buf, int stoerrelse) {
  FtpLinjeSamler samler{buf, stoerrelse};
  samler.Nulstil();
  bool noget = false;
  for (;;) {
    char c;
    const int n = recv(s, &c, 1, 0);
    if (n == SOCKET_ERROR && WSAGetLastError() == WSAEINTR) continue;
    if (n != 1) return noget ? samler.beholdt : -1;
    noget = true;
    if (samler.Tag(c)) return samler.beholdt;
    if (samler.laest > kStoersteLinje) return -1;
  }
}

bool FtpSvarSlutter(const char *linje, int *aaben, int *nummer) {
  const auto ciffer = [&](int i) { return std::isdigit(static_cast<unsigned char>(linje[i])) != 0; };
  if (!ciffer(0) || !ciffer(1) || !ciffer(2)) return false;
  const int tal = (linje[0] - '0') * 100 + (linje[1] - '0') * 10 + (linje[2] - '0');
  if (*aaben == 0) {
    if (linje[3] == '-') {
      *aaben = tal;
      return false;
    }
  } else if (tal != *aaben) {
    return false;
  }
  if (linje[3] != ' ' && !(linje[3] == '\0' && *aaben == 0)) return false;
  *nummer = tal;
  return true;
}

bool FtpPasvTal(const char *linje, sockaddr_in *adresse) {
  const char *p = std::strchr(linje, '(');
  if (!p) return false;
  int t[6];
  if (std::sscanf(p + 1, "%d,%d,%d,%d,%d,%d", &t[0], &t[1], &t[2], &t[3], &t[4], &t[5]) != 6) return false;
  for (const int v : t)
    if (v < 0 || v > 255) return false;
  std::memset(adresse, 0, sizeof *adresse);
  adresse->sin_family = AF_INET;
  adresse->sin_addr.s_addr = htonl((static_cast<uint32_t>(t[0]) << 24) | (static_cast<uint32_t>(t[1]) << 16) |
                                   (static_cast<uint32_t>(t[2]) << 8) | static_cast<uint32_t>(t[3]));
  adresse->sin_port = htons(static_cast<uint16_t>(t[4] * 256 + t[5]));
  return true;
}

int FtpReadReply(SOCKET s, char *sidsteLinje) {
  char egen[kFtpLinje];
  char *linje = sidsteLinje ? sidsteLinje : egen;
  int aaben = 0;
  for (int i = 0; i < kStoersteSvar; ++i) {
    if (SockRecvLine(s, linje, kFtpLinje) < 0) return 0;
    Ekko("<", linje);
    int nummer = 0;
    if (FtpSvarSlutter(linje, &aaben, &nummer)) return nummer;
  }
  return 0;
}

int FtpCommand(SOCKET s, const char *tekst) {
  if (!SendKommando(s, tekst)) return -1;
  return FtpReadReply(s);
}

int FtpSetType(SOCKET s, int art) {
  if (art == 0) return FtpCommand(s, "TYPE I");
  if (art == 1) return FtpCommand(s, "TYPE A");
  return -1;
}

int FtpPasv(SOCKET s, sockaddr_in *adresse) {
  if (!SendKommando(s, "PASV")) return -1;
  char linje[kFtpLinje];
  if (FtpReadReply(s, linje) != 227) return -1;
  return FtpPasvTal(linje, adresse) ? 0 : -1;
}

SOCKET FtpLogin(const char *vaert, const char *bruger, const char *kode) {
  const hostent *h = gethostbyname(vaert);
  if (!h || h->h_addrtype != AF_INET || !h->h_addr_list[0]) return INVALID_SOCKET;
  sockaddr_in adresse{};
  adresse.sin_family = AF_INET;
  std::memcpy(&adresse.sin_addr, h->h_addr_list[0], sizeof adresse.sin_addr);
  const servent *tjeneste = getservbyname("ftp", "tcp");
  adresse.sin_port = tjeneste ? static_cast<uint16_t>(tjeneste->s_port) : htons(kFtpPort);

  LukSocket s{socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)};
  if (s.s == INVALID_SOCKET) return INVALID_SOCKET;
  SaetTidsgraense(s.s);
  if (connect(s.s, reinterpret_cast<const sockaddr *>(&adresse), sizeof adresse) != 0) {
    const int fejl = WSAGetLastError();
    char tekst[256];
    std::fprintf(stderr, "connect: %s (%d)\n", SystemErrorText(tekst, sizeof tekst), fejl);
    return INVALID_SOCKET;
  }
  if (FtpReadReply(s.s) != 220) return INVALID_SOCKET;
  char linje[kFtpLinje];
  std::snprintf(linje, sizeof linje, "USER %s", bruger);
  int svar = FtpCommand(s.s, linje);
  if (svar == 331) {
    std::snprintf(linje, sizeof linje, "PASS %s", kode);
    svar = FtpCommand(s.s, linje);
  }
  if (svar != 230) return INVALID_SOCKET;
  const SOCKET klar = s.s;
  s.s = INVALID_SOCKET;
  return klar;
}

int FtpStor(HWND bjaelke, SOCKET s, const char *fil, const char *fjernNavn) {
  const uint32_t deler = FtpBjaelkeDeler(static_cast<uint64_t>(FilStoerrelse(fil)) + 1024);
  uint64_t rest = 0;
  FtpBjaelkeFrem(bjaelke, deler, &rest, 512);
  std::unique_ptr<FILE, LukFil> f(fopen(fil, "rb"));
  if (!f) return -1;
  sockaddr_in pasv;
  if (FtpPasv(s, &pasv) != 0) return -1;
  // The server's own address, not the one its reply names: a reply (or
  // anything on the way) must not send the archive to another host.
  sockaddr_in maal{};
  int laengde = sizeof maal;
  if (getpeername(s, reinterpret_cast<sockaddr *>(&maal), &laengde) != 0) return -1;
  maal.sin_port = pasv.sin_port;

  LukSocket data{socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)};
  if (data.s == INVALID_SOCKET) return -1;
  SaetTidsgraense(data.s);
  char linje[kFtpLinje];
  std::snprintf(linje, sizeof linje, "STOR %s", fjernNavn);
  if (!SendKommando(s, linje)) return -1;
  const bool forbundet = connect(data.s, reinterpret_cast<const sockaddr *>(&maal), sizeof maal) == 0;
  const int start = FtpReadReply(s);
  if (start != 150 && start != 125) return -1;
  if (!forbundet) return -1;

  char blok[512];
  for (;;) {
    const size_t n = fread(blok, 1, sizeof blok, f.get());
    if (n > 0) {
      if (SockSendAll(data.s, blok, static_cast<int>(n)) < 0) return -1;
      FtpBjaelkeFrem(bjaelke, deler, &rest, n);
    }
    if (n < sizeof blok) break;
  }
  if (ferror(f.get())) return -1;
  // The end of the data connection is the end of the file for the server.
  closesocket(data.s);
  data.s = INVALID_SOCKET;
  return FtpReadReply(s) == 226 ? 0 : -1;
}

void FtpQuit(SOCKET s) {
  FtpCommand(s, "QUIT");
  closesocket(s);
}

uint32_t FtpBjaelkeDeler(uint64_t bytes) { return static_cast<uint32_t>(bytes / 65535 + 1); }

void FtpBjaelkeFrem(HWND bjaelke, uint32_t deler, uint64_t *rest, uint64_t bytes) {
  *rest += bytes;
  const uint64_t enheder = *rest / deler;
  *rest %= deler;
  if (enheder > 0) SendMessageA(bjaelke, PBM_DELTAPOS, static_cast<WPARAM>(enheder), 0);
}
