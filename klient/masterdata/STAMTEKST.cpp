// The master-data window's texts, read from the records at the moment they
// are drawn. A linked record that is missing blanks only the item that
// names it, so a room without a building still shows its own data.

#include "STAMTEKST.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DATO.h"
#include "ENSDC.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTETAL.h"
#include "MEDPER.h"
#include "FARVER.h"
#include "RECPRED.h"
#include "SWITCH.h"
#include "STAMTAL.h"
#include "SWITCHTEGN.h"

const char *const kStamFodnote = "( * ) = Budgettal passer ikke til medarbejderes opgørelsesperiode!";

namespace {

constexpr uint8_t kFarveAkti = 7, kFarveMeda = 8, kFarveLoka = 10;
constexpr size_t kKladde = 1024;
constexpr int kFodnoteLuft = 2;  // pixels between the subjects pane and its footnote

// A linked record that exists and is not deleted.
template <class R>
const R *Link(const TabVar &tv, uint32_t n) {
  if (!GyldigRef(&tv, n)) return nullptr;
  const R *r = TabRec<R>(tv, n);
  return r && r->Status != 0 ? r : nullptr;
}

// A text field as a string: the field may lack its terminator when full.
template <size_t N>
std::string Felt(const char (&f)[N]) {
  return std::string(f, strnlen(f, N));
}

// A letter field; an empty one shows as a blank rather than ending the text.
char Bogstav(char c) { return c ? c : ' '; }

int B(uint32_t bredde) { return static_cast<int>(std::min(bredde, kSwitchMaksTegn)); }

// "%s %d %02d:%02d": the date and the time of day of a YYYYMMDDHHMMSS stamp.
bool SidstRettet(char *tekst, uint32_t bredde, double opdtid) {
  const double v = std::isfinite(opdtid) && opdtid >= 0 && opdtid < 1e15 ? std::floor(opdtid) : 0;
  const auto t = static_cast<long long>(v);
  return StamUd(tekst, bredde, "%s %d %02d:%02d", "Sidst rettet:", static_cast<int>(t / 1000000),
            static_cast<int>(t / 10000 % 100), static_cast<int>(t / 100 % 100));
}

// "Længde: %3i,%02i m": the metres rounded to hundredths first, so that a
// fraction that rounds up carries into the whole metres.
bool Meter(char *tekst, uint32_t bredde, const char *label, float meter) {
  const double m = std::isfinite(meter) ? std::clamp<double>(meter, -1e9, 1e9) : 0;
  const long long c = std::llround(m * 100);
  const long long a = std::llabs(c);
  char hele[24];
  std::snprintf(hele, sizeof hele, "%s%lld", c < 0 ? "-" : "", a / 100);
  return StamUd(tekst, bredde, "%s %3s,%02lld m", label, hele, a % 100);
}

uint32_t Objekt(const StamWS *ws) { return StamObjekt(ws); }

// The Monday of the program's current week: the date the employee's terms,
// agreement and periods are read at.
Dato AktuelMandag() { return UgeDagTilDato(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), 1); }

// ==================================================================== activity

bool AktiTekst(StamWS *ws, uint32_t kode, uint32_t bredde, char *t, uint8_t *farve) {
  const uint32_t n = Objekt(ws);
  const AktiRec *a = Link<AktiRec>(tvakti, n);
  if (!a) return false;
  const int b = B(bredde);
  switch (kode) {
    case 2: *farve = kFarveAkti; return StamUd(t, bredde, "%-*s", b, Felt(a->Aktivitet).c_str());
    case 4: *farve = kFarveAkti; return StamUd(t, bredde, "%-*s", b, Felt(a->Kort_betegnelse).c_str());
    case 6: *farve = kFarveAkti; return StamUd(t, bredde, "%-*s", b, Felt(a->Betegnelse).c_str());
    case 8: return StamUd(t, bredde, "%i - %-*i", static_cast<int>(a->Fradato), b, static_cast<int>(a->Tildato));
    case 9:
      if (const AkgrRec *g = Link<AkgrRec>(tvakgr, a->akgr_id))
        return StamUd(t, bredde, "%s %-*s", "Afd.:", b, Felt(g->Afdeling).c_str());
      return false;
    case 10:
      if (const UdgrRec *u = Link<UdgrRec>(tvudgr, a->udgr_id))
        return StamUd(t, bredde, "%s %-*s", "Udd.grp.:", b, Felt(u->Betegnelse).c_str());
      return false;
    case 11:
      if (const AnomRec *o = Link<AnomRec>(tvanom, a->anom_id))
        return StamUd(t, bredde, "%s %-*s", "Ansvar:", b, Felt(o->Betegnelse).c_str());
      return false;
    case 13:
      if (const PomRec *p = Link<PomRec>(tvpom, a->pom_id))
        return StamUd(t, bredde, "%s %-*s", "Projekt:", b, Felt(p->Kort_betegnelse).c_str());
      return false;
    case 14:
      if (const AcsaRec *s = Link<AcsaRec>(tvacsa, a->acsa_id))
        return StamUd(t, bredde, "%s %-*s", "AC sats:", b, Felt(s->Betegnelse).c_str());
      return false;
    case 15:
      if (const RisyRec *r = Link<RisyRec>(tvrisy, a->risy_id))
        return StamUd(t, bredde, "%s %-*s", "Risy:", b, Felt(r->Ringesystem).c_str());
      return false;
    case 16: return StamUd(t, bredde, "%s %-*c", "Akkord:", b, Bogstav(a->Skkord));
    case 17:
      if (const SkkaRec *k = Link<SkkaRec>(tvskka, a->skka_id))
        return StamUd(t, bredde, "%s %-*s", "SKKA:", b, Felt(k->Betegnelse).c_str());
      return false;
    case 18: return StamUd(t, bredde, "%s %-*c", "Aflyst:", b, Bogstav(a->Aflyst));
    case 20: return StamUd(t, bredde, "%s %-*d", "Kvotient:", b, static_cast<int>(a->Kvotient));
    case 21: return StamUd(t, bredde, "%s %-*i", "Elever start:", b, static_cast<int>(a->StartElever));
    case 22: return StamUd(t, bredde, "%s %-*i", "Elever slut:", b, static_cast<int>(a->SlutElever));
    case 23: {
      if (IsOvakAkti(n)) return false;
      int32_t elev = 0;
      AktiPeriodeTal(ws->hwnd, n, nullptr, nullptr, nullptr, &elev, TALPER_IALT);
      return StamUd(t, bredde, "%s %-*ld", "Elevlekt:", b, static_cast<long>(RoundMilli(elev)));
    }
    case 24: return SidstRettet(t, bredde, a->opdtid);
    case 26:
      if (!HasUvfoAkti(n)) return false;
      if (const UvfoRec *u = Link<UvfoRec>(tvuvfo, a->uvfo_id))
        return StamUd(t, bredde, "%s %-*s", "UVFO:", b, Felt(u->Titel).c_str());
      return false;
    case 27: return StamUd(t, bredde, "EP Bet: %-*s", b, Felt(a->Elevplan_betegnelse).c_str());
  }
  return false;
}

// ==================================================================== employment

// The statement period at the date: the agreement's code (or, under the
// norm system, the accounting period's name cut to 10) and its dates.
bool Opgoerelse(uint32_t anfo, Dato d, uint32_t bredde, char *t) {
  const int b = B(bredde);
  const int fra = static_cast<int>(GetOpgPerFra(d, anfo)), til = static_cast<int>(GetOpgPerTil(d, anfo));
  if (GlobalIndstillinger.normsystem) {
    const OpgperiodeRec *o = Link<OpgperiodeRec>(tvopgperiode, MedPerOpgPer(anfo, d));
    const std::string navn = o ? Felt(o->KaldeNavn).substr(0, 10) : std::string();
    return StamUd(t, bredde, "%s %i - %-*i", navn.c_str(), fra, b, til);
  }
  const ArafRec *r = Link<ArafRec>(tvaraf, MedPerAraf(anfo, d));
  return StamUd(t, bredde, "%s %i - %-*i", r ? Felt(r->kode).c_str() : "", fra, b, til);
}

bool AnfoTekst(StamWS *ws, uint32_t kode, uint32_t bredde, char *t, uint8_t *farve) {
  const uint32_t n = Objekt(ws);
  const AnfoRec *a = Link<AnfoRec>(tvanfo, n);
  const MedaRec *m = a ? Link<MedaRec>(tvmeda, a->meda_id) : nullptr;
  if (!m) return false;
  const int b = B(bredde);
  const Dato d = AktuelMandag();
  auto ansk = [&]() -> const AnskRec * {
    uint32_t r = MedPerAnsk(n, d);
    if (!r) r = FindAnskAtDate(n, d);
    return Link<AnskRec>(tvansk, r);
  };
  auto araf = [&]() { return Link<ArafRec>(tvaraf, MedPerAraf(n, d)); };
  auto ansc = [&]() { return Link<AnscRec>(tvansc, FindAnscAtDate(n, d)); };
  switch (kode) {
    case 8: return StamUd(t, bredde, "   %i - %-*i", static_cast<int>(a->Fradato), b, static_cast<int>(a->Tildato));
    case 9: {
      const AnskRec *s = ansk();
      if (const AfmeRec *f = s ? Link<AfmeRec>(tvafme, s->afme_id) : nullptr)
        return StamUd(t, bredde, "%s %-*s", "Afd.:", b, Felt(f->Kode).c_str());
      return false;
    }
    case 11: {
      const AnskRec *s = ansk();
      if (const AnomRec *o = s ? Link<AnomRec>(tvanom, s->anom_id) : nullptr)
        return StamUd(t, bredde, "%s %-*s", "Ansvar:", b, Felt(o->Betegnelse).c_str());
      return false;
    }
    case 24: return SidstRettet(t, bredde, m->opdtid);
    case 31:
      *farve = kFarveMeda;
      return StamUd(t, bredde, "%s - %-*s", Felt(m->Initialer).c_str(), b, Felt(a->Loebenummer).c_str());
    case 33: *farve = kFarveMeda; return StamUd(t, bredde, "%-*s", b, Felt(m->Navn).c_str());
    case 34: return StamUd(t, bredde, "Arb.tlf. %-*s", b, Felt(m->Arb_tlf).c_str());
    case 35: return StamUd(t, bredde, "Priv.tlf. %-*s", b, Felt(m->Privat_tlf).c_str());
    case 51: return StamUd(t, bredde, "Mobil tlf. %-*s", b, Felt(m->Mobil_tlf).c_str());
    case 52: return StamUd(t, bredde, "Mail: %-*s", b, Felt(m->E_mail).c_str());
    case 37: return Opgoerelse(n, d, bredde, t);
    case 38: return StamUd(t, bredde, "%s %-*s", "Medarbejdertype:", b, Felt(m->Meda_type).c_str());
    case 39:
      if (const AnscRec *c = ansc()) return StamUd(t, bredde, "%s %-*s", "Personalekategori:", b, Felt(c->Personalekategori).c_str());
      return false;
    case 40:
      if (const ArafRec *r = araf()) return StamUd(t, bredde, "%s %-*c", "Normjustering:", b, Bogstav(r->Norm));
      return false;
    case 41:
      if (const AnscRec *c = ansc()) return StamUd(t, bredde, "%s %-*s", "Stillingskode:", b, Felt(c->Stillingskode).c_str());
      return false;
    case 42: return StamUd(t, bredde, "%s %-*c", "Primær ansættelse:", b, Bogstav(a->Primaer_ansaettelse));
    case 43: {
      const AftalopRec *o = Link<AftalopRec>(tvaftalop, MedPerAftalop(n, d));
      if (const AldtilRec *l = o ? Link<AldtilRec>(tvaldtil, o->aldtil_id) : nullptr)
        return StamUd(t, bredde, "%s %-*s", "Alderstillæg:", b, Felt(l->kode).c_str());
      return false;
    }
    case 44:
      if (const ArafRec *r = araf()) return StamUd(t, bredde, "%s %-*s", "Aftale:", b, Felt(r->kode).c_str());
      return false;
    case 45: case 46: case 47: case 48: case 49: case 50: case 53: case 54: case 55:
      return StamNoegletalTekst(ws, kode, bredde, t, farve);
  }
  return false;
}

// ==================================================================== room

bool LokaTekst(StamWS *ws, uint32_t kode, uint32_t bredde, char *t, uint8_t *farve) {
  const LokaRec *l = Link<LokaRec>(tvloka, Objekt(ws));
  if (!l) return false;
  const int b = B(bredde);
  const BygnRec *g = Link<BygnRec>(tvbygn, l->bygn_id);
  switch (kode) {
    case 4: *farve = kFarveLoka; return StamUd(t, bredde, "%-*s", b, Felt(l->Betegnelse).c_str());
    case 8: return StamUd(t, bredde, "%i - %-*i", static_cast<int>(l->Fradato), b, static_cast<int>(l->Tildato));
    case 11:
      if (const MedaRec *m = Link<MedaRec>(tvmeda, l->meda_id))
        return StamUd(t, bredde, "%s %-*s", "Ansvar:", b, Felt(m->Initialer).c_str());
      return false;
    case 24: return SidstRettet(t, bredde, l->opdtid);
    case 61: *farve = kFarveLoka; return StamUd(t, bredde, "%-*s", b, Felt(l->Lokalenr).c_str());
    case 62: return g && StamUd(t, bredde, "%s %-*s", "Bygnings nr.:", b, Felt(g->Bygningsnr).c_str());
    case 63: return StamUd(t, bredde, "%s %-*s", "Undervisningspladser:", b, Felt(l->Undervisningspladser).c_str());
    case 64: {
      const double areal = std::isfinite(l->Netto_areal) ? std::clamp<double>(l->Netto_areal, -1e12, 1e12) : 0;
      return StamUd(t, bredde, "%s %-.0f m2", "Areal:", areal);
    }
    case 66: return g && StamUd(t, bredde, "%-*s", b, Felt(g->Gade).c_str());
    case 68: return g && StamUd(t, bredde, "%-*s", b, Felt(g->Sted).c_str());
    case 69: return Meter(t, bredde, "Længde:", l->Laengde);
    case 70: return Meter(t, bredde, "Bredde:", l->Bredde);
  }
  return false;
}

// ==================================================================== object line

bool ObjektLinje(StamWS *ws, uint32_t bredde, char *t, uint8_t *farve) {
  const uint32_t n = Objekt(ws);
  switch (ws->Bogstav) {
    case 'K':
      if (const AktiRec *a = Link<AktiRec>(tvakti, n)) {
        *farve = kFarveAkti;
        return StamUd(t, bredde, "%s", Felt(a->Betegnelse).c_str());
      }
      return false;
    case 'M': {
      const AnfoRec *a = Link<AnfoRec>(tvanfo, n);
      if (const MedaRec *m = a ? Link<MedaRec>(tvmeda, a->meda_id) : nullptr) {
        *farve = kFarveMeda;
        return StamUd(t, bredde, "%s - %s", Felt(m->Initialer).c_str(), Felt(m->Navn).c_str());
      }
      return false;
    }
    case 'L':
      if (const LokaRec *l = Link<LokaRec>(tvloka, n)) {
        *farve = kFarveLoka;
        return StamUd(t, bredde, "%s", Felt(l->Lokalenr).c_str());
      }
      return false;
  }
  return false;
}

// An item's whole text, without the blanks after it.
std::string ItemUdenBlanke(StamWS *ws, uint32_t kode) {
  char t[kSwitchTekstLen];
  std::memset(t, ' ', kSwitchMaksTegn);
  t[kSwitchMaksTegn] = '\0';
  uint8_t farve = 16;
  std::string s;
  if (StamVaerdiTekst(ws, kStamHovedArt, kode, kSwitchMaksTegn, t, &farve)) s = t;
  // Only the padding goes: the item's own width is its field's, not a
  // caption's.
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// The caption lines lie in the frame above the pane's column-header strip;
// each is cleared before it is written, so a shorter caption leaves nothing
// of the one before.
void TegnKaptionLinjer(StamWS *ws, int rude) {
  const StamRude &d = ws->DWnd[rude];
  const int linjer = StamKaptionLinjer(ws, rude);
  const int B = d.Kaption.right - d.Kaption.left;
  if (!ws->Dc.hdc || !d.hwndKrop || linjer <= 0 || B <= 0) return;
  const HFONT gammel = TxtFont ? static_cast<HFONT>(SelectObject(ws->Dc.hdc, TxtFont)) : 0;
  const int top = d.Kaption.top - 1 - linjer * kStamRaekke;
  char tekst[2 * kSwitchTekstLen];
  for (int l = 0; l < linjer; ++l) {
    const int y = top + l * kStamRaekke;
    FillRectSys(ws->Dc.hdc, COLOR_BTNFACE, d.Kaption.left, y, d.Kaption.right, y + kStamRaekke);
    StamRudeKaption(ws, rude, l, tekst, sizeof tekst);
    const int n = std::min(static_cast<int>(std::strlen(tekst)), B / 8);
    if (n > 0) TegnFarvetTekst(&ws->Dc, d.Kaption.left, y + kFodnoteLuft / 2, 16, 0, tekst, n, 1);
  }
  if (gammel) SelectObject(ws->Dc.hdc, gammel);
}

void TegnFodnote(StamWS *ws) {
  const StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  if (ws->Bogstav != 'M' || !ws->Dc.hdc || !d.hwndKrop) return;
  const HFONT gammel = TxtFont ? static_cast<HFONT>(SelectObject(ws->Dc.hdc, TxtFont)) : 0;
  TegnFarvetTekst(&ws->Dc, d.Krop.left, d.Krop.bottom + kFodnoteLuft, kFarveMeda, 0, kStamFodnote,
                  static_cast<int>(std::strlen(kStamFodnote)), 1);
  if (gammel) SelectObject(ws->Dc.hdc, gammel);
}

}  // namespace

void TegnStamRamme(StamWS *ws) {
  TegnFodnote(ws);
  TegnKaptionLinjer(ws, STAM_FOCUS_SKFA);
  TegnKaptionLinjer(ws, STAM_FOCUS_INS);
}

void TegnStamKaption(StamWS *ws, int rude) { TegnKaptionLinjer(ws, rude); }

bool StamUd(char *tekst, uint32_t bredde, const char *fmt, ...) {
  char kladde[kKladde];
  va_list ap;
  va_start(ap, fmt);
  const int n = std::vsnprintf(kladde, sizeof kladde, fmt, ap);
  va_end(ap);
  if (n < 0) return false;
  const size_t len = std::min({static_cast<size_t>(n), sizeof kladde - 1, static_cast<size_t>(bredde),
                               static_cast<size_t>(kSwitchMaksTegn)});
  std::memcpy(tekst, kladde, len);
  return true;
}

bool StamVaerdiTekst(StamWS *ws, uint32_t art, uint32_t kode, uint32_t bredde, char *tekst, uint8_t *farve) {
  if (!ws || !tekst || !farve || !StamObjekt(ws)) return false;
  if (art == kStamToolbarArt) return kode == 102 && ObjektLinje(ws, bredde, tekst, farve);
  switch (ws->Bogstav) {
    case 'K': return AktiTekst(ws, kode, bredde, tekst, farve);
    case 'M': return AnfoTekst(ws, kode, bredde, tekst, farve);
    case 'L': return LokaTekst(ws, kode, bredde, tekst, farve);
  }
  return false;
}

void StamRudeKaption(StamWS *ws, int rude, int linje, char *tekst, size_t stoerrelse) {
  if (!tekst || stoerrelse == 0) return;
  tekst[0] = '\0';
  const uint32_t n = ws ? StamObjekt(ws) : 0;
  if (!n) return;
  if (rude == STAM_FOCUS_SKFA) {
    if (linje == 0) {
      const char *fmt = ws->Bogstav == 'M'   ? "Fag på meda - %s"
                        : ws->Bogstav == 'L' ? "Fag på lokalet - %s"
                                             : "Fag på holdet - %s";
      std::snprintf(tekst, stoerrelse, fmt, ItemUdenBlanke(ws, 24).c_str());
    } else if (linje == 1 && ws->Bogstav == 'M') {
      std::snprintf(tekst, stoerrelse, "%s %s", "Periode:", ItemUdenBlanke(ws, 37).c_str());
    }
    return;
  }
  if (rude != STAM_FOCUS_INS || linje != 0) return;
  const char *fmt = "%s aktivitet: ";
  std::string navn;
  if (ws->Bogstav == 'M') {
    fmt = "%s medarbejder: ";
    const AnfoRec *a = Link<AnfoRec>(tvanfo, n);
    if (const MedaRec *m = a ? Link<MedaRec>(tvmeda, a->meda_id) : nullptr) navn = Felt(m->Initialer);
  } else if (ws->Bogstav == 'L') {
    fmt = "%s lokalet: ";
    if (const LokaRec *l = Link<LokaRec>(tvloka, n)) navn = Felt(l->Lokalenr);
  } else if (const AktiRec *a = Link<AktiRec>(tvakti, n)) {
    navn = Felt(a->Betegnelse);
  }
  const int len = std::snprintf(tekst, stoerrelse, fmt, "Andre skemalæggere på");
  if (len >= 0 && static_cast<size_t>(len) < stoerrelse)
    std::snprintf(tekst + len, stoerrelse - static_cast<size_t>(len), "%s", navn.c_str());
}


