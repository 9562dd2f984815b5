// Copy and paste. Nothing is written before the user has accepted what
// cannot be placed; the second pass counts what it wrote, so a collision
// among the pasted events themselves is reported instead of lost.
#include "KOPIBEG.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "DIREKTE.h"
#include "INDSTIL.h"
#include "SKETEGN.h"
#include "OPTAGET.h"
#include "PLACER.h"
#include "PROGVINDUER.h"
#include "SKEBEG.h"
#include "SKEVIS.h"
#include "VINDUER.h"

AVS KopiCelleAVS = [] {
  AVS a{};
  a.Placering = a.Kode2 = a.Kode3 = a.Art = a.Kode5 = ' ';
  return a;
}();
uint8_t KopiEnDag = 0;

namespace {

constexpr const char *kIndsaet = "Indsæt begivenheder";

int Boks(const char *tekst, UINT knapper = MB_OK) {
  return MessageBoxA(hwndHoved, tekst, kIndsaet, knapper | MB_ICONEXCLAMATION);
}

bool Afvis(bool vis, const char *tekst, const char *titel) {
  if (vis) MessageBoxA(hwndHoved, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

struct Markoer {
  uint32_t kol = 0, raekke = 0;
  SkeCelle c;
  bool ok = false;
};

Markoer FindMarkoer(const SkeStruct *ske) {
  Markoer m;
  if (!ske->Ens.StyrX || !ske->Ens.StyrY) return m;
  m.kol = ske->Ens.StyrX->Aktuel;
  m.raekke = ske->Ens.StyrY->Aktuel;
  m.ok = FindSkeCelle(ske, m.kol, m.raekke, &m.c);
  return m;
}

// The events of the object row of the cursor: the whole week, or only the
// cursor's day.
void HuskObjekt(SkeStruct *ske, bool enDag) {
  const Markoer m = FindMarkoer(ske);
  if (!m.ok) return;
  ske->Vis.Ugedag = m.c.dag;
  HuskUge(ske, ske->ObjPos.Aktuel, ske->ObjPos.Aktuel, enDag);
  KopiEnDag = enDag ? 1 : 0;
}

void HuskCelle(SkeStruct *ske) {
  const Markoer m = FindMarkoer(ske);
  const uint32_t i = m.ok ? FindBegivenhedICelle(ske, m.kol, m.raekke, nullptr) : 0;
  CleanupAVS(&KopiCelleAVS);
  const SkeRec *r = i ? VisFoersteRaekke(ske->lpSkeVisListe[i]) : nullptr;
  if (r && r->Ejer == GlobalIndstillinger.insnr) HentVisAVS(ske, &KopiCelleAVS, i, false);
}

bool CelleKopieret() { return KopiCelleAVS.aktiAntal || KopiCelleAVS.anfoAntal || KopiCelleAVS.lokaAntal; }

// The row of an object of the window's kind, 0 when it has none.
uint32_t ObjektRaekke(const SkeStruct *ske, uint32_t objekt) {
  for (uint32_t r = 1; r <= ske->ObjPos.Antal; ++r)
    if (SkeRaekkeObjekt(ske, r) == objekt) return r;
  return 0;
}

// The grid cell of an event's day and step on an object row, 0 when it is
// outside the shown days and steps.
bool MaalCelle(const SkeStruct *ske, const AVS &a, uint8_t dag, uint32_t objRaekke, uint32_t *kol, uint32_t *raekke) {
  const VisningsTilstandRec &v = ske->Vis;
  if (dag < v.FoersteUgedag || dag > v.SidsteUgedag) return false;
  uint32_t indeks;
  if (ske->Visning == 'D') {
    indeks = dag - v.FoersteUgedag + 1u;
  } else {
    uint32_t trin = ske->Visning == 'L' ? a.Lektion : 0;
    if (trin == 0) {
      uint8_t naer = 0;
      FindLektionForTid(ske->Visning, &trin, &naer, a.Starttid,
                        a.risy_id ? a.risy_id : GlobalIndstillinger.standardRingSystem);
    }
    if (trin < v.FoersteSlot || trin > v.SidsteSlot || trin == 0) return false;
    const uint32_t prDag = v.SidsteSlot - v.FoersteSlot + 1;
    indeks = (dag - v.FoersteUgedag) * prDag - v.FoersteSlot + 1 + trin;
  }
  const bool prik = ske->Layout == 'V';
  *kol = prik ? indeks : objRaekke;
  *raekke = prik ? objRaekke : indeks;
  return true;
}

// One test of the first pass: a copied event at one object row.
struct Forsoeg {
  uint32_t begivenhed;
  uint32_t kol, raekke;
  uint8_t dag;
  bool gaar;
  uint8_t kode;  // the busy code that stopped it, 0 for none or another reason
};

}  // namespace

uint32_t IndsaetBegivenheder(HWND hwnd, SkeStruct *ske, uint32_t kolonne, uint32_t raekke, const TastInfo &t) {
  (void)hwnd;
  if (!HuskUgeAVS || HuskUgeAVSAntal == 0) {
    Boks("Ingen begivenheder at indsætte. Kopier først.");
    return 0;
  }
  SkeCelle c;
  if (!FindSkeCelle(ske, kolonne, raekke, &c)) return 0;
  const bool ctrl = t.ctrl != 0, alle = ske->AlleObjekter && t.shift && t.alt;
  std::vector<uint32_t> taget;
  for (uint32_t i = 0; i < HuskUgeAVSAntal; ++i)
    if (!ctrl || !KopiEnDag || HuskUgeAVS[i].Dag == c.dag) taget.push_back(i);
  if (taget.empty())
    for (uint32_t i = 0; i < HuskUgeAVSAntal; ++i) taget.push_back(i);
  const uint32_t total = static_cast<uint32_t>(taget.size());
  const uint32_t objRaekke = ske->ObjPos.Aktuel;
  const char art = ske->ObjektArt == SKE_ANFO ? 'M' : ske->ObjektArt == SKE_LOKA ? 'L' : 'K';

  uint32_t taellere[kOptagetTaellere] = {};
  uint32_t udenfor = 0, fejlet = 0;
  std::vector<Forsoeg> forsoeg;
  for (uint32_t i : taget) {
    const AVS &a = HuskUgeAVS[i];
    const uint8_t dag = ctrl ? c.dag : a.Dag;
    std::vector<uint32_t> raekker;
    if (alle) {
      const uint32_t *tab = art == 'M' ? a.anfoTab : art == 'L' ? a.lokaTab : a.aktiTab;
      const uint32_t n = art == 'M' ? a.anfoAntal : art == 'L' ? a.lokaAntal : a.aktiAntal;
      for (uint32_t k = 0; tab && k < n; ++k)
        if (const uint32_t r = ObjektRaekke(ske, tab[k])) raekker.push_back(r);
    } else {
      raekker.push_back(objRaekke);
    }
    for (uint32_t r : raekker) {
      Forsoeg f{i, 0, 0, dag, false, 0};
      if (!MaalCelle(ske, a, dag, r, &f.kol, &f.raekke)) {
        ++udenfor;
        break;
      }
      AVS kopi{};
      KopierAVS(&a, &kopi);
      uint32_t foer[kOptagetTaellere];
      std::memcpy(foer, taellere, sizeof foer);
      f.gaar = CheckBrik(ske, hwndHoved, f.kol, f.raekke, &kopi, true, false, taellere, false);
      CleanupAVS(&kopi);
      for (int k = 0; k < kOptagetTaellere; ++k)
        if (taellere[k] != foer[k]) f.kode = static_cast<uint8_t>(k);
      if (!f.gaar) ++fejlet;
      forsoeg.push_back(f);
    }
  }
  if (udenfor &&
      Boks("Nogle af begivenhederne kan ikke indsættes. De ligger uden for de viste lektioner og dage. Fortsæt ?",
           MB_OKCANCEL) != IDOK)
    return 0;
  if (udenfor + fejlet >= total) {
    char tekst[80];
    std::snprintf(tekst, sizeof tekst, "Ingen af de %u kunne indsættes", static_cast<unsigned>(total));
    Boks(tekst);
    return 0;
  }
  bool slip = false;
  if (udenfor + fejlet > 0) {
    char linje[120];
    std::snprintf(linje, sizeof linje, "Kun %u af %u kan indsættes.\n", static_cast<unsigned>(total - udenfor - fejlet),
                  static_cast<unsigned>(total));
    std::string tekst = linje;
    static const struct {
      int kode;
      const char *fmt;
    } kLinjer[] = {
        {OPTAGET_AKTI, "Antal hvor aktiviteten er optaget: %u.\n"},
        {OPTAGET_ANFO, "Antal hvor medarbejderen er optaget: %u.\n"},
        {OPTAGET_LOKA, "Antal hvor lokalet er optaget: %u.\n"},
        {OPTAGET_INGEN_TIDER, "Antal hvor tider i ringetidssystemet mangler: %u.\n"},
        {OPTAGET_ELEVSAMMENFALD, "Antal med elevsammenfald på aktivitet: %u.\n"},
    };
    for (const auto &l : kLinjer)
      if (taellere[l.kode]) {
        std::snprintf(linje, sizeof linje, l.fmt, static_cast<unsigned>(taellere[l.kode]));
        tekst += linje;
      }
    slip = taellere[OPTAGET_ANFO] || taellere[OPTAGET_LOKA];
    tekst += slip ? "\nØnsker du at fortsætte ?\nSå indsættes de begivenheder uden fejl\nog dem, hvor medarbejder eller "
                    "lokale fejlede,\nindsættes begivenhederne uden medarbejder og lokale!"
                  : "\nØnsker du at fortsætte ?";
    if (Boks(tekst.c_str(), MB_OKCANCEL) != IDOK) return 0;
  }
  uint32_t ventet = 0, indsat = 0;
  for (const Forsoeg &f : forsoeg) {
    const bool med = f.gaar || (slip && (f.kode == OPTAGET_ANFO || f.kode == OPTAGET_LOKA));
    if (!med) continue;
    ++ventet;
    AVS kopi{};
    KopierAVS(&HuskUgeAVS[f.begivenhed], &kopi);
    bool ok = true;
    if (slip) ok = CheckBrik(ske, hwndHoved, f.kol, f.raekke, &kopi, false, false, nullptr, true);
    if (ok && ctrl) kopi.Dag = f.dag;
    if (ok && IndsaetBrik(ske, hwndHoved, f.kol, f.raekke, &kopi, false)) ++indsat;
    CleanupAVS(&kopi);
  }
  if (indsat < ventet) {
    char tekst[120];
    std::snprintf(tekst, sizeof tekst, "Der blev kun indsat %u af %u begivenheder.", static_cast<unsigned>(indsat),
                  static_cast<unsigned>(total));
    Boks(tekst);
  }
  return indsat;
}

SkemaTastSvar KopierUdfoer(HWND, SkeStruct *ske, const TastInfo &t) {
  SkemaTastSvar svar;
  if (t.ctrl)
    HuskObjekt(ske, true);
  else if (t.alt)
    HuskObjekt(ske, false);
  else
    HuskCelle(ske);
  return svar;
}

bool IndsaetTjek(HWND, SkeStruct *ske, const TastInfo &t, int mode) {
  const bool vis = mode == KMD_UDFOER;
  if (GlobalIndstillinger.supertavo) return Afvis(vis, "Der kan ikke slettes skema i et SuperTavoSkema!", "Sletning");
  if (GlobalIndstillinger.skemalaast) return Afvis(vis, "Der kan ikke slettes skema i et låst skema!", "Sletning");
  if (ske->BlokAktiv)
    return Afvis(vis, "Der kan ikke indsættes begivenheder, sålænge, der opmærkes til en eller flere nye blokke !",
                 "Fejl");
  if (ske->SaerligVisning) return Afvis(vis, kSkemaEnStatus, "Fejl");
  if (LaastPeriodeSpm(ske, ske->AktuelUgeRaekke, !vis) < 0) return false;
  if (!t.ctrl && (!t.alt || !HuskUgeAVSAntal)) {
    if (!CelleKopieret()) return false;
    const Markoer m = FindMarkoer(ske);
    AVS kopi{};
    KopierAVS(&KopiCelleAVS, &kopi);
    const bool gaar = m.ok && CheckBrik(ske, hwndHoved, m.kol, m.raekke, &kopi, true, vis, nullptr, false);
    CleanupAVS(&kopi);
    return gaar;
  }
  return true;
}

SkemaTastSvar IndsaetUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t) {
  SkemaTastSvar svar;
  const Markoer m = FindMarkoer(ske);
  if (!m.ok) return svar;
  if (t.wParam == VK_INSERT && (t.ctrl || t.alt)) {
    IndsaetBegivenheder(hwnd, ske, m.kol, m.raekke, t);
    SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
    if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
  } else if (t.wParam == VK_INSERT || t.ctrl) {
    AVS kopi{};
    KopierAVS(&KopiCelleAVS, &kopi);
    if (IndsaetBrik(ske, hwndHoved, m.kol, m.raekke, &kopi, false)) SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
    CleanupAVS(&kopi);
  } else {
    return svar;
  }
  if (IsWindow(hwnd)) SendMessageA(hwnd, SKE_FLYT_EFTER_INDSAET, ske->Layout == 'V' ? VK_DOWN : VK_RIGHT, 0);
  svar.tegn = SKE_TEGN_ALT;
  return svar;
}

namespace {

bool SammeObjekt(const SkeStruct *ske, const SkeStruct *fra) {
  return fra && fra != ske && !ske->AlleObjekter && ske->ObjektArt == fra->ObjektArt &&
         SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel) == SkeRaekkeObjekt(fra, fra->ObjPos.Aktuel);
}

}  // namespace

void HuskUgeFraAnden(HWND, SkeStruct *ske, const SkeStruct *fra) {
  if (SammeObjekt(ske, fra)) HuskObjekt(ske, false);
}

void IndsaetUgeFraAnden(HWND hwnd, SkeStruct *ske, const SkeStruct *fra) {
  if (!SammeObjekt(ske, fra)) return;
  const Markoer m = FindMarkoer(ske);
  if (!m.ok) return;
  TastInfo t{};
  t.alt = 1;
  t.wParam = VK_INSERT;
  IndsaetBegivenheder(hwnd, ske, m.kol, m.raekke, t);
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
  if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
}
