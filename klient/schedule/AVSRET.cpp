// Editing the participant lists of an event and the roles a new participant
// is proposed.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "FINDREC.h"
#include "BRIKIND.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "ROLLEFORSLAG.h"
#include "ROLLER.h"
#include "tavo/assert.h"


namespace {

// Grows a list by one entry; a failed allocation ends the program naming
// the list, as the copy of a set does.
template <class T>
void Voks(T *&tab, uint32_t antal, const char *navn) {
  T *ny = static_cast<T *>(std::realloc(tab, (antal + 1) * sizeof(T)));
  if (!ny) tavo::AssertFailed(navn, __FILE__, __LINE__);
  tab = ny;
}

// Closes the gap at index i of a list of n entries.
template <class T>
void Luk(T *tab, uint32_t n, uint32_t i) {
  if (tab && i + 1 < n) std::memmove(tab + i, tab + i + 1, (n - i - 1) * sizeof(T));
}

void Optael(AVS *avs) {
  AVSLister l{avs->aktiTab,  avs->aktiAntal,  avs->anfoTab, avs->skemarolTab, avs->minutTab,
              avs->beregnTab, avs->hvorfraTab, avs->anfoAntal, avs->lokaAntal,  avs->skfa_id,
              avs->Dag,      avs->Starttid,   avs->Sluttid};
  OptaelAVS(AVSOptaelDato(avs), &l, avs->Antal_std_lektioner);
}

// The view letter of the event's display-mode slot: 0 lessons, 1 days, 2 time.
char SlotVisning(uint8_t slot) { return slot == 1 ? 'D' : slot == 2 ? 'T' : 'L'; }

const AktiRec *Akti(uint32_t r) { return r ? TabRec<AktiRec>(tvakti, r) : nullptr; }

}  // namespace

Dato AVSOptaelDato(const AVS *avs) {
  uint8_t dag = VisningsTilstandFor(SlotVisning(avs->Nul)).Ugedag;
  if (dag < 1 || dag > 7) dag = (avs->Dag >= 1 && avs->Dag <= 7) ? avs->Dag : 1;
  return UgeDagTilDato(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), dag);
}

void AddAVSEgenskab(AVS *avs, char bogstav, uint32_t id, uint32_t rolle, float minutter) {
  if (!avs || id == 0) return;
  switch (bogstav) {
    case 'K': {
      Voks(avs->aktiTab, avs->aktiAntal, "AVS->aktiTab != NULL");
      avs->aktiTab[avs->aktiAntal++] = id;
      if (avs->aktiAntal == 1 && avs->Placering == 'L')
        if (const AktiRec *a = Akti(id)) avs->risy_id = a->risy_id;
      break;
    }
    case 'M': {
      const uint32_t n = avs->anfoAntal;
      Voks(avs->anfoTab, n, "AVS->anfoTab != NULL");
      Voks(avs->skemarolTab, n, "AVS->skemarolTab != NULL");
      Voks(avs->minutTab, n, "AVS->minutTab != NULL");
      Voks(avs->beregnTab, n, "AVS->beregnTab != NULL");
      Voks(avs->hvorfraTab, n, "AVS->hvorfraTab != NULL");
      avs->anfoTab[n] = id;
      avs->skemarolTab[n] = rolle;
      avs->minutTab[n] = minutter;
      avs->beregnTab[n] = 0.0f;
      avs->hvorfraTab[n] = 0;
      avs->anfoAntal = n + 1;
      break;
    }
    case 'L': {
      const uint32_t n = avs->lokaAntal;
      Voks(avs->lokaTab, n, "AVS->lokaTab != NULL");
      Voks(avs->lokrolleTab, n, "AVS->lokrolleTab != NULL");
      avs->lokaTab[n] = id;
      avs->lokrolleTab[n] = rolle;
      avs->lokaAntal = n + 1;
      break;
    }
    case 'R':
      avs->risy_id = id;
      break;
    case 'U':
      avs->skfa_id = id;
      break;
    case '-':
      avs->bem_id = id;
      break;
    default:
      return;
  }
  Optael(avs);
}

uint32_t FindAVSIndeks(const AVS *avs, char bogstav, uint32_t id) {
  if (!avs) return 0;
  const uint32_t *tab = nullptr;
  uint32_t n = 0;
  switch (bogstav) {
    case 'K':
      tab = avs->aktiTab, n = avs->aktiAntal;
      break;
    case 'L':
      tab = avs->lokaTab, n = avs->lokaAntal;
      break;
    case 'M':
      tab = avs->anfoTab, n = avs->anfoAntal;
      break;
    default:
      return 0;
  }
  for (uint32_t i = n; tab && i > 0; --i)
    if (tab[i - 1] == id) return i;
  return 0;
}

void SetAVSRolle(AVS *avs, char bogstav, uint32_t id, uint32_t rolle) {
  if (!avs || (bogstav != 'L' && bogstav != 'M')) return;
  const uint32_t i = FindAVSIndeks(avs, bogstav, id);
  if (i == 0) return;
  if (bogstav == 'L' && avs->lokrolleTab)
    avs->lokrolleTab[i - 1] = rolle;
  else if (bogstav == 'M' && avs->skemarolTab)
    avs->skemarolTab[i - 1] = rolle;
  Optael(avs);
}

void FjernAVSEgenskab(AVS *avs, char bogstav, uint32_t id) {
  if (!avs) return;
  switch (bogstav) {
    case 'K':
    case 'L':
    case 'M': {
      const uint32_t i = FindAVSIndeks(avs, bogstav, id);
      if (i == 0) return;
      uint32_t &antal = bogstav == 'K' ? avs->aktiAntal : bogstav == 'L' ? avs->lokaAntal : avs->anfoAntal;
      if (antal == 1) {
        CleanupAVSDel(avs, bogstav);
        break;
      }
      if (bogstav == 'K') {
        Luk(avs->aktiTab, antal, i - 1);
      } else if (bogstav == 'L') {
        Luk(avs->lokaTab, antal, i - 1);
        Luk(avs->lokrolleTab, antal, i - 1);
      } else {
        Luk(avs->anfoTab, antal, i - 1);
        Luk(avs->skemarolTab, antal, i - 1);
        Luk(avs->minutTab, antal, i - 1);
        Luk(avs->beregnTab, antal, i - 1);
        Luk(avs->hvorfraTab, antal, i - 1);
      }
      --antal;
      break;
    }
    case 'R':
    case 'U':
    case '-':
    case 'S':
      CleanupAVSDel(avs, bogstav);
      break;
    default:
      return;
  }
  Optael(avs);
}

// ==================================================================== roles

uint32_t RolleForslag(const AVS *avs, char art, uint32_t id) {
  switch (art) {
    case 'L':
      return RolleForslagene[IsStjerneLoka(id) ? RF_STJERNE_LOKA : RF_LOKA];
    case 'M':
      return RolleForslagMedarbejder(avs, id, avs ? avs->anfoAntal : 0);
    default:
      return 0;
  }
}

uint32_t RolleForslagMedarbejder(const AVS *avs, uint32_t anfo, uint32_t antal) {
  if (IsStjerneMeda(anfo) || IsHashMeda(anfo)) return RolleForslagene[RF_STJERNE_ANFO];
  if (!avs) return 0;
  switch (avs->Art) {
    case 'A':
      return RolleForslagene[RF_AFSP];
    case 'F':
      return RolleForslagene[RF_FER];
    case 'H':
      return RolleForslagene[RF_SFER];
    case 'O':
      return RolleForslagene[RF_OMS];
    case 'Y':
      return RolleForslagene[RF_SYG];
    case 'P':
      // The special schedule takes its role from the code the user picks; the
      // date pane is asked to show the date the pick applies to.
      if (hDatoVindue) SendMessageA(hDatoVindue, STATUS_DATO_HENT, 0, 0);
      return 0;
    default:
      break;
  }
  if (ErFagLaerer(avs, anfo)) return RolleForslagene[RF_AKKO];
  const uint32_t foerste = avs->aktiAntal && avs->aktiTab ? avs->aktiTab[0] : 0;
  if (foerste == 0 || IsStjerneAkti(foerste)) return RolleForslagene[RF_STJERNE_OVAK];
  if (!IsOvakAkti(foerste)) return RolleForslagene[antal ? RF_XANFO : RF_ANFO];
  return RolleForslagene[avs->Placering == 'D' ? RF_DAG : RF_OVAK];
}

bool ErFagLaerer(const AVS *avs, uint32_t anfo) {
  if (!avs) return false;
  if (GlobalIndstillinger.skphakkord) {
    if (avs->aktiAntal == 0 || !avs->aktiTab || avs->skfa_id == 0) return false;
    const uint32_t akti = avs->aktiTab[0], skfa = avs->skfa_id;
    // Looked up as (activity, subject), then as (subject, activity).
    const uint32_t n = FindParRec(&tdskph, &tvskph, akti, skfa);
    const SkphRec *s = n ? TabRec<SkphRec>(tvskph, n) : nullptr;
    return s && s->Akkord == 'J';
  }
  if (avs->aktiAntal != 1 || !avs->aktiTab || avs->skfa_id == 0) return false;
  return FagfordlFindes(anfo, avs->skfa_id, avs->aktiTab[0], AVSOptaelDato(avs));
}

namespace {

// The role keeps what the school bound to it: a special-schedule code or an
// activity type with a name.
bool RolleErBundet(uint32_t rolle) {
  if (rolle == 0) return false;
  if (FindSlsKodeForSkemarol(rolle)) return true;
  const char *kode = SkemarolAktivitetstype(rolle);
  return kode && kode[0];
}

bool RolleOptager(uint32_t rolle) {
  const SkemarolRec *r = rolle ? TabRec<SkemarolRec>(tvskemarol, rolle) : nullptr;
  return !r || r->Check_skemasammenfald != 'N';
}

bool Optaget(const BrikIndStruct *b, uint32_t anfo) {
  const DifValg &v = b->Valg[FOCUS_ANFO];
  return v.Maerker && anfo < v.AntalMaerker && (v.Maerker[anfo] & MAERKE_OPTAGET);
}

bool IPladser(const BrikIndStruct *b, uint32_t anfo) { return b->AnfoRolle && anfo < b->AnfoPladser; }

}  // namespace

void SkiftTilForslagsRoller(BrikIndStruct *b) {
  if (!b) return;
  AVS gammel = {};
  KopierAVS(&AktuelAVS, &gammel);
  const uint32_t n = gammel.anfoAntal;
  CleanupAVSDel(&AktuelAVS, 'M');
  bool laastMoedt = false, afvist = false;
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t anfo = gammel.anfoTab[i];
    uint32_t rolle = gammel.skemarolTab ? gammel.skemarolTab[i] : 0;
    float minut = gammel.minutTab ? gammel.minutTab[i] : -1.0f;
    if (minut < 0 && IPladser(b, anfo) && b->AnfoMinut) minut = b->AnfoMinut[anfo];
    const bool laast = IPladser(b, anfo) && b->AnfoRolleLaast && b->AnfoRolleLaast[anfo];
    if (laast) laastMoedt = true;
    if (!laast && !RolleErBundet(rolle)) {
      const uint32_t ny = RolleForslag(&AktuelAVS, 'M', anfo);
      if (ny != rolle && b->RolleOptager && RolleOptager(ny) && Optaget(b, anfo)) afvist = true;
      rolle = ny;
    }
    AddAVSEgenskab(&AktuelAVS, 'M', anfo, rolle, minut);
  }
  if (afvist) {
    KopierAVS(&gammel, &AktuelAVS);
    CleanupAVS(&gammel);
    MessageBoxA(b->hwnd,
                "Der kunne ikke skiftes til forslagsrollerne, idet mindst en medarbejderen så vil være optaget",
                "Rolleskift ikke OK", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  CleanupAVS(&gammel);
  for (uint32_t i = 0; i < AktuelAVS.anfoAntal; ++i) {
    const uint32_t anfo = AktuelAVS.anfoTab[i];
    if (!IPladser(b, anfo)) continue;
    b->AnfoRolle[anfo] = AktuelAVS.skemarolTab[i];
    if (b->AnfoMinut) b->AnfoMinut[anfo] = AktuelAVS.minutTab[i];
  }
  if (laastMoedt) SorterAnsatte(b);
}

void SorterAnsatte(BrikIndStruct *b) {
  if (!b || AktuelAVS.anfoAntal < 2) return;
  const std::vector<uint32_t> anfo(AktuelAVS.anfoTab, AktuelAVS.anfoTab + AktuelAVS.anfoAntal);
  const std::vector<uint32_t> roller(AktuelAVS.skemarolTab, AktuelAVS.skemarolTab + AktuelAVS.anfoAntal);
  const std::vector<float> minut(AktuelAVS.minutTab, AktuelAVS.minutTab + AktuelAVS.anfoAntal);
  auto erU = [](uint32_t rolle) {
    const SkemarolRec *r = rolle ? TabRec<SkemarolRec>(tvskemarol, rolle) : nullptr;
    return r && FeltErTekst(r->Rolle, sizeof r->Rolle, "U");
  };
  CleanupAVSDel(&AktuelAVS, 'M');
  for (int runde = 0; runde < 2; ++runde) {
    for (size_t i = 0; i < anfo.size(); ++i) {
      // The entry window's tables hold the user's choice; the event's own
      // values stand in for an employment outside them.
      const uint32_t rolle = IPladser(b, anfo[i]) ? b->AnfoRolle[anfo[i]] : roller[i];
      const float m = IPladser(b, anfo[i]) && b->AnfoMinut ? b->AnfoMinut[anfo[i]] : minut[i];
      if (erU(rolle) == (runde == 0)) AddAVSEgenskab(&AktuelAVS, 'M', anfo[i], rolle, m);
    }
  }
}
