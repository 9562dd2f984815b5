// Windows sockets against plain Linux listeners on loopback: the start
// count, the look-ups, blocking transfers, time-outs, waking a blocked
// receive, and the refusal of numbers that are not open sockets.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "lytter.h"
#include "tavo/test_net.h"
#include "win/kernel.h"
#include "win/net.h"

namespace {

using Ur = std::chrono::steady_clock;

// Every test starts and ends with Windows sockets unused.
class Winsock : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(tavo::test::WinsockStartTal(), 0);
    unsetenv("TAVO_SERVICES");
  }
  void TearDown() override {
    tavo::test::SaetConnectKrog(nullptr);
    tavo::test::NetFejlNaeste("", 0);
    while (tavo::test::WinsockStartTal() > 0) WSACleanup();
    unsetenv("TAVO_SERVICES");
  }

  static void Start() {
    WSADATA d;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &d), 0);
  }

  // A connected socket to a fresh listener on the address; the far end in
  // *fjern.
  static SOCKET Forbind(const char *adresse, int *fjern, int *lytter = nullptr) {
    int port = 0;
    const int l = nettest::Lyt(adresse, 0, &port);
    EXPECT_GE(l, 0);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_NE(s, INVALID_SOCKET);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = inet_addr(adresse);
    EXPECT_EQ(connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
    *fjern = nettest::Tag(l, 2000);
    EXPECT_GE(*fjern, 0);
    if (lytter) *lytter = l;
    else nettest::Luk(l);
    return s;
  }

  static void SaetTidsfrist(SOCKET s, int navn, DWORD ms) {
    ASSERT_EQ(setsockopt(s, SOL_SOCKET, navn, reinterpret_cast<const char *>(&ms), sizeof ms), 0);
  }
};

TEST_F(Winsock, StartIsCountedAndGuardsEveryCall) {
  // Before any start nothing but inet_addr works.
  EXPECT_EQ(socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
  EXPECT_EQ(gethostbyname("localhost"), nullptr);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
  EXPECT_EQ(inet_addr("127.0.0.1"), htonl(0x7F000001));

  WSADATA d;
  EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &d), WSAVERNOTSUPPORTED);
  EXPECT_EQ(tavo::test::WinsockStartTal(), 0);
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &d), 0);
  EXPECT_EQ(d.wVersion, MAKEWORD(1, 1));
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &d), 0);
  EXPECT_EQ(tavo::test::WinsockStartTal(), 2);

  // The first cleanup leaves the socket open; the last one closes it.
  int fjern;
  SOCKET s = Forbind("127.0.0.1", &fjern);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(tavo::test::AabneSockets(), 1);
  EXPECT_EQ(send(s, "ab", 2, 0), 2);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(tavo::test::AabneSockets(), 0);
  EXPECT_EQ(nettest::Laes(fjern, 10, 2000), "ab");  // then the end of the connection
  nettest::Luk(fjern);
}

TEST_F(Winsock, InetAddrTakesTheDottedForms) {
  struct Tilfaelde {
    const char *tekst;
    uint32_t vaert;  // host order; INADDR_NONE for a refusal
  };
  const Tilfaelde tabel[] = {
      {"127.0.0.1", 0x7F000001},   {"10.1.2.3", 0x0A010203},      {"0.0.0.0", 0},
      {"127.1", 0x7F000001},       {"10.1.515", 0x0A010203},      {"2130706433", 0x7F000001},
      {"0x7f.0.0.1", 0x7F000001},  {"0177.0.0.01", 0x7F000001},   {"255.255.255.254", 0xFFFFFFFE},
      {"", INADDR_NONE},           {"256.0.0.1", INADDR_NONE},    {"1.2.3.4.5", INADDR_NONE},
      {"1.2.3.", INADDR_NONE},     {".1.2.3", INADDR_NONE},       {"1..2.3", INADDR_NONE},
      {"1.2.3.4 ", INADDR_NONE},   {"08.1.1.1", INADDR_NONE},     {"1.2.65536", INADDR_NONE},
      {"4294967296", INADDR_NONE}, {"server.skole.dk", INADDR_NONE}, {"0x", INADDR_NONE},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.tekst);
    EXPECT_EQ(inet_addr(t.tekst), t.vaert == INADDR_NONE ? INADDR_NONE : htonl(t.vaert));
  }
  EXPECT_EQ(inet_addr(nullptr), INADDR_NONE);
}

TEST_F(Winsock, HostNamesGiveTheirFirstIPv4Address) {
  Start();
  hostent *h = gethostbyname("localhost");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->h_addrtype, AF_INET);
  EXPECT_EQ(h->h_length, 4);
  in_addr a;
  memcpy(&a, h->h_addr_list[0], sizeof a);
  EXPECT_EQ(ntohl(a.s_addr) >> 24, 127u);

  h = gethostbyname("127.0.0.2");
  ASSERT_NE(h, nullptr);
  memcpy(&a, h->h_addr_list[0], sizeof a);
  EXPECT_EQ(a.s_addr, inet_addr("127.0.0.2"));
  EXPECT_EQ(h->h_addr_list[1], nullptr);

  EXPECT_EQ(gethostbyname("ingen-vaert.invalid"), nullptr);
  EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);

  tavo::test::NetFejlNaeste("gethostbyname", WSATRY_AGAIN);
  EXPECT_EQ(gethostbyname("localhost"), nullptr);
  EXPECT_EQ(WSAGetLastError(), WSATRY_AGAIN);
  EXPECT_NE(gethostbyname("localhost"), nullptr);  // the failure was for one call
}

TEST_F(Winsock, ServicesComeFromTheOverrideBeforeTheSystemTable) {
  Start();
  EXPECT_EQ(getservbyname("tavo", "tcp"), nullptr);
  EXPECT_EQ(WSAGetLastError(), WSANO_DATA);

  setenv("TAVO_SERVICES", "ftp/tcp=2121, tavo/udp=7 tavo/tcp=40123;skrald, x/tcp=99999", 1);
  struct Tilfaelde {
    const char *navn;
    const char *proto;
    int port;  // 0: none
  };
  const Tilfaelde tabel[] = {
      {"tavo", "tcp", 40123}, {"tavo", "udp", 7}, {"tavo", nullptr, 7},
      {"ftp", "tcp", 2121},   {"TAVO", "tcp", 0}, {"x", "tcp", 0},
      {"skrald", nullptr, 0},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(std::string(t.navn) + "/" + (t.proto ? t.proto : "*"));
    servent *s = getservbyname(t.navn, t.proto);
    if (!t.port) {
      EXPECT_EQ(s, nullptr);
      continue;
    }
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ntohs(static_cast<uint16_t>(s->s_port)), t.port);
    EXPECT_STREQ(s->s_name, t.navn);
  }

  // Without the override the system's table answers, where it has the entry.
  unsetenv("TAVO_SERVICES");
  if (access("/etc/services", R_OK) == 0) {
    servent *s = getservbyname("ftp", "tcp");
    if (s) {
      EXPECT_EQ(ntohs(static_cast<uint16_t>(s->s_port)), 21);
    }
  }
}

TEST_F(Winsock, BytesTravelBothWaysAndEndsAreSeen) {
  Start();
  int fjern;
  SOCKET s = Forbind("127.0.0.1", &fjern);
  EXPECT_NE(fcntl(static_cast<int>(s), F_GETFD) & FD_CLOEXEC, 0) << "a started program would inherit it";

  std::string stort(200000, 'x');
  for (size_t i = 0; i < stort.size(); ++i) stort[i] = static_cast<char>(i * 7);
  std::thread laeser([&] { EXPECT_EQ(nettest::Laes(fjern, stort.size(), 5000), stort); });
  EXPECT_EQ(send(s, stort.data(), static_cast<int>(stort.size()), 0), static_cast<int>(stort.size()));
  laeser.join();

  ASSERT_TRUE(nettest::SkrivAlt(fjern, "svar\r\n"));
  char buf[16] = {};
  EXPECT_EQ(recv(s, buf, 2, MSG_PEEK), 2);
  std::string modtaget;
  while (modtaget.size() < 6) {
    const int n = recv(s, buf, sizeof buf, 0);
    ASSERT_GT(n, 0);
    modtaget.append(buf, n);
  }
  EXPECT_EQ(modtaget, "svar\r\n");

  // The far end goes: a receive sees the end, a send fails without a signal.
  nettest::Luk(fjern);
  EXPECT_EQ(recv(s, buf, sizeof buf, 0), 0);
  int resultat = 0;
  for (int i = 0; i < 100 && resultat != SOCKET_ERROR; ++i) resultat = send(s, "x", 1, 0);
  EXPECT_EQ(resultat, SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
  EXPECT_EQ(closesocket(s), 0);
}

TEST_F(Winsock, FailuresCarryTheirWindowsNumbers) {
  Start();
  // A port nobody listens on: take a free one and close it again.
  int port = 0;
  nettest::Luk(nettest::Lyt("127.0.0.1", 0, &port));
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = inet_addr("127.0.0.1");
  EXPECT_EQ(connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);
  EXPECT_EQ(connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a - 1), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
  EXPECT_EQ(closesocket(s), 0);

  // Numbers that are not open sockets: closed, never given, another file.
  const int fil = open("/dev/null", O_RDONLY | O_CLOEXEC);
  for (SOCKET x : {s, static_cast<SOCKET>(fil), INVALID_SOCKET}) {
    SCOPED_TRACE(x);
    char c;
    EXPECT_EQ(send(x, "a", 1, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(recv(x, &c, 1, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(closesocket(x), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
  }
  EXPECT_NE(fcntl(fil, F_GETFD), -1) << "the file must stay open";
  close(fil);

  EXPECT_EQ(socket(AF_INET6, SOCK_STREAM, 0), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);
  tavo::test::NetFejlNaeste("socket", WSAEMFILE);
  EXPECT_EQ(socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAEMFILE);
  char tekst[200];
  ASSERT_GT(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_MAX_WIDTH_MASK, NULL,
                          WSAEMFILE, 0, tekst, sizeof tekst, NULL), 0u);

  int fjern;
  s = Forbind("127.0.0.1", &fjern);
  DWORD ms = 100;
  EXPECT_EQ(setsockopt(s, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char *>(&ms), sizeof ms),
            SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOPROTOOPT);
  EXPECT_EQ(shutdown(s, 7), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
  nettest::Luk(fjern);
}

TEST_F(Winsock, AReceiveTimeOutEndsTheWait) {
  Start();
  int fjern;
  SOCKET s = Forbind("127.0.0.1", &fjern);
  SaetTidsfrist(s, SO_RCVTIMEO, 150);
  char c;
  const auto t0 = Ur::now();
  EXPECT_EQ(recv(s, &c, 1, 0), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAETIMEDOUT);
  const auto ventet = Ur::now() - t0;
  EXPECT_GE(ventet, std::chrono::milliseconds(100));
  EXPECT_LT(ventet, std::chrono::seconds(5));

  // With no time-out the receive waits for what comes.
  SaetTidsfrist(s, SO_RCVTIMEO, 0);
  std::thread skriver([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    nettest::SkrivAlt(fjern, "z");
  });
  EXPECT_EQ(recv(s, &c, 1, 0), 1);
  EXPECT_EQ(c, 'z');
  skriver.join();
  nettest::Luk(fjern);
}

TEST_F(Winsock, ShutdownWakesAReceiveOnAnotherThread) {
  Start();
  int fjern;
  SOCKET s = Forbind("127.0.0.1", &fjern);
  int resultat = -2;
  std::thread venter([&] {
    char c;
    resultat = recv(s, &c, 1, 0);
  });
  // The receive is waiting (no byte will come); shutting down ends it.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(shutdown(s, SD_BOTH), 0);
  venter.join();
  EXPECT_EQ(resultat, 0);
  EXPECT_EQ(send(s, "x", 1, 0), SOCKET_ERROR);
  EXPECT_EQ(closesocket(s), 0);
  nettest::Luk(fjern);
}

sockaddr_in gSet;
int gOmdirigerTil = 0;
void NoterOgOmdiriger(SOCKET, sockaddr_in *a) {
  gSet = *a;
  if (gOmdirigerTil) a->sin_port = htons(static_cast<uint16_t>(gOmdirigerTil));
}

TEST_F(Winsock, TheWholeLoopbackRangeAndTheConnectHook) {
  Start();
  // Two listeners on one port, told apart by their address.
  int port = 0;
  const int l1 = nettest::Lyt("127.0.0.1", 0, &port);
  ASSERT_GE(l1, 0);
  const int l2 = nettest::Lyt("127.0.0.2", port, nullptr);
  ASSERT_GE(l2, 0) << "127.0.0.2 must be usable beside 127.0.0.1";

  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(960);
  a.sin_addr.s_addr = inet_addr("127.0.0.2");
  tavo::test::SaetConnectKrog(NoterOgOmdiriger);
  gOmdirigerTil = port;
  ASSERT_EQ(connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
  EXPECT_EQ(ntohs(gSet.sin_port), 960);
  EXPECT_EQ(gSet.sin_addr.s_addr, inet_addr("127.0.0.2"));
  EXPECT_EQ(nettest::Tag(l1, 0), -1);
  const int fjern = nettest::Tag(l2, 2000);
  EXPECT_GE(fjern, 0);
  // The peer is where the connection went, after the hook's change.
  sockaddr_in peer{};
  int laengde = sizeof peer;
  ASSERT_EQ(getpeername(s, reinterpret_cast<sockaddr *>(&peer), &laengde), 0);
  EXPECT_EQ(peer.sin_addr.s_addr, inet_addr("127.0.0.2"));
  EXPECT_EQ(ntohs(peer.sin_port), port);
  laengde = 4;
  EXPECT_EQ(getpeername(s, reinterpret_cast<sockaddr *>(&peer), &laengde), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
  SOCKET ufor = socket(AF_INET, SOCK_STREAM, 0);
  laengde = sizeof peer;
  EXPECT_EQ(getpeername(ufor, reinterpret_cast<sockaddr *>(&peer), &laengde), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTCONN);
  closesocket(ufor);
  nettest::Luk(fjern);
  nettest::Luk(l1);
  nettest::Luk(l2);
  closesocket(s);
}

}  // namespace
