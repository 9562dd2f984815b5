// The plan reports' shared choices: the employment list, the entries of the
// plan list with their 24-byte keys, and the waits before reading them.
#include "UdskrivValg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "BESKEDER.h"
#include "KATALOG.h"
#include "PLAN.h"
#include "PLANIDX.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "VINDUER.h"

std::string FeltTekst(const char *felt, size_t n) { return std::string(felt, strnlen(felt, n)); }

namespace {

std::string AnfoTekst(uint32_t anfo) {
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  if (!a) return "";
  const MedaRec *m = a->meda_id ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
  const std::string ini = m ? FeltTekst(m->Initialer, sizeof m->Initialer) : "";
  const std::string navn = m ? FeltTekst(m->Navn, sizeof m->Navn) : "";
  char b[400];
  std::snprintf(b, sizeof b, "%s\t%s\t%s %*d", ini.c_str(), FeltTekst(a->Loebenummer, sizeof a->Loebenummer).c_str(),
                navn.c_str(), 200, static_cast<int>(anfo));
  return b;
}

uint32_t TekstAnfo(const char *tekst) {
  const char *p = std::strrchr(tekst, ' ');
  return static_cast<uint32_t>(std::strtoul(p ? p + 1 : tekst, nullptr, 10));
}

}  // namespace

void FyldAnfoListe(HWND liste) {
  std::set<uint32_t> iPlan;
  TagTalMutex();
  if (PlanTal.PlanTab)
    for (uint32_t i = 1; i <= PlanTal.Antal; ++i) {
      const uint32_t anfo = PlanTal.PlanTab[i].anfo;  // a packed field: by value
      iPlan.insert(anfo);
    }
  SlipTalMutex();
  for (uint32_t anfo : iPlan) {
    const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
    if (!anfo || !a || a->Status < 10 || a->Status > 29 || IsStjerneMeda(anfo)) continue;
    const std::string t = AnfoTekst(anfo);
    if (t.empty() || t[0] == '<') continue;
    SendMessageA(liste, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
  }
  VaelgAnfoIListe(liste, tvanfo.AktuelRec);
}

bool VaelgAnfoIListe(HWND liste, uint32_t anfo) {
  if (!anfo) return false;
  const int antal = static_cast<int>(SendMessageA(liste, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < antal; ++i) {
    char b[400] = "";
    if (SendMessageA(liste, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof b)) continue;
    SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
    if (TekstAnfo(b) != anfo) continue;
    SendMessageA(liste, LB_SETSEL, TRUE, i);
    SendMessageA(liste, LB_SETCARETINDEX, i, 0);
    SendMessageA(liste, LB_SETTOPINDEX, i, 0);
    return true;
  }
  return false;
}

std::vector<uint32_t> ValgteAnfo(HWND liste) {
  std::vector<uint32_t> r;
  const int antal = static_cast<int>(SendMessageA(liste, LB_GETSELCOUNT, 0, 0));
  if (antal <= 0) return r;
  std::vector<int> valgte(static_cast<size_t>(antal));
  const int faaet = static_cast<int>(
      SendMessageA(liste, LB_GETSELITEMS, static_cast<WPARAM>(antal), reinterpret_cast<LPARAM>(valgte.data())));
  for (int i = 0; i < faaet && i < antal; ++i) {
    char b[400] = "";
    if (SendMessageA(liste, LB_GETTEXTLEN, valgte[i], 0) >= static_cast<LRESULT>(sizeof b)) continue;
    SendMessageA(liste, LB_GETTEXT, valgte[i], reinterpret_cast<LPARAM>(b));
    if (const uint32_t anfo = TekstAnfo(b)) r.push_back(anfo);
  }
  return r;
}

uint32_t LaesDatoFelt(HWND dlg, int id) {
  if (!GetDlgItem(dlg, id)) return 0;
  char b[32] = "";
  GetDlgItemTextA(dlg, id, b, sizeof b);
  return static_cast<uint32_t>(std::atoi(b));
}

void MarkerFelt(HWND dlg, int id) {
  HWND felt = GetDlgItem(dlg, id);
  SetFocus(felt);
  SendMessageA(felt, EM_SETSEL, 0, -1);
}

std::vector<PlanTabPost> AnfoPlanPoster(uint32_t anfo) {
  std::vector<PlanTabPost> r;
  TagTalMutex();
  for (uint32_t n = PlanAnfoFoerste(anfo); n && PlanTal.PlanTab && n <= PlanTal.Antal; n = PlanAnfoNaeste(n))
    r.push_back(PlanTal.PlanTab[n]);
  SlipTalMutex();
  return r;
}

std::string PlanPostNoegle(uint32_t akti, uint32_t skfa, uint8_t art, bool artTal) {
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  const SkfaRec *s = skfa ? TabRec<SkfaRec>(tvskfa, skfa) : nullptr;
  const std::string tekst = a ? FeltTekst(a->Aktivitet, sizeof a->Aktivitet) : "";
  const unsigned artNr = art == 'E' ? 2 : art == 'R' ? 1 : 0;
  char b[64];
  if (a && s)
    std::snprintf(b, sizeof b, "A%-*s%*s%u", 16, tekst.c_str(), 6, FeltTekst(s->Skolefag, sizeof s->Skolefag).c_str(),
                  artNr);
  else
    std::snprintf(b, sizeof b, "B%-*s%6s%u", 16, tekst.c_str(), "999999", artTal ? artNr : unsigned(art));
  std::string k(b);
  k.resize(24, '\0');
  return k;
}

namespace {

// Sorted by key as bytes; equal keys by kind letter, then by the records,
// so that two activities that share a text still keep their own lines.
template <class P>
void SorterEfterNoegle(std::vector<P> &poster, bool artTal) {
  std::vector<std::pair<std::string, size_t>> noegler;
  noegler.reserve(poster.size());
  for (size_t i = 0; i < poster.size(); ++i) {
    const P &p = poster[i];
    noegler.push_back({PlanPostNoegle(p.akti, p.skfa, p.Art, artTal), i});
  }
  std::stable_sort(noegler.begin(), noegler.end(), [&](const auto &x, const auto &y) {
    const int c = std::memcmp(x.first.data(), y.first.data(), 24);
    if (c != 0) return c < 0;
    const P &a = poster[x.second], &b = poster[y.second];
    const uint8_t aArt = a.Art, bArt = b.Art;
    if (aArt != bArt) return aArt < bArt;
    const uint32_t aAkti = a.akti, bAkti = b.akti, aSkfa = a.skfa, bSkfa = b.skfa;
    if (aAkti != bAkti) return aAkti < bAkti;
    return aSkfa < bSkfa;
  });
  std::vector<P> sorteret;
  sorteret.reserve(poster.size());
  for (const auto &n : noegler) sorteret.push_back(poster[n.second]);
  poster.swap(sorteret);
}

}  // namespace

void SorterPlanPoster(std::vector<PlanTabPost> &poster, bool artTal) { SorterEfterNoegle(poster, artTal); }
void SorterPlanPoster(std::vector<PlanOpfPost> &poster, bool artTal) { SorterEfterNoegle(poster, artTal); }

bool SammeLinje(const PlanTabPost &a, const PlanTabPost &b) {
  return a.akti == b.akti && a.skfa == b.skfa && a.Art == b.Art;
}

void VentPaaPlanBeregninger(HWND) {
  VentPaaMutex(hPlanMutex);
  VentPaaMutex(TalMutex);
}

bool PlanVinduePeriode(Dato *fra, Dato *til) {
  HWND h = FindVindueType(kPlanVindueType);
  const Plan *plan = h ? reinterpret_cast<const Plan *>(SendMessageA(h, REL_PLAN_TILSTAND, 0, 0)) : nullptr;
  if (!plan || plan->AktPlanGruppe == 0) return false;
  *fra = plan->Fradato;
  *til = plan->Tildato;
  return true;
}

bool PlanVindueGruppensAnfo(uint32_t anfo) {
  HWND h = FindVindueType(kPlanVindueType);
  return h && anfo && SendMessageA(h, VALG_KAN_SKIFTE, 0, static_cast<LPARAM>(anfo)) != 0;
}

bool LaesLektionsvalg() { return GetPrivateProfileIntA("flag", "udsk_i_lektioner", 0, StiTab.szini) != 0; }

void GemLektionsvalg(bool lektioner) {
  WritePrivateProfileStringA("flag", "udsk_i_lektioner", lektioner ? "1" : "0", StiTab.szini);
}
