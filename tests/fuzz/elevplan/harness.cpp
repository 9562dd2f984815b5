// The student planning workspace over enrolment records made from any
// bytes, as broken or hostile record files could hold them: references to
// records that are missing, dead or of another group, blocks of any length,
// any status and mode. Each group is built, driven through the key commands
// in both modes (the planning rules among them) and through the placement
// primitives and the rules' placing, laid out and placed
// by a few runs of the automatic placement, written back and built again;
// the test data is removed at the end. The run is read-only,
// so nothing is saved.
#include <cstdint>
#include <cstring>

#include "AUTOPLAC.h"
#include "DATO.h"
#include "ELEVGITTER.h"
#include "ELEVPLANKMD.h"
#include "ELEVPLANWS.h"
#include "ELEVREGLER.h"
#include "ELEVTAB.h"
#include "FINDREC.h"
#include "INDSTIL.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "tavo/test_dialog.h"
#include "windows.h"

namespace {

struct Laeser {
  const uint8_t *p;
  size_t n;
  uint8_t Byte() {
    if (n == 0) return 0;
    --n;
    return *p++;
  }
};

// A u32 field: mostly a small value that names a record of the tables
// made, now and then the bytes as they came.
void Ref(uint8_t *rec, size_t off, uint32_t graense) {
  uint32_t v;
  memcpy(&v, rec + off, 4);
  if ((v >> 24) != 0xFF) v %= graense;
  memcpy(rec + off, &v, 4);
}

// Limits of the small values: a little past the records made, so that
// some references miss.
constexpr uint32_t TG = 3, PP = 10, LA = 8, ELEV = 6, ID = 16, TAL = 10;

struct Felt {
  size_t Off;
  uint32_t Graense;
};

struct Tabel {
  const TabDesc *Td;
  TabVar *Tv;
  uint32_t Maks;
  uint32_t StatusOff;
  std::initializer_list<Felt> Refs;
};

void Fyld(Laeser &in) {
  const Tabel tabeller[] = {
      {&tdtg,
       &tvtg,
       4,
       offsetof(TgRec, Status),
       {{offsetof(TgRec, id), ID},
        {offsetof(TgRec, lek_antal), TAL},
        {offsetof(TgRec, lek_deletal), TAL},
        {offsetof(TgRec, uge_antal), TAL},
        {offsetof(TgRec, uge_deletal), TAL}}},
      {&tdpp,
       &tvpp,
       12,
       offsetof(PpRec, Status),
       {{offsetof(PpRec, id), ID}, {offsetof(PpRec, tg_id), TG}, {offsetof(PpRec, lektion), TAL}}},
      {&tdla,
       &tvla,
       10,
       offsetof(LaRec, Status),
       {{offsetof(LaRec, id), ID},
        {offsetof(LaRec, tg_id), TG},
        {offsetof(LaRec, kopi_id), ID},
        {offsetof(LaRec, lek_antal), TAL},
        {offsetof(LaRec, lek_deletal), TAL},
        {offsetof(LaRec, uge_antal), TAL},
        {offsetof(LaRec, uge_deletal), TAL},
        {offsetof(LaRec, aktiv), 3},
        {offsetof(LaRec, max_elevantal), TAL}}},
      {&tdlap,
       &tvlap,
       16,
       offsetof(LapRec, Status),
       {{offsetof(LapRec, id), ID},
        {offsetof(LapRec, tg_id), TG},
        {offsetof(LapRec, la_id), LA},
        {offsetof(LapRec, pp_id), PP},
        {offsetof(LapRec, lengde), TAL}}},
      {&tdelev, &tvelev, 8, offsetof(ElevRec, Status), {{offsetof(ElevRec, id), ID}}},
      {&tdelti,
       &tvelti,
       10,
       offsetof(EltiRec, Status),
       {{offsetof(EltiRec, elev_id), ELEV}, {offsetof(EltiRec, tg_id), TG}}},
      {&tdev,
       &tvev,
       20,
       offsetof(EvRec, Status),
       {{offsetof(EvRec, id), ID},
        {offsetof(EvRec, tg_id), TG},
        {offsetof(EvRec, elev_id), ELEV},
        {offsetof(EvRec, elevplan_onske_la_id), LA},
        {offsetof(EvRec, konverteret_onske_la), LA},
        {offsetof(EvRec, placerings_la_id), LA}}},
      {&tdeb,
       &tveb,
       6,
       offsetof(EbRec, Status),
       {{offsetof(EbRec, id), ID},
        {offsetof(EbRec, tg_id), TG},
        {offsetof(EbRec, elev_id), ELEV},
        {offsetof(EbRec, pp_id), PP}}},
  };
  uint32_t antal[std::size(tabeller)];
  for (size_t i = 0; i < std::size(tabeller); ++i) antal[i] = in.Byte() % (tabeller[i].Maks + 1);
  for (size_t i = 0; i < std::size(tabeller); ++i) {
    const Tabel &t = tabeller[i];
    ResetTab(t.Td, t.Tv, 1);
    for (uint32_t k = 0; k < antal[i]; ++k) {
      const uint32_t nr = NewRec(t.Td, t.Tv);
      uint8_t *rec = GetRec(t.Td, t.Tv, nr);
      if (rec == nullptr) return;
      for (uint32_t b = 0; b < t.Td->RecSize; ++b) rec[b] = in.Byte();
      uint8_t &status = rec[t.StatusOff];
      if ((status & 0x80) == 0) status = static_cast<uint8_t>(10 + status % 24);
      if (t.Td == &tdev) reinterpret_cast<EvRec *>(rec)->prioritet %= 4;
      for (const Felt &f : t.Refs) Ref(rec, f.Off, f.Graense);
    }
    SortTab(t.Td, t.Tv);
  }
  // Locks and flags now and then, so that most commands get to work.
  auto flag = [](char &f) { f = static_cast<uint8_t>(f) > 0xC0 ? f % 2 : 0; };
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    TgRec *t = TgRecNr(g);
    const uint8_t art = static_cast<uint8_t>(t->UgeLektionsGruppe);
    if (art < 0x80) t->UgeLektionsGruppe = art % 2 ? 'L' : 'U';
    for (char *f :
         {&t->Laast, &t->EasyLaast, &t->ExportLaast, &t->PlanlaegningsLaast, &t->SkjulArkiverede})
      flag(*f);
  }
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    LaRec *l = LaRecNr(r);
    for (char *f : {&l->LukForNyeElever, &l->BeholdElever, &l->PladsLaas}) flag(*f);
  }
}

constexpr struct {
  uint32_t Tast;
  bool Ctrl, Shift;
} kTaster[] = {
    {VK_RIGHT, false, true},   {VK_LEFT, true, true},     {VK_DOWN, false, false},
    {'X', false, false},       {VK_RIGHT, false, false},  {'B', true, true},
    {'L', true, false},        {'P', true, true},         {VK_ADD, false, false},
    {VK_INSERT, false, false}, {VK_ESCAPE, false, false}, {'A', true, false},
    {'V', true, false},        {VK_NEXT, false, false},   {'M', true, false},
    {'O', true, false},        {'T', true, false},        {'D', true, false},
    {'F', true, false},        {'S', true, false},        {'F', true, true},
    {'S', true, true},
};

void Koer(ElevPlanWS *ws, Laeser &in) {
  for (const auto &k : kTaster) {
    int tegn = 0;
    const int ctrl = k.Ctrl ? -1 : 0, shift = k.Shift ? -1 : 0;
    ElevPlanKommando(ws, k.Tast, 0, ctrl, shift, 0, 1, &tegn);
    if (ElevPlanKommando(ws, k.Tast, 0, ctrl, shift, 0, 2, &tegn) == 1)
      ElevPlanEfterKommando(ws, k.Tast, ctrl, shift, 0);
    if (ws->LaAntal == 0 || ws->ElevAntal == 0) continue;
    const uint32_t la = ws->LaTab[1 + in.Byte() % ws->LaAntal];
    const uint32_t elev = ws->ElevTab[1 + in.Byte() % ws->ElevAntal];
    switch (in.Byte() % 3) {
      case 0:
        PlacerElevPaaLa(ws, la, elev, in.Byte() % 4);
        break;
      case 1:
        FjernElevFraLa(ws, la, elev, in.Byte() % 4);
        break;
      default: {
        const uint8_t taster = in.Byte();
        PlacerEllerFjernElev(ws, ws->Tg, la, elev, taster & 1 ? -1 : 0, taster & 2 ? -1 : 0, 2,
                             nullptr);
        break;
      }
    }
    if (ws->PpAntal) ElevStatusVedPp(ws, ws->PpTab[1 + in.Byte() % ws->PpAntal], elev, nullptr);
  }
  ws->AntalSimuleringer = in.Byte() % 4;
  ws->PlaceringsMetode = in.Byte() % 2 ? METODE_KUN_PRIO1 : METODE_PRIO12;
  KoerSimuleringer(ws);
  NulstilPlaceringer(ws);
  BeregnOverlap(ws);
  ws->PlanAendret = ws->PlaceringAendret = ws->SpaerringAendret = 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool klar = [] {
    SetInitTabFn(InitTab);
    InitPeriode(20240801, 20250731, 20240801);
    GlobalIndstillinger.skemalaast = 1;
    return true;
  }();
  (void)klar;
  // A refusal's message box answers at once instead of waiting for a user.
  tavo::test::StartDialogScript();
  Laeser in{data, size};
  Fyld(in);
  ElevPlanWS *ws = NytElevPlanWS('K', 1);
  if (ws == nullptr) return 0;
  BuildElevPlanData(ws);
  for (uint32_t g = 1; g <= ws->TgAntal && g <= 4; ++g) {
    ws->TgPos.Aktuel = g;
    BuildElevPlanData(ws);
    Koer(ws, in);
    BuildElevPlanData(ws);
  }
  int tegn = 0;
  if (ElevPlanKommando(ws, 'N', 0, 0, 0, 0, 2, &tegn) == 1) ElevPlanEfterKommando(ws, 'N', 0, 0, 0);
  BuildElevPlanData(ws);
  FrigivElevPlanWS(ws);
  tavo::test::StopDialogScript();
  return 0;
}
