// The routines no command of the start menu reaches yet: the lock and
// start-log writers, the socket receive, the Elevplan question, the list of
// texts and the tables' in-memory state.
#include <arpa/inet.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "STARTLOG.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "lytter.h"
#include "menuhjaelp_support.h"

using namespace menutest;

namespace {

using MenuHjaelpUkaldt = MenuTest;

TEST_F(MenuHjaelpUkaldt, LockFilesAreWrittenOnlyWhenMissing) {
  const std::string data = Sti() + "/";
  fs::create_directory(mappe_ / "ini");
  EXPECT_EQ(CreateLockFile(data.c_str(), 7, 10413), 1);
  const std::string foerste = Laes(mappe_ / "ini/TAVO.LCK");
  EXPECT_EQ(foerste.rfind("07,10413,", 0), 0u) << foerste;
  // One already there is left as it is.
  Skriv(mappe_ / "ini/TAVO.LCK", "anden bruger");
  EXPECT_EQ(CreateLockFile(data.c_str(), 7, 10413), 1);
  EXPECT_EQ(Laes(mappe_ / "ini/TAVO.LCK"), "anden bruger");
  EXPECT_EQ(RemoveLockFile(data.c_str()), 1);
  EXPECT_FALSE(fs::exists(mappe_ / "ini/TAVO.LCK"));
  EXPECT_EQ(RemoveLockFile(data.c_str()), 1);

  EXPECT_EQ(CreateOpdatLck(data.c_str(), 12, 10500), 1);
  EXPECT_EQ(Laes(mappe_ / "OPDAT.LCK").rfind("12,10500,", 0), 0u);
  EXPECT_EQ(RemoveOpdatLck(data.c_str()), 1);
  EXPECT_FALSE(fs::exists(mappe_ / "OPDAT.LCK"));
  // A folder that is not there: nothing can be written.
  EXPECT_EQ(CreateOpdatLck((data + "mangler/").c_str(), 12, 10500), 0);
}

TEST_F(MenuHjaelpUkaldt, StartLogLineOfTheInstallation) {
  const std::string mappe = Sti() + "/";
  EXPECT_EQ(StartLogVersion(3, mappe.c_str()), 0u);
  Skriv(mappe_ / "START.LOG", "01,10412,a,b,20260101,08:00,20260101,09:00;\r\n03,10300,c,d,20250101,08:00,\r\n");
  EXPECT_EQ(StartLogVersion(3, mappe.c_str()), 10300u);
  EXPECT_EQ(StartLogVersion(2, mappe.c_str()), 0u);
  NewStartLogEntry(3, 10413, mappe.c_str());
  NewStartLogEntry(5, 10413, mappe.c_str());
  EXPECT_EQ(StartLogVersion(3, mappe.c_str()), 10413u);
  EXPECT_EQ(StartLogVersion(5, mappe.c_str()), 10413u);
  EXPECT_EQ(StartLogVersion(1, mappe.c_str()), 10412u);
  const std::string log = Laes(mappe_ / "START.LOG");
  EXPECT_EQ(log.rfind("01,10412,a,b,20260101,08:00,20260101,09:00;\r\n03,10413,", 0), 0u) << log;
}

TEST_F(MenuHjaelpUkaldt, SockRecvAllReceivesExactlyTheCount) {
  WSADATA wsa;
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &wsa), 0);
  const struct {
    std::vector<std::string> stykker;
    int antal;
    int resultat;
    std::string forventet;
  } tilfaelde[] = {
      {{"ab", "cde", "fghij"}, 10, 10, "abcdefghij"},
      {{"abcdefghij", "rest"}, 10, 10, "abcdefghij"},
      {{"abc"}, 10, -1, ""},  // the peer closed before all had come
      {{}, 0, 0, ""},
  };
  for (const auto &t : tilfaelde) {
    Lytter l;
    std::thread peer = l.Send(t.stykker);
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(l.Port()));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
    char buf[32] = {};
    EXPECT_EQ(SockRecvAll(s, buf, t.antal), t.resultat) << t.antal;
    if (t.resultat > 0) { EXPECT_EQ(std::string(buf, t.antal), t.forventet); }
    closesocket(s);
    peer.join();
  }
  WSACleanup();
}

TEST_F(MenuHjaelpUkaldt, ElevplanQuestion) {
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDYES; });
  EXPECT_EQ(BekraeftSletElevplanData(0, 42), 1);
  // Without an answer the default button, No, counts.
  EXPECT_EQ(BekraeftSletElevplanData(0, 42), 0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[0].caption, "Advarsel!");
  EXPECT_EQ(bokse[0].text,
            "Dette vil slette 'elevplan' data på TAVO-installation nr. 42 !!!\n\nEr du sikker på du vil fortsætte?");
  EXPECT_EQ(bokse[0].type & (MB_TYPEMASK | MB_DEFMASK), (UINT)(MB_YESNO | MB_DEFBUTTON2));
}

TEST_F(MenuHjaelpUkaldt, ListOfTexts) {
  TekstLed *liste = nullptr;
  for (const char *t : {"A:\\", "c:\\", "E:\\"}) ListeTilfoej(&liste, t);
  ASSERT_NE(ListeElement(liste, 2), nullptr);
  EXPECT_EQ(ListeElement(liste, 2)->tekst, "E:\\");
  EXPECT_EQ(ListeElement(liste, 3), nullptr);
  EXPECT_EQ(ListeDrevIndeks(liste, 'C'), 1);
  EXPECT_EQ(ListeDrevIndeks(liste, 'e'), 2);
  EXPECT_EQ(ListeDrevIndeks(liste, 'D'), -1);
  ListeFrigiv(&liste);
  EXPECT_EQ(liste, nullptr);
  EXPECT_EQ(ListeElement(liste, 0), nullptr);
}

TEST_F(MenuHjaelpUkaldt, TableStateIsFreedAndZeroed) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  ASSERT_EQ(FindTabType(TabRegister[0].TypeBogstav, &pTd, &pTv), 0);
  EXPECT_EQ(pTv, TabRegister[0].pTabVar);
  ASSERT_EQ(AddTabBlock(pTd, pTv, 10), 0);
  pTv->wRecCnt = 3;
  NulstilTabVar(pTv);
  const TabVar nul = {};
  EXPECT_EQ(std::memcmp(pTv, &nul, sizeof nul), 0);
  EXPECT_EQ(FindTabType(0, &pTd, &pTv), -1);
  EXPECT_EQ(pTd, nullptr);
  NulstilAlleTabVar();
  for (size_t i = 0; i < TabRegisterAntal; ++i) EXPECT_EQ(TabRegister[i].pTabVar->pbTab, nullptr);
}

}  // namespace
