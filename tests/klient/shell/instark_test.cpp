// The installation settings sheet's page checks on typed texts: the message
// and the field each wrong value gets, and the counts behind the warnings.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../exchange/skole_fixture.h"
#include "HENTGEM.h"
#include "INSTARK.h"
#include "tavo/test_dialog.h"
#include "win/prsht.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "WCSERVER.h"
#include "windows.h"

namespace {

using namespace skoletest;

std::string Tekst(const ArkSvar &s) { return s.Tekst ? s.Tekst : ""; }

bool Begynder(const ArkSvar &s, const char *start) {
  return s.Tekst && std::strncmp(s.Tekst, start, std::strlen(start)) == 0;
}

TEST(InstallationsarkInsnr, KunHeleTalFraNulTil99) {
  struct Tilfaelde {
    const char *tekst;
    bool ok;
    uint8_t nr;
  };
  const Tilfaelde tab[] = {{"1 2", true, 12}, {"0", true, 0},    {"99", true, 99}, {" 7 ", true, 7},
                           {"100", false, 0}, {"-5", false, 0},  {"7a", false, 0}, {"", false, 0},
                           {"  ", false, 0},  {"99999999999", false, 0}};
  for (const Tilfaelde &t : tab) {
    uint8_t nr = 255;
    EXPECT_EQ(LaesInstallationsnr(t.tekst, &nr), t.ok) << '"' << t.tekst << '"';
    if (t.ok) { EXPECT_EQ(nr, t.nr) << t.tekst; }
  }
}

TEST(InstallationsarkInstallation, BeskedOgFeltPrTilfaelde) {
  const std::string for99 = "Installationsnr kan ikke være større end 99.";
  struct Tilfaelde {
    const char *navn;
    InstallationsFelter f;
    ArkArt art;
    std::string start;  // the beginning of the text
    ArkFelt felt;
    bool nulstil;
  };
  const Tilfaelde tab[] = {
      {"unchanged", {"7", false, 7, false, true, true, true, true}, ArkArt::Ok, "", kArkIngen, false},
      {"1 2 is 12", {"1 2", false, 12, false, false, false, false, false}, ArkArt::Ok, "", kArkIngen, false},
      {"100", {"100", false, 7, false, false, false, false, false}, ArkArt::Fejl, for99, kArkInsnr, false},
      {"-5", {"-5", false, 7, false, false, false, false, false}, ArkArt::Fejl, for99, kArkInsnr, false},
      {"import file", {"8", false, 7, false, true, false, false, false}, ArkArt::Fejl, "Datakataloget indeholder",
       kArkInsnr, false},
      {"export file", {"8", false, 7, false, false, true, false, false}, ArkArt::Fejl, "Der er oprettet en eksportfil",
       kArkInsnr, false},
      {"changed, own data", {"8", false, 7, false, false, false, true, true}, ArkArt::Advarsel,
       "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationsnummeret skiftes\nvil det resultere i at det "
       "nuværende skema",
       kArkInsnr, true},
      {"changed, master data", {"8", false, 7, false, false, false, false, true}, ArkArt::Advarsel,
       "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationsnummeret skiftes\nvil det resultere i at de "
       "nuværende aktiviteter",
       kArkInsnr, true},
      {"changed, nothing", {"8", false, 7, false, false, false, false, false}, ArkArt::Ok, "", kArkIngen, true},
      {"SuperTavo cleared", {"7", false, 7, true, false, false, true, false}, ArkArt::Advarsel,
       "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationen ændres til en almindelig", kArkInsnr, true},
      {"SuperTavo set", {"7", true, 7, false, false, false, true, false}, ArkArt::Advarsel,
       "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationen ændres til en \nSuperTavo", kArkSuperTavo,
       true},
      {"SuperTavo set, no own data", {"7", true, 7, false, false, false, false, true}, ArkArt::Ok, "", kArkIngen, true},
  };
  for (const Tilfaelde &t : tab) {
    uint8_t nr = 0;
    bool nulstil = false;
    const ArkSvar s = CheckInstallationSide(t.f, &nr, &nulstil);
    EXPECT_EQ(s.Art, t.art) << t.navn;
    EXPECT_TRUE(t.start.empty() ? !s.Tekst : Begynder(s, t.start.c_str())) << t.navn << ": " << Tekst(s);
    EXPECT_EQ(s.Felt, t.felt) << t.navn;
    if (s.Art != ArkArt::Fejl) { EXPECT_EQ(nulstil, t.nulstil) << t.navn; }
  }
}

TEST(InstallationsarkPeriode, BeskedOgFeltPrTilfaelde) {
  struct Tilfaelde {
    const char *fra, *til;
    bool importFil, eksportFil;
    ArkArt art;
    const char *start;
    ArkFelt felt;
    bool info;
  };
  const Dato F0 = 20240801, T0 = 20250731;
  const Tilfaelde tab[] = {
      {"20240801", "20250731", true, true, ArkArt::Ok, nullptr, kArkIngen, false},
      {"20240901", "20250731", true, false, ArkArt::Fejl, "Datakataloget", kArkFraDato, false},
      {"20240801", "20250630", false, true, ArkArt::Fejl, "Der er oprettet", kArkFraDato, false},
      {"19891231", "20250731", false, false, ArkArt::Fejl, "Startdato skal ligge mellem", kArkFraDato, false},
      {"20240231", "20250731", false, false, ArkArt::Fejl, "Startdato skal angives", kArkFraDato, false},
      {"20240801", "21000101", false, false, ArkArt::Fejl, "Slutdato skal ligge mellem", kArkTilDato, false},
      {"20240801", "20251301", false, false, ArkArt::Fejl, "Slutdato skal angives", kArkTilDato, false},
      {"20240801", "20240801", false, false, ArkArt::Fejl, "Slutdato skal ligge efter", kArkTilDato, false},
      {"20240101", "20240229", false, false, ArkArt::Fejl, "Skemaet skal mindst dække 2 måneder.", kArkTilDato, false},
      {"20250101", "20250301", false, false, ArkArt::Ok, nullptr, kArkIngen, true},
      {"20241215", "20250115", false, false, ArkArt::Ok, nullptr, kArkIngen, true},
      {"2024 0901", "20250731", false, false, ArkArt::Ok, nullptr, kArkIngen, false},
      {"20240701", "20250731", false, false, ArkArt::Advarsel, "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis "
       "startdatoen sættes tilbage", kArkTilDato, false},
  };
  for (const Tilfaelde &t : tab) {
    const PeriodeFelter f{t.fra, t.til, F0, T0, t.importFil, t.eksportFil, 7};
    Dato fra = 0, til = 0;
    bool info = false;
    const ArkSvar s = CheckPeriodeSide(f, &fra, &til, &info);
    const std::string navn = std::string(t.fra) + ".." + t.til;
    EXPECT_EQ(s.Art, t.art) << navn << ": " << Tekst(s);
    EXPECT_TRUE(t.start ? Begynder(s, t.start) : !s.Tekst) << navn << ": " << Tekst(s);
    EXPECT_EQ(s.Felt, t.felt) << navn;
    if (s.Art != ArkArt::Fejl) { EXPECT_EQ(info, t.info) << navn; }
  }
  // An earlier first date asks nothing of a run without a period or number.
  for (auto [aktuelFra, insnr] : {std::pair<Dato, uint8_t>{0, 7}, {F0, 0}}) {
    Dato fra = 0, til = 0;
    bool info = false;
    EXPECT_EQ(CheckPeriodeSide({"20240701", "20250731", aktuelFra, T0, false, false, insnr}, &fra, &til, &info).Art,
              ArkArt::Ok);
  }
}

TEST(InstallationsarkDage, BeskedOgFeltPrTilfaelde) {
  const char *tid = "Starttid må ikke være før end 1:00";
  const char *std = "Antal std.lekt. kan ikke angives";
  struct Tilfaelde {
    DageFelter f;
    const char *start;
    ArkFelt felt;
  };
  const Tilfaelde tab[] = {
      {{"5", "10", "8:00", "16:00", "7,4"}, nullptr, kArkIngen},
      {{"7", "1", "8:00", "16:00", "7,4"}, nullptr, kArkIngen},
      {{"2", "2", "8:00", "16:00", "7,4"}, "Skemaet skal vise mindst 5 lektioner.", kArkDage},
      {{"5", "0", "8:00", "16:00", "7,4"}, "Antal timer skal ligge mellem 1 og 48.", kArkLektioner},
      {{"5", "49", "8:00", "16:00", "7,4"}, "Antal timer skal ligge mellem 1 og 48.", kArkLektioner},
      {{"8", "10", "8:00", "16:00", "7,4"}, "Antal dage skal ligge mellem 1 og 7.", kArkDage},
      {{"5", "10", "0:30", "16:00", "7,4"}, tid, kArkStarttid},
      {{"5", "10", "8:00", "24:00", "7,4"}, tid, kArkStarttid},
      {{"5", "10", "16:00", "8:00", "7,4"}, tid, kArkStarttid},
      {{"5", "10", "8:75", "16:00", "7,4"}, tid, kArkStarttid},
      {{"5", "10", "8:00", "16:60", "7,4"}, tid, kArkStarttid},
      {{"5", "10", "8:00", "16:00", "7,45"}, nullptr, kArkIngen},
      {{"5", "10", "8:00", "16:00", "7,455"}, std, kArkStdLektioner},
      {{"5", "10", "8:00", "16:00", "10,5"}, std, kArkStdLektioner},
      {{"5", "10", "8:00", "16:00", "10"}, nullptr, kArkIngen},
  };
  for (const Tilfaelde &t : tab) {
    DageVaerdier v{};
    const ArkSvar s = CheckDageSide(t.f, &v);
    const std::string navn = std::string(t.f.Dage) + " x " + t.f.Lektioner + " " + t.f.Starttid + "-" + t.f.Sluttid +
                             " " + t.f.StdLektioner;
    EXPECT_TRUE(t.start ? Begynder(s, t.start) : !s.Tekst) << navn << ": " << Tekst(s);
    EXPECT_EQ(s.Felt, t.felt) << navn;
    EXPECT_EQ(s.Art, t.start ? ArkArt::Fejl : ArkArt::Ok) << navn;
  }
  DageVaerdier v{};
  ASSERT_EQ(CheckDageSide({" 5", "1 0", "08:00", "16:30", "7,4"}, &v).Art, ArkArt::Ok);
  EXPECT_EQ(v.Dage, 5u);
  EXPECT_EQ(v.Lektioner, 10u);
  EXPECT_EQ(v.Starttid, 800u);
  EXPECT_EQ(v.Sluttid, 1630u);
  EXPECT_DOUBLE_EQ(v.StdLektioner, 7.4);
}

class InstallationsarkTael : public Skole {};

TEST_F(InstallationsarkTael, EgneOgLevendeData) {
  EXPECT_EQ(TaelEgneBegivenheder(kEgen) + TaelEgneTimoak(kEgen), 0u);
  const uint32_t f = SkeRaekke(202442, 64, kEgen);
  const uint32_t deltager = SkeRaekke(202442, 64, kEgen);
  reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(202442), deltager))->Forste = f;
  SkeRaekke(202442, 64, kAnden);
  SkeRaekke(202443, 32, kEgen);  // not written by an installation
  TimRaekke(20241016, 64, kEgen);
  TimRaekke(20241016, 64, kAnden);
  EXPECT_EQ(TaelEgneBegivenheder(kEgen), 1u);
  EXPECT_EQ(TaelEgneBegivenheder(kAnden), 1u);
  EXPECT_EQ(TaelEgneTimoak(kEgen), 1u);
  const uint32_t foer = TaelLevendeStamdata();
  Akti(1);
  const uint32_t arkiv = Akti(2);
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, arkiv))->Status = 30;
  EXPECT_EQ(TaelLevendeStamdata(), foer + 1);
}

}  // namespace

namespace {

std::vector<UINT> gServer;
LRESULT CALLBACK ServerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KONTAKT_LOGOFF) gServer.push_back(m);
  return DefWindowProcA(h, m, w, l);
}

class InstallationsarkGem : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    gemt = StiTab;
    const std::string d = DataMappeNavn(rod);
    snprintf(StiTab.szautoske, sizeof StiTab.szautoske, "%sini\\autoske.ini", d.c_str());
    std::ofstream(rod / "ini" / "tavo.ini") << "[global]\r\ninsnr=7\r\nandet=bevares\r\n";
    std::ofstream(rod / "ini" / "autoske.ini") << "[global]\r\nregn_i_minutter=0\r\n";
    WNDCLASSA wc{};
    wc.lpfnWndProc = ServerProc;
    wc.lpszClassName = "InstarkServer";
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "InstarkHoved";
    RegisterClassA(&wc);
    HMENU bar = CreateMenu(), filer = CreatePopupMenu(), imp = CreatePopupMenu();
    AppendMenuA(imp, MF_STRING, 40200, "&Untis import");
    AppendMenuA(filer, MF_POPUP, static_cast<UINT_PTR>(imp), "Import");
    AppendMenuA(bar, MF_POPUP, static_cast<UINT_PTR>(filer), "&Filer");
    hwndHoved = CreateWindowExA(0, "InstarkHoved", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, 0, bar, 0, nullptr);
    StatusFelter.Server = CreateWindowExA(0, "InstarkServer", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
    gServer.clear();
  }
  void TearDown() override {
    DestroyWindow(StatusFelter.Server);
    StatusFelter.Server = 0;
    DestroyWindow(hwndHoved);
    hwndHoved = 0;
    StiTab = gemt;
    Skole::TearDown();
  }
  std::string Ini(const char *fil, const char *sektion, const char *noegle) {
    char v[128];
    GetPrivateProfileStringA(sektion, noegle, "<ingen>", v, sizeof v, fil);
    return v;
  }
  StiTabData gemt;
};

TEST_F(InstallationsarkGem, SkriverNoeglerneIDeresFormer) {
  InstallationsKopi k;
  LaesInstallationsoplysninger(&k);
  EXPECT_EQ(k.regnIMinutter, 0);
  EXPECT_STREQ(k.starttid, "8:00");
  std::snprintf(k.insnr, sizeof k.insnr, "1 2");
  std::snprintf(k.starttid, sizeof k.starttid, "08:00");
  std::snprintf(k.sluttid, sizeof k.sluttid, "15:30");
  std::snprintf(k.lektionerprdag, sizeof k.lektionerprdag, "7,4");
  std::snprintf(k.skolenr, sizeof k.skolenr, " 123 ");
  k.supertavo = true;
  k.untis = false;
  k.extpostimport = true;
  k.extskemaimport = false;
  k.normsystem = true;
  k.straf[0] = 9;
  ASSERT_TRUE(GemInstallationsoplysninger(k));

  const char *ini = StiTab.szini, *aut = StiTab.szautoske;
  EXPECT_EQ(Ini(ini, "global", "insnr"), "12");
  EXPECT_EQ(Ini(ini, "global", "supertavo"), "ja");
  EXPECT_EQ(Ini(ini, "global", "skolenr"), "123");
  EXPECT_EQ(Ini(ini, "kontakt", "logintype"), "u");
  EXPECT_EQ(Ini(ini, "tider", "starttid"), "800");
  EXPECT_EQ(Ini(ini, "tider", "sluttid"), "1530");
  EXPECT_EQ(Ini(ini, "tider", "lektionerprdag"), "740");
  EXPECT_EQ(Ini(ini, "flag", "normsystem"), "1");
  EXPECT_EQ(Ini(ini, "menu", "untis"), "nej");
  EXPECT_EQ(Ini(ini, "global", "andet"), "bevares");
  EXPECT_EQ(Ini(aut, "global", "regn_i_minutter"), "0") << "kept as read";
  EXPECT_EQ(Ini(aut, "global", "antalkoersler"), "3");
  EXPECT_EQ(Ini(aut, "straffaktorer", "mellemtime_elev"), "9");
  EXPECT_EQ(gServer.size(), 1u);

  HMENU bar = GetMenu(hwndHoved);
  EXPECT_TRUE(GetMenuState(bar, 40200, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_NE(GetMenuState(bar, 40201, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuState(bar, 40272, MF_BYCOMMAND), static_cast<UINT>(-1));
  k.extpostimport = false;
  k.extskemaimport = true;
  k.untis = true;
  ASSERT_TRUE(GemInstallationsoplysninger(k));
  EXPECT_FALSE(GetMenuState(bar, 40200, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(GetMenuState(bar, 40201, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(GetMenuState(bar, 40272, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(InstallationsarkGem, EnSkrivebeskyttetKoerselSkriverIntet) {
  const std::string foerIni = LaesFil(rod / "ini" / "tavo.ini"), foerAuto = LaesFil(rod / "ini" / "autoske.ini");
  InstallationsKopi k;
  LaesInstallationsoplysninger(&k);
  std::snprintf(k.insnr, sizeof k.insnr, "9");
  for (auto [laast, skemalaast] : {std::pair{1, 0}, std::pair{0, 1}}) {
    StiTab.laastOenske = static_cast<uint8_t>(laast);
    GlobalIndstillinger.skemalaast = static_cast<uint8_t>(skemalaast);
    EXPECT_FALSE(GemInstallationsoplysninger(k));
    EXPECT_EQ(LaesFil(rod / "ini" / "tavo.ini"), foerIni);
    EXPECT_EQ(LaesFil(rod / "ini" / "autoske.ini"), foerAuto);
  }
  GlobalIndstillinger.skemalaast = 0;
  EXPECT_TRUE(gServer.empty());
}

}  // namespace

namespace {

using tavo::test::ShownDialog;

// The sheet's page in front.
HWND Side(HWND ark) { return PropSheet_GetCurrentPageHwnd(ark); }
std::string Felt(HWND side, int id) {
  char t[64] = "";
  GetDlgItemTextA(side, id, t, sizeof t);
  return t;
}

class Installationsark : public InstallationsarkGem {
 protected:
  void SetUp() override {
    InstallationsarkGem::SetUp();
    std::ofstream(rod / "ini" / "tavo.ini") << "[global]\r\ninsnr=7\r\nskolenr=123\r\n[tider]\r\nstarttid=800\r\n"
                                               "sluttid=1600\r\nlektionerprdag=800\r\n";
    foerIni = LaesFil(rod / "ini" / "tavo.ini");
    foerAuto = LaesFil(rod / "ini" / "autoske.ini");
    GlobalIndstillinger.insnr = 7;
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    GlobalIndstillinger.skemalaast = 0;
    InstallationsarkGem::TearDown();
  }
  std::string foerIni, foerAuto;
};

TEST_F(Installationsark, EtForkertInsnrHolderSidenOgCancelSkriverIntet) {
  HWND ark = 0;
  std::string side;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) -> INT_PTR {
    ark = d.hwnd;
    side = d.caption;
    SetDlgItemTextA(Side(ark), 1001, "-5");
    PropSheet_PressButton(ark, PSBTN_OK);
    return 0;
  });
  std::string boks;
  UINT type = 0;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) -> INT_PTR {
    boks = d.text;
    type = d.type;
    PropSheet_PressButton(ark, PSBTN_CANCEL);
    return IDOK;
  });
  EXPECT_EQ(InstallationsoplysningerDialog(hwndHoved), 0);
  EXPECT_EQ(side, "Installationsoplysninger");
  EXPECT_EQ(boks.rfind("Installationsnr kan ikke være større end 99.\nFejlkode: ", 0), 0u) << boks;
  EXPECT_EQ(type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(LaesFil(rod / "ini" / "tavo.ini"), foerIni);
  EXPECT_EQ(LaesFil(rod / "ini" / "autoske.ini"), foerAuto);
  EXPECT_EQ(GlobalIndstillinger.insnr, 7);
}

TEST_F(Installationsark, DeKaededeFelterOgOKSkriverTiderne) {
  std::string start, std1, slut, std2;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) -> INT_PTR {
    HWND ark = d.hwnd;
    PropSheet_SetCurSel(ark, 0, 3);
    HWND s = Side(ark);
    SetDlgItemTextA(s, 1033, "9");
    SendMessageA(s, WM_COMMAND, MAKEWPARAM(1033, EN_KILLFOCUS), 0);
    start = Felt(s, 1033);
    std1 = Felt(s, 1035);
    SetDlgItemTextA(s, 1035, "4");
    SendMessageA(s, WM_COMMAND, MAKEWPARAM(1035, EN_KILLFOCUS), 0);
    std2 = Felt(s, 1035);
    slut = Felt(s, 1034);
    PropSheet_PressButton(ark, PSBTN_OK);
    return 0;
  });
  EXPECT_EQ(InstallationsoplysningerDialog(hwndHoved), 1);
  EXPECT_EQ(start, "09:00");
  EXPECT_EQ(std1, "7,00") << "seven hours to 16:00";
  EXPECT_EQ(std2, "4,00");
  EXPECT_EQ(slut, "13:00");
  EXPECT_EQ(Ini(StiTab.szini, "tider", "starttid"), "900");
  EXPECT_EQ(Ini(StiTab.szini, "tider", "sluttid"), "1300");
  EXPECT_EQ(Ini(StiTab.szini, "tider", "lektionerprdag"), "400");
}

TEST_F(Installationsark, EnSkrivebeskyttetKoerselKanSeMenIkkeGemme) {
  GlobalIndstillinger.skemalaast = 1;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) -> INT_PTR {
    PropSheet_SetCurSel(d.hwnd, 0, 3);
    SetDlgItemTextA(Side(d.hwnd), 1033, "9:00");
    PropSheet_PressButton(d.hwnd, PSBTN_OK);
    return 0;
  });
  EXPECT_EQ(InstallationsoplysningerDialog(hwndHoved), 1);
  EXPECT_EQ(LaesFil(rod / "ini" / "tavo.ini"), foerIni);
  EXPECT_EQ(LaesFil(rod / "ini" / "autoske.ini"), foerAuto);
}

}  // namespace

namespace {

bool DataFil(const char *navn, const char *endelse) {
  char sti[kStiLaengde];
  return DataFilSti(sti, sizeof sti, navn, endelse) && GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES;
}
void LavDataFil(const char *navn, const char *endelse) {
  char sti[kStiLaengde];
  ASSERT_TRUE(DataFilSti(sti, sizeof sti, navn, endelse));
  FILE *f = AabnDataFil(sti, "wb");
  ASSERT_NE(f, nullptr);
  fclose(f);
}

class InstallationsarkPeriodeSkift : public Installationsark {
 protected:
  void SetUp() override {
    Installationsark::SetUp();
    std::ofstream(rod / "ini" / "tavo.ini") << "[global]\r\ninsnr=7\r\nskolenr=123\r\nfradato=20240801\r\n"
                                               "tildato=20250731\r\n";
  }
  // The Periode page's dates typed and OK pressed; a warning is accepted.
  INT_PTR Aendr(const char *fra, const char *til, std::vector<std::string> *bokse) {
    tavo::test::AnswerNextDialog([=](const ShownDialog &d) -> INT_PTR {
      PropSheet_SetCurSel(d.hwnd, 0, 2);
      SetDlgItemTextA(Side(d.hwnd), 1021, fra);
      SetDlgItemTextA(Side(d.hwnd), 1022, til);
      PropSheet_PressButton(d.hwnd, PSBTN_OK);
      return 0;
    });
    tavo::test::AnswerNextDialog([=](const ShownDialog &d) -> INT_PTR {
      bokse->push_back(d.caption + ": " + d.text);
      return IDOK;
    });
    const INT_PTR svar = InstallationsoplysningerDialog(hwndHoved);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    return svar;
  }
};

TEST_F(InstallationsarkPeriodeSkift, EnNySlutdatoFlytterPeriodenUdenAtToemme) {
  const uint32_t okt = SkeRaekke(202442, 64, kEgen);
  ASSERT_EQ(SaveSkemabeg(), 0);
  LavDataFil("ansk", ".DAT");
  Akti(4711);
  ASSERT_EQ(GemTabelNu(&tdakti, &tvakti), 0);
  std::vector<std::string> bokse;
  EXPECT_EQ(Aendr("20240801", "20250630", &bokse), 1);
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].rfind("Information: BEMÆRK!!!\n\nEfter ændring af datoen", 0), 0u) << bokse[0];
  EXPECT_EQ(Ini(StiTab.szini, "global", "tildato"), "20250630");
  EXPECT_EQ(SkemaPeriode.TilDato, 20250630u);
  EXPECT_FALSE(DataFil("ansk", ".DAT"));
  EXPECT_TRUE(DataFil(tdakti.Navn, ".DAT")) << "akti is kept";
  bool fundet = false;
  for (uint32_t n = 0; n < tvakti.wRecCnt; ++n) fundet |= Laes<AktiRec>(tdakti, tvakti, n).id == 4711;
  EXPECT_TRUE(fundet) << "and read back";
  EXPECT_EQ(Ske(202442, okt).Status, 64u) << "the event was read back";
}

TEST_F(InstallationsarkPeriodeSkift, EnTidligereStartdatoToemmerDatasaettetFoerst) {
  SkeRaekke(202442, 64, kEgen);
  ASSERT_EQ(SaveSkemabeg(), 0);
  LavDataFil(tdakti.Navn, ".DAT");
  std::vector<std::string> bokse;
  EXPECT_EQ(Aendr("20240701", "20250731", &bokse), 1);
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].rfind("Fejl: BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis startdatoen sættes tilbage", 0),
            0u)
      << bokse[0];
  EXPECT_EQ(SkemaPeriode.FraDato, 20240701u);
  EXPECT_FALSE(DataFil(tdakti.Navn, ".DAT"));
  const TabVar *b = SkemabegBucket(202442);
  EXPECT_TRUE(!b || !b->pbTab || b->wRecCnt <= 1) << "the events went with the data set";
}

}  // namespace
