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
