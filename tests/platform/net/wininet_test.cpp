// The internet calls against the web-server stand-in over HTTPS.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "webserver_proces.h"
#include "win/wininet.h"

namespace {

class WinInet : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Start());
    tavo::SaetInternetCertifikater(webtest::Certifikat().c_str());
    // Short for the silent stand-in, long enough for a TLS handshake on a
    // loaded machine.
    tavo::SaetInternetTimeout(4000);
    session = InternetOpenA("WinInet", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    ASSERT_NE(session, nullptr);
  }
  void TearDown() override {
    if (session) InternetCloseHandle(session);
    tavo::SaetInternetCertifikater(nullptr);
    tavo::SaetInternetTimeout(0);
  }

  HINTERNET Aabn(const std::string &sti) {
    return InternetOpenUrlA(session, (server.Adresse() + sti).c_str(), nullptr, 0,
                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_SECURE |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH,
                            0);
  }

  // Reads in the pieces the calls offer; false when a read failed.
  static bool LaesAlt(HINTERNET h, std::string *ud, DWORD *fejl) {
    for (;;) {
      DWORD n = 0;
      if (!InternetQueryDataAvailable(h, &n, 0, 0)) {
        *fejl = GetLastError();
        return false;
      }
      std::vector<char> buf(n + 1);
      DWORD laest = 0;
      if (!InternetReadFile(h, buf.data(), n, &laest)) {
        *fejl = GetLastError();
        return false;
      }
      if (laest == 0) return true;
      ud->append(buf.data(), laest);
    }
  }

  webtest::WebServer server;
  HINTERNET session = nullptr;
};

TEST_F(WinInet, GetGivesTheStatusAsTextAndTheReplyInPieces) {
  std::string stor(100000, '\0');
  for (size_t i = 0; i < stor.size(); ++i) stor[i] = static_cast<char>('a' + i % 26);
  server.Script("answer /stor.txt 200 " + stor + "\nanswer /mangler 404 nej\n");

  HINTERNET h = Aabn("/stor.txt?x=1");
  ASSERT_NE(h, nullptr) << GetLastError();
  char status[8];
  DWORD l = sizeof status;
  ASSERT_TRUE(HttpQueryInfoA(h, HTTP_QUERY_STATUS_CODE, status, &l, nullptr));
  EXPECT_STREQ(status, "200");
  EXPECT_EQ(l, 3u);
  DWORD forsteStykke = 0;
  ASSERT_TRUE(InternetQueryDataAvailable(h, &forsteStykke, 0, 0));
  EXPECT_GT(forsteStykke, 0u);
  EXPECT_LT(forsteStykke, stor.size());
  std::string svar;
  DWORD fejl = 0;
  EXPECT_TRUE(LaesAlt(h, &svar, &fejl));
  EXPECT_EQ(svar, stor);
  EXPECT_TRUE(InternetCloseHandle(h));
  EXPECT_FALSE(InternetCloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  // Another status opens all the same; as a number, and too small a buffer.
  h = Aabn("/mangler");
  ASSERT_NE(h, nullptr);
  DWORD tal = 0;
  l = sizeof tal;
  ASSERT_TRUE(HttpQueryInfoA(h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &tal, &l, nullptr));
  EXPECT_EQ(tal, 404u);
  char lille[3];
  l = sizeof lille;
  EXPECT_FALSE(HttpQueryInfoA(h, HTTP_QUERY_STATUS_CODE, lille, &l, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(l, 4u);
  InternetCloseHandle(h);

  ASSERT_GE(server.Log().size(), 2u);
  EXPECT_EQ(server.Log()[0], "1\tGET /stor.txt?x=1\t0");
  EXPECT_NE(server.Hoved(1).find("User-Agent: WinInet"), std::string::npos);
  EXPECT_EQ(server.Hoved(1).find("Cookie"), std::string::npos);
}

TEST_F(WinInet, PostWithAddedHeadersArrivesByteForByte) {
  server.Script("answer /upload 200 modtaget\n");
  std::string krop(1 << 20, '\0');
  for (size_t i = 0; i < krop.size(); ++i) krop[i] = static_cast<char>((i * 7919) >> 3);

  HINTERNET forb = InternetConnectA(session, "127.0.0.1", static_cast<INTERNET_PORT>(server.Port()), nullptr,
                                    nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  ASSERT_NE(forb, nullptr);
  HINTERNET req = HttpOpenRequestA(forb, "POST", "upload", nullptr, nullptr, nullptr,
                                   INTERNET_FLAG_SECURE | INTERNET_FLAG_KEEP_CONNECTION, 0);
  ASSERT_NE(req, nullptr);
  const char *hoveder = "Content-Type: multipart/form-data; boundary=xyz\r\nX-Tavo: 1\r\n";
  ASSERT_TRUE(HttpAddRequestHeadersA(req, hoveder, static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD));
  ASSERT_TRUE(HttpSendRequestA(req, nullptr, 0, krop.data(), static_cast<DWORD>(krop.size()))) << GetLastError();
  char status[8];
  DWORD l = sizeof status;
  ASSERT_TRUE(HttpQueryInfoA(req, HTTP_QUERY_STATUS_CODE, status, &l, nullptr));
  EXPECT_STREQ(status, "200");
  std::string svar;
  DWORD fejl = 0;
  EXPECT_TRUE(LaesAlt(req, &svar, &fejl));
  EXPECT_EQ(svar, "modtaget");
  // Closing the connection closes its request.
  EXPECT_TRUE(InternetCloseHandle(forb));
  EXPECT_FALSE(InternetCloseHandle(req));

  EXPECT_EQ(server.Krop(1), krop);
  const std::string hoved = server.Hoved(1);
  EXPECT_NE(hoved.find("POST /upload HTTP"), std::string::npos);
  EXPECT_NE(hoved.find("Content-Type: multipart/form-data; boundary=xyz"), std::string::npos);
  EXPECT_NE(hoved.find("X-Tavo: 1"), std::string::npos);
}

TEST_F(WinInet, FailuresOfTheOpenAndOfTheRead) {
  server.Script("cut /kort 100\nclose /luk\nsilent /tavs\nwrong /forkert\n");
  struct Tilfaelde {
    const char *sti;
    DWORD fejl;
  };
  for (const Tilfaelde &t : {Tilfaelde{"/luk", ERROR_HTTP_INVALID_SERVER_RESPONSE},
                             Tilfaelde{"/tavs", ERROR_INTERNET_TIMEOUT},
                             Tilfaelde{"/forkert", ERROR_HTTP_INVALID_SERVER_RESPONSE}}) {
    SCOPED_TRACE(t.sti);
    EXPECT_EQ(Aabn(t.sti), nullptr);
    EXPECT_EQ(GetLastError(), t.fejl);
  }
  // Cut mid-body: it opens, the bytes that came are read, then the read fails.
  HINTERNET h = Aabn("/kort");
  ASSERT_NE(h, nullptr);
  std::string svar;
  DWORD fejl = 0;
  EXPECT_FALSE(LaesAlt(h, &svar, &fejl));
  EXPECT_EQ(svar.size(), 100u);
  EXPECT_EQ(fejl, static_cast<DWORD>(ERROR_INTERNET_CONNECTION_ABORTED));
  InternetCloseHandle(h);

  // A certificate nobody said to trust.
  tavo::SaetInternetCertifikater(nullptr);
  EXPECT_EQ(Aabn("/"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_INVALID_CA));

  // Nothing listening.
  const std::string adresse = server.Adresse();
  server.Stop();
  EXPECT_FALSE(InternetCheckConnectionA(adresse.c_str(), FLAG_ICC_FORCE_CONNECTION, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_CANNOT_CONNECT));
  EXPECT_EQ(InternetOpenUrlA(session, adresse.c_str(), nullptr, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_CANNOT_CONNECT));
}

TEST_F(WinInet, ConnectionCheckAndHandles) {
  EXPECT_EQ(InternetAttemptConnect(0), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(InternetCheckConnectionA(server.Adresse().c_str(), FLAG_ICC_FORCE_CONNECTION, 0));
  EXPECT_FALSE(InternetCheckConnectionA("ikke en adresse", FLAG_ICC_FORCE_CONNECTION, 0));
  // A request handle is no session.
  server.Script("answer / 200 ok\n");
  HINTERNET h = Aabn("/");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(InternetOpenUrlA(h, server.Adresse().c_str(), nullptr, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_INCORRECT_HANDLE_TYPE));
  DWORD n = 0;
  EXPECT_FALSE(InternetQueryDataAvailable(session, &n, 0, 0));
  InternetCloseHandle(h);
}

TEST_F(WinInet, SeveralThreadsAtOnce) {
  std::string regler;
  for (int t = 0; t < 4; ++t) regler += "answer /t" + std::to_string(t) + " 200 svar " + std::to_string(t) + "\n";
  server.Script(regler);
  std::vector<std::thread> traade;
  std::vector<int> fejl(4, 0);
  for (int t = 0; t < 4; ++t)
    traade.emplace_back([&, t] {
      for (int runde = 0; runde < 10; ++runde) {
        HINTERNET h = Aabn("/t" + std::to_string(t));
        std::string svar;
        DWORD f = 0;
        if (!h || !LaesAlt(h, &svar, &f) || svar != "svar " + std::to_string(t)) ++fejl[t];
        if (h) InternetCloseHandle(h);
      }
    });
  for (auto &t : traade) t.join();
  EXPECT_EQ(fejl, std::vector<int>(4, 0));
}

TEST(WebServerStandin, EndsByItselfWhenIdle) {
  webtest::WebServer server;
  ASSERT_TRUE(server.Start(1));
  EXPECT_EQ(server.VentPaaSlut(5000), 0);
}

}  // namespace
