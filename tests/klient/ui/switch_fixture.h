// A data folder with the layout files of the field switches, and the tables
// written out as one line that a test compares whole.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../data/store_fixture.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SKOLEDATA.h"
#include "TAVODATA.h"
#include "LOGFIL.h"
#include "SWITCH.h"
#include "windows.h"

namespace switchtest {

// The program's grid text font, 8 pixels a character and 11 high, from the
// build's font files.
inline HFONT TekstSkrift() {
  static HFONT font = [] {
    AddFontResourceA(TAVO_BINARY_DIR "/fonts/Tvo11x8Txt.ttf");
    return CreateFontA(11, 8, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FIXED_PITCH, "Tvo11x8Txt");
  }();
  return font;
}

// A small school made by tools/mkdata in a new folder /tmp/<navn>_XXXXXX,
// its tables loaded, with the shipped field-switch layouts copied into its
// ini folder (not yet read).
inline void LavLilleSkole(const char *navn, std::filesystem::path *rod) {
  std::string skabelon = std::string("/tmp/") + navn + "_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
  *rod = skabelon;
  SetInitTabFn(InitTab);
  SkoleStoerrelse st;
  ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &st));
  std::string fejl;
  ASSERT_EQ(LavSkoleData(rod->c_str(), st, 1, &fejl), 0) << fejl;
  ASSERT_TRUE(SaetSkoleMappe(DataMappeNavn(*rod).c_str()));
  std::filesystem::copy_file(std::filesystem::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini",
                             *rod / "ini" / "TavoSwt.ini");
}

// What switch 0 and switch 1 of the shipped activity list (window kind 46)
// show, worked out from the record and the file: each text's x and the text
// itself.
struct Kolonne {
  int x;
  std::string tekst;
};
inline std::string Udfyld(const char *felt, size_t n, size_t tegn) {
  std::string s(felt, strnlen(felt, n));
  if (s.size() > tegn) s.resize(tegn);
  s.resize(tegn, ' ');
  return s;
}
inline std::string Tal8(uint32_t v) {
  char b[16];
  snprintf(b, sizeof b, "%8u", v);
  return b;
}
inline std::vector<Kolonne> AktiListeKolonner(const AktiRec &a, uint32_t nr) {
  if (nr == 0)
    return {{2, Udfyld(a.Aktivitet, sizeof a.Aktivitet, 15)},
            {125, Udfyld(a.Type, sizeof a.Type, 10)},
            {208, Tal8(a.Fradato)},
            {275, Tal8(a.Tildato)}};
  return {{2, Udfyld(a.Kort_betegnelse, sizeof a.Kort_betegnelse, 15)},
          {125, Udfyld(a.Betegnelse, sizeof a.Betegnelse, 30)},
          {368, Udfyld(a.Aktivitet, sizeof a.Aktivitet, 15)}};
}

// "O<kind><letter><switch>[*]:<field>/<width>,...;" for every layout of
// ObjSwitchTab in list order, then "B..." for BrkSwitchTab; '*' marks the
// chosen layout and "s<n>" a sort field.
inline std::string Tabeller() {
  std::ostringstream o;
  auto liste = [&](char t, SwitchLayout *const *tab, uint32_t antal) {
    for (uint32_t art = 0; art < antal; ++art)
      for (const SwitchLayout *l = tab[art]; l; l = l->Naeste) {
        o << t << art << static_cast<char>(l->Bogstav) << l->SwitchNr << (l->Valgt ? "*" : "");
        if (l->SortFelt) o << "s" << l->SortFelt;
        o << ":";
        for (const SwitchFelt *f = l->FoersteFelt; f; f = f->Naeste)
          o << f->FeltNr << "/" << SwitchFeltBredde(f) << (f->Naeste ? "," : "");
        o << ";";
      }
  };
  liste('O', ObjSwitchTab, kObjSwitchArter);
  liste('B', BrkSwitchTab, kBrkSwitchArter);
  return o.str();
}

class SwitchMappe : public storetest::DataMappe {
 protected:
  void SetUp() override {
    storetest::DataMappe::SetUp();
    StandardIndstillinger();
    ASSERT_EQ(AabnLog(), 1);
  }
  void TearDown() override {
    LukLog();
    FrigivSwitchTab();
    StandardIndstillinger();
    storetest::DataMappe::TearDown();
  }

  void SkrivIniFil(const std::string &navn, const std::string &tekst) const {
    std::ofstream o(rod / "ini" / navn, std::ios::binary | std::ios::trunc);
    o << tekst;
  }
  std::string IniFil(const std::string &navn) const {
    std::ifstream i(rod / "ini" / navn, std::ios::binary);
    std::stringstream s;
    s << i.rdbuf();
    return s.str();
  }
  bool IniFindes(const std::string &navn) const { return std::filesystem::exists(rod / "ini" / navn); }

  // The lines LaesSwitchIni logged, without their stamps.
  std::vector<std::string> SwitchLog() const {
    std::ifstream i(rod / "log" / "tavo.log", std::ios::binary);
    std::vector<std::string> ud;
    std::string linje;
    while (std::getline(i, linje)) {
      const size_t p = linje.find("** Fejl: LaesSwitchIni(): ");
      if (p == std::string::npos) continue;
      while (!linje.empty() && (linje.back() == '\r' || linje.back() == '\n')) linje.pop_back();
      ud.push_back(linje.substr(p));
    }
    return ud;
  }
};

}  // namespace switchtest
