// The AutoSkema export. The document is built in memory and written whole
// through the crash-safe save; nothing in the tables changes before it is
// complete, so a stop at any point leaves the schedule and the folder as
// they were.
#include "ExpAutoSkema.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BESKEDER.h"
#include "FF_PlanFyld.h"
#include "GEMNING.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "PLAN.h"
#include "PROGVINDUER.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SLETBEG.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "VINDUER.h"
#include "eksportdlg.h"
#include "win/controls.h"
#include "win/dlg.h"

namespace {

constexpr char kEksportTitel[] = "AutoSkema Eksport!";
constexpr uint32_t kReserveretAkti = 999999999;

template <class R>
const R *Post(const TabDesc &td, const TabVar &tv, uint32_t nr) {
  if (nr == 0 || nr >= tv.wRecCnt || !tv.pbTab) return nullptr;
  return reinterpret_cast<const R *>(GetRec(&td, &tv, nr));
}

unsigned long Id(const TabDesc &td, const TabVar &tv, uint32_t nr) {
  const uint8_t *p = nr && nr < tv.wRecCnt && tv.pbTab ? GetRec(&td, &tv, nr) : nullptr;
  uint32_t id = 0;
  if (p) memcpy(&id, p, sizeof id);
  return id;
}

unsigned long AktiId(uint32_t n) { return Id(tdakti, tvakti, n); }
unsigned long AnfoId(uint32_t n) { return Id(tdanfo, tvanfo, n); }
unsigned long SkfaId(uint32_t n) { return Id(tdskfa, tvskfa, n); }
unsigned long RisyId(uint32_t n) { return Id(tdrisy, tvrisy, n); }
unsigned long LokaId(uint32_t n) { return Id(tdloka, tvloka, n); }

unsigned long MedaId(uint32_t anfo) {
  const AnfoRec *a = Post<AnfoRec>(tdanfo, tvanfo, anfo);
  return a ? Id(tdmeda, tvmeda, a->meda_id) : 0;
}

bool Levende(uint8_t status) { return status >= 10 && status <= 29; }

// Not free, and not a deletion of this installation's.
bool RaekkeLever(uint32_t status) { return status != 0 && (status & 0x48) != 0x48; }

bool AutoSkemaRaekke(uint32_t status) { return (status & 448) == SKE_AUTOSKEMA; }

void Marker(std::vector<uint8_t> &v, uint32_t n) {
  if (n < v.size()) v[n] = 1;
}
bool Markeret(const std::vector<uint8_t> &v, uint32_t n) { return n < v.size() && v[n]; }
void Marker(AutoSkemaMaerker &v, uint32_t n) {
  if (n < v.antal) v.data[n] = 1;
}
bool Markeret(const AutoSkemaMaerker &v, uint32_t n) { return n < v.antal && v.data[n]; }

uint64_t Noegle(uint32_t akti, uint32_t skfa, uint32_t anfo) {
  // Record numbers of these tables stay far below 2^21.
  return (uint64_t(akti & 0x1FFFFF) << 42) | (uint64_t(skfa & 0x1FFFFF) << 21) | (anfo & 0x1FFFFF);
}

// The parameters file's integer, read fresh for every export.
int Param(const char *sektion, const char *noegle, int standard) {
  return static_cast<int>(GetPrivateProfileIntA(sektion, noegle, standard, StiTab.szautoske));
}

void Boks(const char *tekst, const char *titel, UINT ikon) { MessageBoxA(hwndHoved, tekst, titel, MB_OK | ikon); }

// The person ids of an activity's enrolment rows that overlap [fra, til].
void Elever(AutoSkemaDok *dok, uint32_t akti, Dato fra, Dato til, bool *foerste) {
  for (uint32_t n = 1; n < tvakpl.wRecCnt && tvakpl.pbTab; ++n) {
    const AkplRec *p = Post<AkplRec>(tdakpl, tvakpl, n);
    if (!p || p->akti_id != akti || p->Startdato > til || p->Slutdato < fra) continue;
    dok->Printf("%s%lu", *foerste ? "" : ",", Id(tdpers, tvpers, p->pers_id));
    *foerste = false;
  }
}

}  // namespace

void AutoSkemaDok::Printf(const char *format, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, format);
  const int n = vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof buf) {
    tekst.append(buf, static_cast<size_t>(n));
    return;
  }
  std::string stor(static_cast<size_t>(n) + 1, '\0');
  va_start(ap, format);
  vsnprintf(stor.data(), stor.size(), format, ap);
  va_end(ap);
  tekst.append(stor.data(), static_cast<size_t>(n));
}

void AutoSkemaDok::Tekst(const char *felt, size_t stoerrelse) {
  tekst += '"';
  for (size_t i = 0; i < stoerrelse && felt[i]; ++i) {
    const unsigned char c = static_cast<unsigned char>(felt[i]);
    if (c == '"' || c == '\\') {
      tekst += '\\';
      tekst += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char esc[8];
      snprintf(esc, sizeof esc, "\\u%04x", c);
      tekst += esc;
    } else {
      tekst += static_cast<char>(c);
    }
  }
  tekst += '"';
}

AutoSkemaMaerker::~AutoSkemaMaerker() { free(data); }

bool AutoSkemaValg::Alloker() {
  auto alloker = [](AutoSkemaMaerker &m, uint32_t antal) {
    m.data = static_cast<uint8_t *>(TabAlloc.Calloc(antal + 1u, 1));
    m.antal = m.data ? antal + 1u : 0;
    return m.data != nullptr;
  };
  return alloker(akti, tvakti.wRecCnt) && alloker(anfo, tvanfo.wRecCnt) && alloker(risy, tvrisy.wRecCnt) &&
         alloker(skfa, tvskfa.wRecCnt);
}

uint32_t AutoSkemaEksport::Skemalagt(uint32_t akti, uint32_t skfa, uint32_t anfo) const {
  const uint64_t k = Noegle(akti, skfa, anfo);
  auto it = std::lower_bound(skemalagt.begin(), skemalagt.end(), std::make_pair(k, uint32_t{0}));
  return it != skemalagt.end() && it->first == k ? it->second : 0;
}

// ---- The sections ----

void SkrivParametre(AutoSkemaDok *dok, const AutoSkemaEksport &e) {
  // A key of older parameter files that the module no longer takes.
  WritePrivateProfileStringA("straffaktorer", "undervisning_i_lektion_7_eller_8", nullptr, StiTab.szautoske);
  dok->Printf("\"parametre\":{");
  dok->Printf("\"instnr\":%i,\"ugenr\":%lu", static_cast<int>(GlobalIndstillinger.insnr),
              static_cast<unsigned long>(e.uge));
  dok->Printf(",\"antalkoersler\":%d", Param("global", "antalkoersler", 3));
  dok->Printf(",\"sene_lektioner_for_undervisning\":%d", Param("global", "sene_lektioner_for_undervisning", 7));
  dok->Printf(",\"regn_i_minutter\":%s", Param("global", "regn_i_minutter", 1) ? "true" : "false");
  dok->Printf(",\"antal_minutter_der_ikke_giver_mellemtid\":%d",
              Param("global", "antal_minutter_der_ikke_giver_mellemtid", 35));
  dok->Printf(",\"straffaktorer\": {");
  dok->Printf("\"mellemtime_elev\":%d", Param("straffaktorer", "mellemtime_elev", 6));
  dok->Printf(",\"mellemtime_medarbejder\":%d", Param("straffaktorer", "mellemtime_medarbejder", 3));
  dok->Printf(",\"lektioner_med_for_faa_dages_mellemrum\":%d",
              Param("straffaktorer", "lektioner_med_for_faa_dages_mellemrum", 3));
  dok->Printf(",\"usammenhaengende_blok\":%d", Param("straffaktorer", "usammenhaengende_blok", 4));
  dok->Printf(",\"sene_lektioner\":%d", Param("straffaktorer", "sene_lektioner", 6));
  dok->Printf(",\"undervisning_uden_for_stamlokale\":%d",
              Param("straffaktorer", "undervisning_uden_for_stamlokale", 1));
  dok->Printf(",\"undervisning_i_sene_lektioner\":%d", Param("straffaktorer", "undervisning_i_sene_lektioner", 1));
  dok->Printf(",\"daarlige_lektioner_medarbejder\":%d",
              Param("straffaktorer", "daarlige_lektioner_medarbejder", 3));
  dok->Printf("} }");
}

void SkrivSkemabegivenheder(AutoSkemaDok *dok, AutoSkemaEksport *e) {
  dok->Printf("\"skemabegivenheder\":[");
  const TabVar *b = SkemabegBucket(e->uge);
  std::vector<std::pair<uint64_t, uint32_t>> taelling;
  bool foersteBeg = true;
  const uint8_t insnr = static_cast<uint8_t>(GlobalIndstillinger.insnr);
  for (uint32_t r = 1; b && b->pbTab && r < b->wRecCnt; ++r) {
    const SkeRec &f = *Post<SkeRec>(tdske, *b, r);
    if (f.Forste != r || !RaekkeLever(f.Status)) continue;
    // The rows of the event: the run behind its first row.
    uint32_t slut = r + 1;
    while (slut < b->wRecCnt && Post<SkeRec>(tdske, *b, slut)->Forste == r) ++slut;
    // Earlier results of the module go when this document is complete;
    // until then they are neither written nor counted.
    if (AutoSkemaRaekke(f.Status)) {
      e->gamleAuto.push_back(r);
      continue;
    }
    bool fremmedOvak = false, fremmedDeltager = false;
    for (uint32_t k = r; k < slut; ++k) {
      const SkeRec &s = *Post<SkeRec>(tdske, *b, k);
      if (s.Ejer == insnr) continue;
      if (const AktiRec *a = Post<AktiRec>(tdakti, tvakti, s.akti_id)) {
        char type[sizeof a->Type + 1] = {};
        memcpy(type, a->Type, sizeof a->Type);
        if (strcmp(type, "OVAK") == 0) fremmedOvak = true;
      }
      const AnfoRec *af = Post<AnfoRec>(tdanfo, tvanfo, s.anfo_id);
      const LokaRec *lo = Post<LokaRec>(tdloka, tvloka, s.loka_id);
      if ((af && Levende(af->Status)) || (lo && Levende(lo->Status))) fremmedDeltager = true;
    }
    if (fremmedOvak && !fremmedDeltager) continue;
    const Dato dato = UgeDagTilDato(e->uge, f.Dag);
    Marker(e->valg.risy, f.risy_id);
    if (f.akti_id == 0 && f.anfo_id == 0 && f.loka_id == 0) continue;

    std::string akti, undervisere, loka;
    std::vector<uint32_t> aktiviteter;
    for (uint32_t k = r; k < slut; ++k) {
      const SkeRec &s = *Post<SkeRec>(tdske, *b, k);
      char buf[64];
      if (const unsigned long id = AktiId(s.akti_id)) {
        snprintf(buf, sizeof buf, "%s%lu", akti.empty() ? "" : ",", id);
        akti += buf;
        aktiviteter.push_back(uint32_t{s.akti_id});
        Marker(e->valg.akti, s.akti_id);
      }
      const AnfoRec *af = Post<AnfoRec>(tdanfo, tvanfo, s.anfo_id);
      if (af && af->meda_id && Levende(af->Status)) {
        snprintf(buf, sizeof buf, "%s{\"anfo_id\":%lu,\"meda_id\":%lu}", undervisere.empty() ? "" : ",",
                 static_cast<unsigned long>(af->id), MedaId(s.anfo_id));
        undervisere += buf;
      }
      taelling.emplace_back(Noegle(s.akti_id ? s.akti_id : f.akti_id, f.skfa_id, s.anfo_id), 1);
      if (const unsigned long id = LokaId(s.loka_id)) {
        snprintf(buf, sizeof buf, "%s%lu", loka.empty() ? "" : ",", id);
        loka += buf;
      }
    }
    dok->Printf("%s{", foersteBeg ? "\n" : ",\n");
    foersteBeg = false;
    dok->Printf("\"skemabeg_id\":%lu,\"dato\":%lu,\"lektion\":%lu,\"start\":%lu,\"slut\":%lu,\"risy_id\":%lu,"
                "\"skfa_id\":%lu,",
                static_cast<unsigned long>(f.id), static_cast<unsigned long>(dato),
                static_cast<unsigned long>(f.Lektion), static_cast<unsigned long>(f.Starttid),
                static_cast<unsigned long>(f.Sluttid), RisyId(f.risy_id), SkfaId(f.skfa_id));
    dok->Printf("\"akti\":[%s],\n\"undervisere\":[%s],\"loka\":[%s],\n", akti.c_str(), undervisere.c_str(),
                loka.c_str());
    dok->Printf("\"elever\":[");
    bool foerste = true;
    for (uint32_t a : aktiviteter) Elever(dok, a, dato, dato, &foerste);
    dok->Printf("]}");
  }
  dok->Printf("\n]\n");
  std::sort(taelling.begin(), taelling.end());
  for (const auto &t : taelling) {
    if (!e->skemalagt.empty() && e->skemalagt.back().first == t.first)
      ++e->skemalagt.back().second;
    else
      e->skemalagt.push_back(t);
  }
}

namespace {

// A base row that may be exported at all.
const FfgrundRec *PlanRaekke(uint32_t n) {
  const FfgrundRec *g = Post<FfgrundRec>(tdffgrund, tvffgrund, n);
  if (!g || g->Ejer != static_cast<uint8_t>(GlobalIndstillinger.insnr) || g->Skolefag == 0 || g->Status == 30 ||
      (g->Medarbejder1 == 0 && g->Medarbejder2 == 0) || g->Status == 0)
    return nullptr;
  return g;
}

bool UgeRaekkeLever(const FftaltabRec &t) { return t.Status != 0 && (t.Status & 0x48) != 0x48; }

// For each base row, whether it has a week row of the week with lessons.
std::vector<uint8_t> HarLektionerIUgen(Uge uge) {
  std::vector<uint8_t> har(tvffgrund.wRecCnt + 1, 0);
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt && tvfftaltab.pbTab; ++n) {
    const FftaltabRec *t = Post<FftaltabRec>(tdfftaltab, tvfftaltab, n);
    if (t && t->Uge == uge && t->Lektioner > 0 && UgeRaekkeLever(*t) && t->ffgrund_id < har.size())
      har[t->ffgrund_id] = 1;
  }
  return har;
}

}  // namespace

std::vector<uint32_t> FindAndrePlanGrupper(const AutoSkemaEksport &e) {
  const std::vector<uint8_t> har = HarLektionerIUgen(e.uge);
  std::vector<uint8_t> anfo(tvanfo.wRecCnt + 1, 0);
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = PlanRaekke(n);
    if (!g || g->ffpg_id != e.gruppe || !har[n]) continue;
    Marker(anfo, g->Medarbejder1);
    Marker(anfo, g->Medarbejder2);
  }
  std::vector<uint8_t> grupper(tvffpg.wRecCnt + 1, 0);
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = PlanRaekke(n);
    if (!g || g->ffpg_id == e.gruppe || !har[n]) continue;
    if (Markeret(anfo, g->Medarbejder1) || Markeret(anfo, g->Medarbejder2)) Marker(grupper, g->ffpg_id);
  }
  std::vector<uint32_t> ud;
  for (uint32_t n = 1; n < grupper.size(); ++n)
    if (grupper[n] && Post<FfpgRec>(tdffpg, tvffpg, n)) ud.push_back(n);
  return ud;
}

INT_PTR CALLBACK AndrePlanGrupperDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
      const auto *grupper = reinterpret_cast<std::vector<uint32_t> *>(lParam);
      HWND liste = GetDlgItem(hDlg, IDC_ANDRE_GRUPPER);
      for (uint32_t g : *grupper) {
        const FfpgRec *p = Post<FfpgRec>(tdffpg, tvffpg, g);
        char navn[sizeof p->Navn + 1] = {};
        if (p) memcpy(navn, p->Navn, sizeof p->Navn);
        // The number after the last blank names the group; the wide field
        // keeps it out of sight.
        char linje[300];
        snprintf(linje, sizeof linje, "%s %200lu", navn, static_cast<unsigned long>(g));
        const LRESULT i = SendMessageA(liste, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(linje));
        if (i >= 0) SendMessageA(liste, LB_SETSEL, TRUE, i);
      }
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          auto *grupper = reinterpret_cast<std::vector<uint32_t> *>(GetWindowLongPtrA(hDlg, DWLP_USER));
          HWND liste = GetDlgItem(hDlg, IDC_ANDRE_GRUPPER);
          const LRESULT antal = SendMessageA(liste, LB_GETCOUNT, 0, 0);
          std::vector<uint32_t> valgt;
          for (LRESULT i = 0; i < antal; ++i) {
            if (SendMessageA(liste, LB_GETSEL, i, 0) <= 0) continue;
            const LRESULT n = SendMessageA(liste, LB_GETTEXTLEN, i, 0);
            if (n <= 0) continue;
            std::string linje(static_cast<size_t>(n) + 1, '\0');
            SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(linje.data()));
            linje.resize(strlen(linje.c_str()));
            const size_t blank = linje.find_last_of(' ');
            if (blank == std::string::npos) continue;
            const uint32_t g = static_cast<uint32_t>(strtoul(linje.c_str() + blank + 1, nullptr, 10));
            if (g) valgt.push_back(g);
          }
          *grupper = valgt;
          EndDialog(hDlg, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(hDlg, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

bool SkrivPlanbegivenheder(AutoSkemaDok *dok, AutoSkemaEksport *e) {
  std::vector<uint32_t> andre = FindAndrePlanGrupper(*e);
  if (!andre.empty()) {
    RegistrerEksportDialoger();
    if (DialogBoxParamA(0, MAKEINTRESOURCE(IDD_ANDREPLANGRUPPER), hwndHoved, AndrePlanGrupperDlgProc,
                        reinterpret_cast<LPARAM>(&andre)) != IDOK)
      return false;
  }
  std::vector<uint8_t> grupper(tvffpg.wRecCnt + 1, 0);
  Marker(grupper, e->gruppe);
  for (uint32_t g : andre) Marker(grupper, g);

  const int standardBlok = Param("global", "lektionsblokke", 2);
  const int afstand = Param("global", "lektionsafstand", 0);

  // The week rows to export, per base row in record order (one week: the
  // base row's number orders them).
  std::vector<std::vector<uint32_t>> uger(tvffgrund.wRecCnt + 1);
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt && tvfftaltab.pbTab; ++n) {
    const FftaltabRec *t = Post<FftaltabRec>(tdfftaltab, tvfftaltab, n);
    if (!t || t->Uge != e->uge || !UgeRaekkeLever(*t) || t->Lektioner == 0 || t->ffgrund_id >= uger.size()) continue;
    const FfgrundRec *g = Post<FfgrundRec>(tdffgrund, tvffgrund, t->ffgrund_id);
    if (!g || !Markeret(grupper, g->ffpg_id)) continue;
    if (e->Skemalagt(g->Aktivitet, g->Skolefag, g->Medarbejder1) >= t->Lektioner / 10) continue;
    uger[t->ffgrund_id].push_back(n);
  }

  dok->Printf("\"planbegivenheder\":[\n");
  bool foerste = true;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = PlanRaekke(n);
    if (!g || uger[n].empty()) continue;
    const AktiRec *a = Post<AktiRec>(tdakti, tvakti, g->Aktivitet);
    if (!a || a->StartUge > e->uge || a->SlutUge < e->uge) continue;
    const unsigned long blok = g->LektionsBlok ? g->LektionsBlok : static_cast<unsigned long>(standardBlok);
    dok->Printf("%s{", foerste ? "" : ",\n");
    foerste = false;
    dok->Printf("\"akti_id\":%lu,\"skfa_id\":%lu,\"loka_id\":%lu,\"antalelever\":%lu,\"lektionerialt\":%lu,"
                "\"lektionsblok\":%lu,\"lektionsafstand\":%lu,\n",
                AktiId(g->Aktivitet), SkfaId(g->Skolefag), 0ul, 0ul, static_cast<unsigned long>(g->SumLektioner / 10),
                blok, static_cast<unsigned long>(afstand));
    Marker(e->valg.akti, g->Aktivitet);
    Marker(e->valg.skfa, g->Skolefag);
    dok->Printf("\"undervisere\":[");
    if (g->Medarbejder1) {
      dok->Printf("{\"anfo_id\":%lu,\"meda_id\":%lu}", AnfoId(g->Medarbejder1), MedaId(g->Medarbejder1));
      Marker(e->valg.anfo, g->Medarbejder1);
    }
    if (g->Medarbejder2) {
      dok->Printf("%s{\"anfo_id\":%lu,\"meda_id\":%lu}", g->Medarbejder1 ? "," : "", AnfoId(g->Medarbejder2),
                  MedaId(g->Medarbejder2));
      Marker(e->valg.anfo, g->Medarbejder2);
    }
    dok->Printf("],\n\"uger\":[");
    bool foersteUge = true;
    for (uint32_t t : uger[n]) {
      const FftaltabRec *u = Post<FftaltabRec>(tdfftaltab, tvfftaltab, t);
      const uint32_t lektioner = u->Lektioner / 10 - e->Skemalagt(g->Aktivitet, g->Skolefag, g->Medarbejder1);
      if (lektioner > blok * 5) {
        const SkfaRec *f = Post<SkfaRec>(tdskfa, tvskfa, g->Skolefag);
        char aktivitet[sizeof a->Aktivitet + 1] = {}, fag[sizeof f->Skolefag + 1] = {},
             betegnelse[sizeof f->Betegnelse + 1] = {};
        memcpy(aktivitet, a->Aktivitet, sizeof a->Aktivitet);
        if (f) {
          memcpy(fag, f->Skolefag, sizeof f->Skolefag);
          memcpy(betegnelse, f->Betegnelse, sizeof f->Betegnelse);
        }
        char tekst[600];
        snprintf(tekst, sizeof tekst,
                 "Antal af lektioner (%d) med pågældende lektionsblok-størrelse (%d), kan ikke placeres på en uge, "
                 "med en blok pr. dag.\r\n\r\nAktivitet: %s Skolefag:%s - %s\r\n\r\nTilpas og lav derefter "
                 "eksporten på ny.",
                 static_cast<int>(lektioner), static_cast<int>(blok), aktivitet, fag, betegnelse);
        Boks(tekst, "Kan ikke placere lektioner!", MB_ICONEXCLAMATION);
        return false;
      }
      dok->Printf("%s{\"ugenr\":%lu,\"lektioner\":%lu}", foersteUge ? "" : ",", static_cast<unsigned long>(u->Uge),
                  static_cast<unsigned long>(lektioner));
      foersteUge = false;
    }
    dok->Printf("]}");
  }
  dok->Printf("]\n");
  return true;
}

void SkrivAktiviteter(AutoSkemaDok *dok, AutoSkemaEksport *e) {
  dok->Printf("\"aktiviteter\":[\n");
  bool foerste = true;
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
    const AktiRec *a = Post<AktiRec>(tdakti, tvakti, n);
    if (!a || !Markeret(e->valg.akti, n) || a->id == kReserveretAkti) continue;
    dok->Printf("%s{\"akti_id\":%lu,\"aktivitet\":", foerste ? "" : ",\n", static_cast<unsigned long>(a->id));
    foerste = false;
    dok->Tekst(a->Aktivitet, sizeof a->Aktivitet);
    dok->Printf(",\"startdato\":%lu,\"slutdato\":%lu,\"risy_id\":%lu,", static_cast<unsigned long>(a->Fradato),
                static_cast<unsigned long>(a->Tildato), RisyId(a->risy_id));
    Marker(e->valg.risy, a->risy_id);
    dok->Printf("\"elever\":[");
    bool foersteElev = true;
    Elever(dok, n, e->mandag, e->soendag, &foersteElev);
    dok->Printf("]}");
  }
  dok->Printf("]\n");
}

namespace {

void SkrivRingetider(AutoSkemaDok *dok, const AutoSkemaEksport &e) {
  dok->Printf("\"ringetider\":[\n");
  bool foerste = true;
  for (uint32_t n = 1; n < tvrisy.wRecCnt; ++n) {
    const RisyRec *r = Post<RisyRec>(tdrisy, tvrisy, n);
    if (!r || !Markeret(e.valg.risy, n)) continue;
    dok->Printf("%s\"risy_id\":%lu,\"ringesystem\":", foerste ? "{" : ",{", static_cast<unsigned long>(r->id));
    foerste = false;
    dok->Tekst(r->Ringesystem, sizeof r->Ringesystem);
    dok->Printf(",\"lektioner\":[");
    for (uint32_t l = 0; l < 48; ++l) {
      const uint32_t start = r->Starttid[l], slut = r->Sluttid[l];
      const float std = r->Antal_std_lektioner[l];
      // The first lesson is written even when it starts at 0.
      if (l > 0 && start == 0) break;
      dok->Printf("%s{\"lektion\":%lu,\"antal_std_lektioner\":%2.2f,\"starttid\":%lu,\"sluttid\":%lu}",
                  l ? "," : "", static_cast<unsigned long>(l + 1), static_cast<double>(std),
                  static_cast<unsigned long>(start), static_cast<unsigned long>(slut));
    }
    dok->Printf("]}\n");
  }
  dok->Printf("]\n");
}

void SkrivLokaler(AutoSkemaDok *dok) {
  dok->Printf("\"lokaler\":[\n");
  const uint32_t valg = HuskGruppe[GRP_LOKA];
  bool foerste = true;
  for (uint32_t n = 1; n < tvloka.wRecCnt; ++n) {
    const LokaRec *l = Post<LokaRec>(tdloka, tvloka, n);
    if (!l || !Levende(l->Status) || l->Fradato > SkemaPeriode.TilDato || l->Tildato < SkemaPeriode.FraDato) continue;
    const uint32_t gruppe = l->Gruppe;
    if ((gruppe & valg) == 0 || (gruppe & 0x80000000u) != 0) continue;
    char pladser[sizeof l->Undervisningspladser + 1] = {};
    memcpy(pladser, l->Undervisningspladser, sizeof l->Undervisningspladser);
    dok->Printf("%s{\"loka_id\":%lu,\"undervisningspladser\":%d}", foerste ? "" : ",\n",
                static_cast<unsigned long>(l->id), atoi(pladser));
    foerste = false;
  }
  dok->Printf("\n]\n");
}

void SkrivSkolefridage(AutoSkemaDok *dok, const AutoSkemaEksport &e) {
  dok->Printf("\"skolefridage\":[\n");
  bool foerste = true;
  for (uint8_t d = 1; d <= 5; ++d) {
    if (!Helligdag(UgeDagTilDato(e.uge, d))) continue;
    dok->Printf("%s{\"dagnr\":%lu}", foerste ? "" : ",\n", static_cast<unsigned long>(d));
    foerste = false;
  }
  dok->Printf("\n]\n");
}

// A relation table of (object, room) records: one element per run of
// records of a marked object, rooms whose group mask has its top bit set
// left out.
template <class R, class Felt>
void SkrivRelation(AutoSkemaDok *dok, const TabDesc &td, const TabVar &tv, const AutoSkemaMaerker &valg,
                   const char *navn, const char *objekt, int prioritet, Felt felt, unsigned long (*id)(uint32_t)) {
  std::vector<uint32_t> liste;
  for (uint32_t n = 1; n < tv.wRecCnt; ++n)
    if (const R *r = Post<R>(td, tv, n); r && r->Status != 0 && Markeret(valg, felt(*r))) liste.push_back(n);
  std::stable_sort(liste.begin(), liste.end(), [&](uint32_t a, uint32_t b) {
    return id(felt(*Post<R>(td, tv, a))) < id(felt(*Post<R>(td, tv, b)));
  });
  dok->Printf("\"%s\":[\n", navn);
  uint32_t aktuel = 0;
  bool foersteLokale = true;
  for (uint32_t n : liste) {
    const R *r = Post<R>(td, tv, n);
    const LokaRec *l = Post<LokaRec>(tdloka, tvloka, r->loka_id);
    if (!l) continue;
    const uint32_t gruppe = l->Gruppe;
    if (gruppe & 0x80000000u) continue;
    if (felt(*r) != aktuel) {
      dok->Printf("%s{\"%s\":%lu, \"lokaler\":[", aktuel ? "]},\n" : "", objekt, id(felt(*r)));
      aktuel = felt(*r);
      foersteLokale = true;
    }
    dok->Printf("%s{\"loka_id\":%lu,\"prioritet\":%d}", foersteLokale ? "" : ",", static_cast<unsigned long>(l->id),
                prioritet);
    foersteLokale = false;
  }
  dok->Printf(aktuel ? "]}\n]\n" : "]\n");
}

}  // namespace

void SkrivMedarbejdsperioder(AutoSkemaDok *dok, const AutoSkemaEksport &e) {
  std::vector<uint32_t> liste;
  for (uint32_t n = 1; n < tvmedaskeprior.wRecCnt; ++n) {
    const MedaskepriorRec *p = Post<MedaskepriorRec>(tdmedaskeprior, tvmedaskeprior, n);
    if (p && p->Status != 0 && (p->Status & 8) == 0 && Markeret(e.valg.anfo, p->anfo_id)) liste.push_back(n);
  }
  auto rec = [](uint32_t n) { return *Post<MedaskepriorRec>(tdmedaskeprior, tvmedaskeprior, n); };
  std::stable_sort(liste.begin(), liste.end(), [&](uint32_t a, uint32_t b) {
    const MedaskepriorRec x = rec(a), y = rec(b);
    const unsigned long ix = AnfoId(x.anfo_id), iy = AnfoId(y.anfo_id);
    if (ix != iy) return ix < iy;
    if (x.Ugedag != y.Ugedag) return x.Ugedag < y.Ugedag;
    return x.Starttid < y.Starttid;
  });
  dok->Printf("\"medaarbejdsperioder\":[\n");
  uint32_t anfo = 0;
  bool aaben = false;  // a period waits for its end
  MedaskepriorRec forrige{};
  auto luk = [&] {
    if (aaben)
      dok->Printf(",\"sluttid\":%lu,\"prioritet\":%li}", static_cast<unsigned long>(forrige.Sluttid),
                  static_cast<long>(forrige.prioritet));
    aaben = false;
  };
  for (uint32_t n : liste) {
    const MedaskepriorRec p = rec(n);
    if (p.anfo_id != anfo) {
      luk();
      dok->Printf("%s{\"meda_id\":%lu, \"perioder\":[\n", anfo ? "]},\n" : "", MedaId(p.anfo_id));
      anfo = p.anfo_id;
    } else if (aaben && p.Ugedag == forrige.Ugedag && p.Starttid == forrige.Sluttid &&
               p.prioritet == forrige.prioritet) {
      forrige.Sluttid = p.Sluttid;
      continue;
    } else {
      luk();
      dok->Printf(",\n");
    }
    dok->Printf("{\"ugedag\":%lu,\"starttid\":%lu", static_cast<unsigned long>(p.Ugedag),
                static_cast<unsigned long>(p.Starttid));
    forrige = p;
    aaben = true;
  }
  luk();
  dok->Printf(anfo ? "]}\n]\n" : "]\n");
}

void SkrivSkolefagLokale(AutoSkemaDok *dok, const AutoSkemaEksport &e) {
  SkrivRelation<SkfalokarelRec>(dok, tdskfalokarel, tvskfalokarel, e.valg.skfa, "skolefag_lokale", "skfa_id", 3,
                                [](const SkfalokarelRec &r) -> uint32_t { return r.skfa_id; }, SkfaId);
}

void SkrivAktivitetLokale(AutoSkemaDok *dok, const AutoSkemaEksport &e) {
  SkrivRelation<AlrelRec>(dok, tdalrel, tvalrel, e.valg.akti, "aktivitet_lokale", "akti_id", 1, [](const AlrelRec &r) -> uint32_t { return r.akti_id; }, AktiId);
}

// ---- The command ----

void ExpAutoSkema() {
  HWND planVindue = FindVindueType(kPlanVindueType);
  const Plan *plan =
      planVindue ? reinterpret_cast<const Plan *>(SendMessageA(planVindue, REL_PLAN_TILSTAND, 0, 0)) : nullptr;
  if (!plan) {
    const char *tekst = "Planmodul skal være åbent for at kunne eksportere til autoskema";
    Boks(tekst, "Planmodul ikke åbent!", MB_ICONEXCLAMATION);
    LogPrintf("%s\n", tekst);
    return;
  }
  AutoSkemaEksport e;
  uint8_t dag = 0;
  DatoTilUge(SkemaPeriode.AktuelDato, &e.uge, &dag);
  e.mandag = UgeDagTilDato(e.uge, 1);
  e.soendag = UgeDagTilDato(e.uge, 7);
  e.gruppe = plan->AktPlanGruppe;

  // The import of a waiting answer deletes the export file: a new export
  // made before it would be lost unsent.
  if (GetFileAttributesA(StiTab.szasimp) != INVALID_FILE_ATTRIBUTES) {
    Boks("Der ligger et svar fra AutoSkema, som endnu ikke er indlæst.\nIndlæs det med \"Import fra AutoSkema\", "
         "før du laver en ny eksport.",
         kEksportTitel, MB_ICONEXCLAMATION);
    return;
  }
  // The contact packs the document for sending and keeps only the packed
  // form: that alone says the job is at the server.
  char gz[kStiLaengde + 4];
  snprintf(gz, sizeof gz, "%s.gz", StiTab.szasexp);
  if (GetFileAttributesA(gz) != INVALID_FILE_ATTRIBUTES) {
    Boks("Der er allerede oprettet en eksportfil.\nOg serveren behandler den i øjeblikket, vent til serveren har "
         "færdigbehandlet exporten.\nDu kan ikke lave en ny eksport før den eksistende er behandlet færdig.",
         kEksportTitel, MB_ICONEXCLAMATION);
    return;
  }
  if (GetFileAttributesA(StiTab.szasexp) != INVALID_FILE_ATTRIBUTES) GemSlet(StiTab.szasexp);
  while (FjernPerTabDubletter() != 0) {
  }
  while (FjernTalTabDubletter() != 0) {
  }
  if (!e.valg.Alloker()) {
    Boks("Der er ikke hukommelse nok til eksporten til AutoSkema.\nDer er ikke lavet nogen eksportfil.",
         kEksportTitel, MB_ICONEXCLAMATION);
    return;
  }
  LogPrintf("   Eksporterer til autoSkema for perioden %d til %d (%s)\n", static_cast<int>(e.mandag),
            static_cast<int>(e.soendag), StiTab.szasexp);

  AutoSkemaDok dok;
  dok.Printf("{\n");
  SkrivParametre(&dok, e);
  dok.Printf(",\n");
  SkrivSkemabegivenheder(&dok, &e);
  dok.Printf(",\n");
  if (!SkrivPlanbegivenheder(&dok, &e)) return;
  dok.Printf(",\n");
  SkrivAktiviteter(&dok, &e);
  dok.Printf(",\n");
  SkrivRingetider(&dok, e);
  dok.Printf(",\n");
  SkrivLokaler(&dok);
  dok.Printf(",\n");
  SkrivMedarbejdsperioder(&dok, e);
  dok.Printf(",\n");
  SkrivSkolefagLokale(&dok, e);
  dok.Printf(",\n");
  SkrivAktivitetLokale(&dok, e);
  dok.Printf(",\n");
  SkrivSkolefridage(&dok, e);
  dok.Printf("}\n");

  GemFil fil;
  if (!fil.Aabn(StiTab.szasexp) || !fil.Skriv(dok.tekst.data(), dok.tekst.size()) || !fil.Luk()) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(hwndHoved, fejl);
    LogPrintf("** Fejl: ExpAutoSkema(): %s kunne ikke skrives\n", StiTab.szasexp);
    return;
  }
  // Only now that the module has the week do its earlier results go.
  const uint8_t aarIdx = static_cast<uint8_t>(e.uge / 100 - SkemaPeriode.BaseAar);
  for (uint32_t forste : e.gamleAuto) SletBegivenhed(aarIdx, static_cast<uint8_t>(e.uge % 100), forste);
  if (!e.gamleAuto.empty()) SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);

  char tekst[kStiLaengde + 80];
  snprintf(tekst, sizeof tekst, "Data for uge %u er nu eksporteret til %s.", static_cast<unsigned>(e.uge),
           StiTab.szasexp);
  Boks(tekst, "Eksport afsluttet!", MB_ICONINFORMATION);
  LogPrintf("   %s\n", tekst);
  if (StatusFelter.Server) SendMessageA(StatusFelter.Server, WM_KONTAKT_NU, 0, 1);
}
