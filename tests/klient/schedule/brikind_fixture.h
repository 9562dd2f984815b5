#pragma once
// The small school of the event tests made ready for the event entry window:
// activities, employees and rooms within the period of the fixture's week,
// one ring system, the window classes the entry window builds on, and a
// main window of the test's own class.

#include <cstdlib>

#include "BRIKINDVIN.h"
#include "BYGINFO.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RETINFO.h"
#include "SKEMAVIN.h"
#include "TOOLTIP.h"
#include "ske_fixture.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace sketest {

// A key as the entry window's key rules get it.
inline TastInfo TastAf(UINT vk, bool alt = false, bool ctrl = false, bool shift = false) {
  TastInfo t{};
  t.alt = alt ? -1 : 0;
  t.ctrl = ctrl ? -1 : 0;
  t.shift = shift ? -1 : 0;
  t.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  t.wParam = vk;
  return t;
}

class BrikIndMappe : public SkeMappe {
 protected:
  // The main window is of class hovedKlasse with procedure hovedProc.
  void Forbered(const char *hovedKlasse, WNDPROC hovedProc) {
    gemt_ = GlobalIndstillinger;
    gemtPeriode_ = SkemaPeriode;
    SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(202400 + kUge);
    ring = Ringesystem({});
    predtest::Rec<RisyRec>(tvrisy, ring)->Anvendt = 1;
    for (uint32_t n : akti) {
      AktiRec *a = predtest::Rec<AktiRec>(tvakti, n);
      a->Gruppe = 1, a->StartUge = 202431, a->SlutUge = 202531, a->RisyOk = 1, a->risy_id = ring;
    }
    for (uint32_t n : anfo) {
      AnfoRec *a = predtest::Rec<AnfoRec>(tvanfo, n);
      a->Gruppe = 1, a->StartUge = 202431, a->SlutUge = 202531;
    }
    for (uint32_t n : loka) {
      LokaRec *a = predtest::Rec<LokaRec>(tvloka, n);
      a->Gruppe = 1, a->StartUge = 202431, a->SlutUge = 202531, a->Fradato = 20240801, a->Tildato = 20250731;
    }
    RegistrerSkemaKlasse(0);
    RegistrerRetInfoKlasse(0);
    RegistrerBrikIndKlasse(0);
    Klasse("NyButtonWndClass", NyButtonWndProc);
    Klasse("TabWndClass", TabWndProc);
    Klasse("BygInfoWndClass", BygInfoWndProc);
    Klasse(hovedKlasse, hovedProc);
    hoved_ = CreateWindowExA(0, hovedKlasse, "Tavo", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 900, 0, 0, 0, nullptr);
    hwndHoved = hoved_;
    tavo::test::StartDialogScript();
    CleanupAVS(&AktuelAVS);
    CleanupAVS(&GammelAVS);
    AktuelAVS.Placering = 'L';
    AktuelAVS.Art = 'S';
    AktuelAVS.Dag = 2;
  }
  void Afslut() {
    tavo::test::StopDialogScript();
    DestroyWindow(hoved_);
    hwndHoved = 0;
    tavo::test::ResetUser();
    GlobalIndstillinger = gemt_;
    SkemaPeriode = gemtPeriode_;
    SkeMappe::TearDown();
  }
  // A change of the event whose first row is forste, in lesson placement:
  // the old and the current event read from it.
  static void Ret(uint32_t forste) {
    HentAVS(kAar, kUge, forste, &GammelAVS, true);
    HentAVS(kAar, kUge, forste, &AktuelAVS, true);
    AktuelAVS.Placering = GammelAVS.Placering = 'L';
    AktuelAVS.Art = GammelAVS.Art = 'S';
  }
  static void Klasse(const char *navn, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = navn;
    RegisterClassA(&wc);
  }

  uint32_t ring = 0;
  HWND hoved_ = 0;
  GlobalIndstillingerData gemt_;
  SkemaPeriodeData gemtPeriode_;
};

}  // namespace sketest
