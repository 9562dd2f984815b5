// Group names, memberships with their age counter, remembered masks and the
// derived memberships.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "../data/store_fixture.h"
#include "FINDREC.h"
#include "GRUPPER.h"
#include "KATALOG.h"
#include "TABOPER.h"

namespace {

template <typename R>
R *Ny(const TabDesc *pTd, TabVar *pTv, uint32_t *pNr) {
  uint32_t r = NewRec(pTd, pTv);
  EXPECT_NE(r, 0u);
  *pNr = r;
  pTv->pfSave[r / pTd->RecPrBlok] = 1;
  pTv->fSorter = 1;
  return reinterpret_cast<R *>(GetRec(pTd, pTv, r));
}

class Grupper : public storetest::DataMappe {
 protected:
  std::string IniTekst(const std::string &navn) {
    std::ifstream i(rod / "ini" / navn, std::ios::binary);
    std::stringstream s;
    s << i.rdbuf();
    return s.str();
  }
  void SkrivIniFil(const std::string &navn, const std::string &t) {
    std::ofstream o(rod / "ini" / navn, std::ios::binary | std::ios::trunc);
    o << t;
  }
  bool IniFindes(const std::string &navn) { return std::filesystem::exists(rod / "ini" / navn); }

  uint32_t Akti(uint32_t id, uint8_t status, uint32_t gruppe, const char *navn = "", const char *type = "") {
    uint32_t r;
    auto *a = Ny<AktiRec>(&tdakti, &tvakti, &r);
    a->id = id;
    a->Status = status;
    a->Gruppe = gruppe;
    snprintf(a->Aktivitet, sizeof a->Aktivitet, "%s", navn);
    snprintf(a->Type, sizeof a->Type, "%s", type);
    a->Tildato = 20991231;
    return r;
  }
  uint32_t Anfo(uint32_t id, uint8_t status, uint32_t gruppe) {
    uint32_t r;
    auto *a = Ny<AnfoRec>(&tdanfo, &tvanfo, &r);
    a->id = id;
    a->Status = status;
    a->Gruppe = gruppe;
    a->Tildato = 20991231;
    return r;
  }
  uint32_t Loka(uint32_t id, uint8_t status, uint32_t gruppe, const char *navn = "") {
    uint32_t r;
    auto *l = Ny<LokaRec>(&tdloka, &tvloka, &r);
    l->id = id;
    l->Status = status;
    l->Gruppe = gruppe;
    snprintf(l->Lokalenr, sizeof l->Lokalenr, "%s", navn);
    return r;
  }
  uint32_t Ord(const TabDesc *pTd, TabVar *pTv, uint32_t r, size_t off) {
    uint32_t v;
    memcpy(&v, GetRec(pTd, pTv, r) + off, 4);
    return v;
  }
};

TEST_F(Grupper, NamesRoundTripWithCommasAndCrLf) {
  StandardGruppeNavne();
  EXPECT_STREQ(GruppeNavne[GRP_AKTI][5], " 5 : Øvrige aktiviteter");
  EXPECT_STREQ(GruppeNavne[GRP_LOKA][31], "Alle Lokaler");
  std::string t = IniTekst("group.ini");
  EXPECT_EQ(t.rfind("[Group Names]\nA,0, 0 : Ikke i gruppe\n", 0), 0u);
  EXPECT_NE(t.find("\nM,A,Alle Medarbejdere\nL,0, 0 : Ikke i gruppe\n"), std::string::npos);

  snprintf(GruppeNavne[GRP_ANFO][7], kGruppeNavnLaengde, " 7 : Lærere, afd. 2");
  GemGruppeNavne();
  GruppeNavne[GRP_ANFO][7][0] = 0;
  HentGruppeNavne();
  EXPECT_STREQ(GruppeNavne[GRP_ANFO][7], " 7 : Lærere, afd. 2");
  EXPECT_STREQ(GruppeNavneRen[GRP_ANFO][7], "Lærere, afd. 2");
  EXPECT_STREQ(GruppeNavne[GRP_AKTI][2], " 2 : Hold (ex. AMU/IV)");

  // Written elsewhere with CR LF; a name may end without a line end; the last
  // letter of a name is never lost.
  SkrivIniFil("group.ini", "[Group Names]\r\nL,4, 4 : Værksted\r\nM,30, 30 : X\r\nL,31, ukendt\r\nL,2, 2 : B");
  HentGruppeNavne();
  EXPECT_STREQ(GruppeNavne[GRP_LOKA][4], " 4 : Værksted");
  EXPECT_STREQ(GruppeNavne[GRP_ANFO][30], " 30 : X");
  EXPECT_STREQ(GruppeNavne[GRP_LOKA][2], " 2 : B");
  EXPECT_STREQ(GruppeNavne[GRP_LOKA][1], "");  // cleared, not in the file
}

TEST_F(Grupper, MissingNamesFileGivesDefaultsAndAnAmuNameIsRenamed) {
  HentGruppeNavne();
  EXPECT_TRUE(IniFindes("group.ini"));
  EXPECT_STREQ(GruppeNavne[GRP_AKTI][3], " 3 : UVFO-hold");

  SkrivIniFil("group.ini", "[Group Names]\nA,3, 3 : AMU-hold\nA,4, 4 : IV\n");
  HentGruppeNavne();
  EXPECT_STREQ(GruppeNavne[GRP_AKTI][3], " 3 : UVFO-hold");
  EXPECT_NE(IniTekst("group.ini").find("A,3, 3 : UVFO-hold\n"), std::string::npos);
  EXPECT_NE(IniTekst("group.ini").find("A,4, 4 : IV\n"), std::string::npos);
}

TEST_F(Grupper, MembershipsAreReadAndSavedWithTheirAgeCounter) {
  uint32_t a17 = Akti(17, 10, 1);
  Anfo(3, 10, 2);
  Loka(5, 10, 4);
  Akti(18, 10, 9);  // in no line: added after the employees
  SkrivIniFil("grupper.ini",
              "A17,5,0\r\n"
              "M99,3,5\n"   // a vanished employment at age 5
              "L0,1,0\n"    // key 0: dropped
              "M3,64,0\n"
              "L5,4,2\n");
  HentGruppeValg();
  EXPECT_EQ(Ord(&tdakti, &tvakti, a17, offsetof(AktiRec, Gruppe)), 5u);

  GemGruppeValg(0);
  EXPECT_EQ(IniTekst("grupper.ini"), "K17,5,0\nM99,3,6\nM3,64,0\nL5,4,0\nK18,9,0\n");
  EXPECT_FALSE(IniFindes("kopi.ini"));
  EXPECT_EQ(IniTekst("tavo.ini").find("exportergrupper"), std::string::npos);

  GemGruppeValg(0);  // age 7 is not kept
  EXPECT_EQ(IniTekst("grupper.ini"), "K17,5,0\nM3,64,0\nL5,4,0\nK18,9,0\n");
  EXPECT_NE(IniTekst("tavo.ini").find("exportergrupper=1"), std::string::npos);
}

// Ages from the file are any number: the largest int is past the limit, not
// an overflow (this line once made the age counter overflow), and a negative
// one counts up from where it is.
TEST_F(Grupper, AgesNearTheLimitsOfTheNumberAreHandled) {
  SkrivIniFil("grupper.ini", "L3,1,2147483647\nM4,2,-2147483648\nK5,3,5\n");
  EXPECT_TRUE(GemGruppeValg(0));
  EXPECT_EQ(IniTekst("grupper.ini"), "M4,2,-2147483647\nK5,3,6\n");
  EXPECT_NE(IniTekst("tavo.ini").find("exportergrupper=1"), std::string::npos);
}

// The two files are one commit: when the new memberships cannot be
// written, neither file changes.
TEST_F(Grupper, MembershipsKeptWhenTheNewVersionCannotBeWritten) {
  Anfo(3, 10, 2);
  SkrivIniFil("grupper.ini", "M99,3,6\n");
  SkrivIniFil("huskgrp.ini", "K1\nM1\nL1\n");
  std::filesystem::create_directories(rod / "ini" / "grupper.ini.gemny");
  HuskGruppe[GRP_ANFO] = 12;
  EXPECT_FALSE(GemGruppeValg(0));
  EXPECT_EQ(IniTekst("grupper.ini"), "M99,3,6\n");
  EXPECT_EQ(IniTekst("tavo.ini").find("exportergrupper"), std::string::npos);
  EXPECT_EQ(IniTekst("huskgrp.ini"), "K1\nM1\nL1\n");
}

TEST_F(Grupper, ChangedGroupingWindowMarksTheGroupsForExport) {
  GrupperingAendret = [] { return true; };
  GemGruppeValg(0);
  GrupperingAendret = nullptr;
  EXPECT_NE(IniTekst("tavo.ini").find("exportergrupper=1"), std::string::npos);
}

TEST_F(Grupper, RememberedMasks) {
  HuskGruppe[GRP_AKTI] = 3;
  HentGruppeValg();  // no huskgrp.ini
  for (uint32_t m : HuskGruppe) EXPECT_EQ(m, kAlleGrupper);
  HuskGruppe[GRP_AKTI] = 6;
  HuskGruppe[GRP_ANFO] = 1;
  HuskGruppe[GRP_LOKA] = 2147483648u;
  GemGruppeValg(0);
  EXPECT_EQ(IniTekst("huskgrp.ini"), "K6\nM1\nL2147483648\n");
  for (uint32_t &m : HuskGruppe) m = 0;
  HentGruppeValg();
  EXPECT_EQ(HuskGruppe[GRP_AKTI], 6u);
  EXPECT_EQ(HuskGruppe[GRP_ANFO], 1u);
  EXPECT_EQ(HuskGruppe[GRP_LOKA], 2147483648u);
}

TEST_F(Grupper, DerivedMemberships) {
  SkrivIni("[global]\nautostjerneloka=nej\n");
  uint32_t stjLoka = Loka(1, 10, 4, "*Gammel");
  uint32_t nulLoka = Loka(2, 10, 0, "A12");
  uint32_t hold = Akti(1, 10, 0x40, "H1", "HOLD");
  uint32_t ivak = Akti(2, 10, 0, "I1", "IVAK");
  uint32_t stjAkti = Akti(3, 10, 7, "*Gl", "HOLD");
  uint32_t passiv = Akti(4, 5, 0, "P", "HOLD");
  uint32_t alle = Akti(5, 10, 0, "H2", "HOLD");
  uint32_t anfo0 = Anfo(7, 10, 0);
  uint32_t arkiv = Akti(6, 10, 0, "H3", "HOLD");
  SkrivIniFil("grupper.ini", "K5,2147483647,0\nK6,2147483648,0\n");
  HentGruppeValgStjerne();
  EXPECT_EQ(Ord(&tdloka, &tvloka, stjLoka, offsetof(LokaRec, Gruppe)), 4u);
  EXPECT_EQ(Ord(&tdloka, &tvloka, nulLoka, offsetof(LokaRec, Gruppe)), 1u);
  EXPECT_EQ(Ord(&tdakti, &tvakti, hold, offsetof(AktiRec, Gruppe)), 0x47u);
  EXPECT_EQ(Ord(&tdakti, &tvakti, ivak, offsetof(AktiRec, Gruppe)), 19u);
  EXPECT_EQ(Ord(&tdakti, &tvakti, stjAkti, offsetof(AktiRec, Gruppe)), kStjerneMaerke);
  EXPECT_EQ(Ord(&tdakti, &tvakti, passiv, offsetof(AktiRec, Gruppe)), 0u);
  // "all groups" read from the file is not a membership: the rules decide.
  EXPECT_EQ(Ord(&tdakti, &tvakti, alle, offsetof(AktiRec, Gruppe)), 7u);
  EXPECT_EQ(Ord(&tdakti, &tvakti, arkiv, offsetof(AktiRec, Gruppe)), kStjerneMaerke);  // the star mark stays
  EXPECT_EQ(Ord(&tdanfo, &tvanfo, anfo0, offsetof(AnfoRec, Gruppe)), 1u);
  EXPECT_EQ(GruppeMaske(hold, 'X', false, false), 0u);
  EXPECT_EQ(GruppeMaske(999, 'K', false, false), 0u);

  EXPECT_TRUE(GruppeHarMedlemmer(6, 'K'));   // hold's 0x40
  EXPECT_TRUE(GruppeHarMedlemmer(2, 'L'));
  EXPECT_FALSE(GruppeHarMedlemmer(9, 'L'));
  EXPECT_TRUE(GruppeHarMedlemmer(31, 'L'));
  EXPECT_FALSE(GruppeHarMedlemmer(0, 'X'));
  GruppeBegivenhedsArt = [] { return 'P'; };
  EXPECT_FALSE(GruppeHarMedlemmer(31, 'K'));
  EXPECT_TRUE(GruppeHarMedlemmer(0, 'M'));
  GruppeBegivenhedsArt = nullptr;
}

}  // namespace
