#include "ExtSkemaImp.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BESKEDER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGVISNING.h"
#include "RECPRED.h"
#include "ROLLEFORSLAG.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SKEVIS.h"
#include "SKPHIDX.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TEKST.h"
#include "UNTIS2.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "win/dlg.h"

uint32_t ImportKilde = KILDE_UNTIS;
char ImportKildeNavn[8] = "";
ImportMetodeData ImportMetode = {};

void SaetImportKilde(uint32_t kilde) {
  ImportKilde = kilde;
  const char *navn = "Extern";
  if (kilde == KILDE_UNTIS || kilde == KILDE_UNTIS_DATO)
    navn = "Untis";
  else if (kilde == KILDE_LECTIO)
    navn = "Lectio";
  snprintf(ImportKildeNavn, sizeof ImportKildeNavn, "%s", navn);
}

std::string ImportFilSti(const char *suffix) { return std::string(ImportKildeNavn) + (suffix ? suffix : ""); }


ImportTaellere ImportTal = {};
TavoSkemaListe TavoSkema;

namespace {


// The object lists of the run: record numbers from index 1 whose status
// byte lies in 10..29.
struct ObjektListe {
  std::vector<uint32_t> rec{0};
  uint32_t Antal() const { return static_cast<uint32_t>(rec.size() - 1); }
};
uint32_t AntalFlereAnsaettelser = 0, AntalFlereSkolefag = 0;

template <class R>
ObjektListe Liste(const TabDesc &td, const TabVar &tv, uint32_t sorterFelt) {
  ObjektListe l;
  for (uint32_t r = 1; r < tv.wRecCnt; ++r)
    if (const R *p = TabRec<R>(tv, r); p && p->Status >= 10 && p->Status <= 29) l.rec.push_back(r);
  if (sorterFelt) SorterPaaFelter(td.TypeBogstav, l.rec.data(), l.Antal(), &td, &tv, nullptr, 0, 1, {sorterFelt});
  return l;
}

// A name as the check compares it: Danish sort letters, trimmed, cut to n
// characters.
std::string Sammenlign(const char *tekst, size_t felt, size_t n) {
  char buf[128];
  const size_t l = strnlen(tekst, std::min(felt, sizeof buf - 1));
  memcpy(buf, tekst, l);
  buf[l] = '\0';
  DanskSortTegn(buf, static_cast<int>(l));
  TrimStr(buf);
  buf[std::min(n, sizeof buf - 1)] = '\0';
  return buf;
}
template <size_t N>
std::string Sammenlign(const char (&felt)[N], size_t n) {
  return Sammenlign(felt, N, n);
}

// Writes the log line unless it repeats the last one of its pass.
class Logger {
 public:
  explicit Logger(FILE *f) : f_(f) {}
  // The name is what a run of lessons shares; the line may say more.
  void Linje(const std::string &linje) { Linje(linje, linje); }
  void Linje(const std::string &linje, const std::string &navn) {
    if (navn == sidst_) return;
    sidst_ = navn;
    if (f_) fprintf(f_, "%s\n", linje.c_str());
  }

 private:
  FILE *f_;
  std::string sidst_;
};

std::string Felt(const char *tekst, size_t n) { return std::string(tekst, strnlen(tekst, n)); }

// A lesson's span: its own date, or fra to its weekday in til's week.
struct Span {
  Dato fra, til;
};
Span LektionsSpan(const ImportLektion &l, Dato fra, Dato til) {
  if (l.Dato) return {l.Dato, l.Dato};
  Uge uge = 0;
  DatoTilUge(til, &uge, nullptr);
  const uint8_t dag = static_cast<uint8_t>(l.Dag % 5 == 0 ? 5 : l.Dag % 5);
  return {fra, uge ? UgeDagTilDato(uge, dag) : til};
}
bool Udenfor(const Span &s, Dato fra, Dato til) { return s.til < fra || (til != 0 && s.fra > til); }

// The lesson numbers 1..n sorted by a key put into Danish sort letters.
template <class F>
std::vector<uint32_t> Indeks(const ImportLektioner &lektioner, F noegle) {
  const uint32_t n = lektioner.empty() ? 0 : static_cast<uint32_t>(lektioner.size() - 1);
  std::vector<std::string> k(n + 1);
  std::vector<uint32_t> orden;
  for (uint32_t i = 1; i <= n; ++i) {
    k[i] = noegle(lektioner[i]);
    DanskSortTegn(k[i].data(), static_cast<int>(k[i].size()));
    orden.push_back(i);
  }
  std::stable_sort(orden.begin(), orden.end(), [&](uint32_t a, uint32_t b) { return k[a] < k[b]; });
  return orden;
}
std::string Fmt(const char *format, ...) __attribute__((format(printf, 1, 2)));
std::string Fmt(const char *format, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, format);
  vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  return buf;
}

const AktiRec *Akti(uint32_t r) { return r ? TabRec<AktiRec>(tvakti, r) : nullptr; }

bool ErUntisMedDato(uint32_t kilde) { return kilde == KILDE_UNTIS_DATO || kilde == KILDE_EXTERN; }

uint8_t UgedagAf(Dato d) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(d, &u, &dag);
  return dag;
}

// The weekday a lesson falls on.
uint8_t LektionsUgedag(const ImportLektion &l, const TavoSkemaPost &m) {
  if (ErUntisMedDato(ImportKilde) && l.Dato) return UgedagAf(l.Dato);
  if (ImportKilde == KILDE_TABULEX) return static_cast<uint8_t>(m.Dag % 5 == 0 ? 5 : m.Dag % 5);
  return static_cast<uint8_t>(m.Dag <= 7 ? m.Dag : 0);
}

uint32_t LektionsAntal(const ImportLektioner &lektioner) {
  return lektioner.empty() ? 0 : static_cast<uint32_t>(lektioner.size() - 1);
}

// The lessons the check has matched.
uint32_t TjekkedeLektioner() { return TavoSkema.empty() ? 0 : static_cast<uint32_t>(TavoSkema.size() - 1); }

}  // namespace

void TjekImportLektioner(const ImportLektioner &lektioner, Dato fra, Dato til, FILE *log) {
  ImportTal = {};
  AntalFlereAnsaettelser = AntalFlereSkolefag = 0;
  const uint32_t n = LektionsAntal(lektioner);
  TavoSkema.assign(n + 1, TavoSkemaPost{});
  for (uint32_t i = 1; i <= n; ++i) {
    const ImportLektion &l = lektioner[i];
    TavoSkemaPost &m = TavoSkema[i];
    m.Dato = l.Dato;
    m.Dag = l.Dag;
    if (ErUntisMedDato(ImportKilde) && l.Dato) m.Dag = UgedagAf(l.Dato);
    m.Lektion = l.Lektion;
    m.Starttid = l.Starttid;
    m.Sluttid = l.Sluttid;
    m.Uge = l.Uge;
    m.LektionsId = l.LektionsId;
    m.risy_id = GlobalIndstillinger.standardRingSystem;
  }
  const ObjektListe akti = Liste<AktiRec>(tdakti, tvakti, 1);
  const ObjektListe anfo = Liste<AnfoRec>(tdanfo, tvanfo, 1);
  const ObjektListe loka = Liste<LokaRec>(tdloka, tvloka, 1);
  ObjektListe skph = Liste<SkphRec>(tdskph, tvskph, 0);
  SortSkphIdx(skph.rec.data(), skph.Antal());
  std::vector<uint8_t> udeAfPeriode(n + 1, 0);

  // 1. Activities, in class order.
  Logger lg1(log);
  for (uint32_t i : Indeks(lektioner, [](const ImportLektion &l) {
         return Fmt("%-20s%02u%02u", l.Klasse, l.Dag, l.Lektion);
       })) {
    const ImportLektion &l = lektioner[i];
    const Dato lFra = l.Dato ? l.Dato : fra, lTil = l.Dato ? l.Dato : til;
    if (lFra < SkemaPeriode.FraDato || lTil > SkemaPeriode.TilDato) {
      lg1.Linje(Fmt("Skema udenfor TAVO periode : %u - %u", lFra, lTil));
      ++ImportTal.SkemaPeriode;
      udeAfPeriode[i] = 1;
      continue;
    }
    const std::string navn = Sammenlign(l.Klasse, 16);
    uint32_t fundet = 0;
    for (uint32_t k = 1; k <= akti.Antal() && !fundet; ++k)
      if (Sammenlign(Akti(akti.rec[k])->Aktivitet, 16) == navn) fundet = akti.rec[k];
    if (!fundet) {
      lg1.Linje("Klasse mangler : " + Felt(l.Klasse, sizeof l.Klasse));
      ++ImportTal.AktiMangler;
      continue;
    }
    TavoSkemaPost &m = TavoSkema[i];
    m.akti_id = fundet;
    if (Akti(fundet)->risy_id) m.risy_id = Akti(fundet)->risy_id;
    if (Udenfor(LektionsSpan(l, fra, til), Akti(fundet)->Fradato, Akti(fundet)->Tildato)) {
      lg1.Linje("Udenfor klasses periode : " + Felt(l.Klasse, sizeof l.Klasse));
      ++ImportTal.AktiPeriode;
    }
  }

  // 2. Rooms.
  Logger lg2(log);
  for (uint32_t i : Indeks(lektioner, [](const ImportLektion &l) { return Fmt("%-50s", l.Lokale); })) {
    const ImportLektion &l = lektioner[i];
    if (udeAfPeriode[i] || l.Lokale[0] == '\0') continue;
    const std::string navn = Sammenlign(l.Lokale, 11);
    uint32_t fundet = 0;
    for (uint32_t k = 1; k <= loka.Antal() && !fundet; ++k)
      if (Sammenlign(TabRec<LokaRec>(tvloka, loka.rec[k])->Lokalenr, 11) == navn) fundet = loka.rec[k];
    if (!fundet) {
      lg2.Linje("Lokale mangler : " + Felt(l.Lokale, sizeof l.Lokale));
      ++ImportTal.LokaMangler;
      continue;
    }
    TavoSkema[i].loka_id = fundet;
    const LokaRec *r = TabRec<LokaRec>(tvloka, fundet);
    if (Udenfor(LektionsSpan(l, fra, til), r->Fradato, r->Tildato)) {
      lg2.Linje("Udenfor lokalets periode : " + Felt(l.Lokale, sizeof l.Lokale));
      ++ImportTal.LokaPeriode;
    }
  }

  // 3. Employees: the employments of the listed employees with that code.
  Logger lg3(log), lgFlere(log);
  std::string sidstFlere;
  for (uint32_t i : Indeks(lektioner, [](const ImportLektion &l) { return Fmt("%-50s", l.Laerer); })) {
    const ImportLektion &l = lektioner[i];
    if (udeAfPeriode[i] || l.Laerer[0] == '\0') continue;
    const std::string navn = Sammenlign(l.Laerer, 5);
    const Span span = LektionsSpan(l, fra, til);
    bool kendt = false;
    std::vector<uint32_t> passer;
    for (uint32_t k = 1; k <= anfo.Antal(); ++k) {
      const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo.rec[k]);
      const MedaRec *md = TabRec<MedaRec>(tvmeda, a->meda_id);
      if (!md || Sammenlign(md->Initialer, 5) != navn) continue;
      kendt = true;
      if (!Udenfor(span, a->Fradato, a->Tildato)) passer.push_back(anfo.rec[k]);
    }
    if (!kendt) {
      lg3.Linje("Medarbejder/Ansættelsesforhold mangler : " + Felt(l.Laerer, sizeof l.Laerer));
      ++ImportTal.AnsatMangler;
      continue;
    }
    if (passer.empty()) {
      lg3.Linje("Udenfor medarbejderens/ansættelsesforholdets periode : " + Felt(l.Laerer, sizeof l.Laerer));
      ++ImportTal.AnsatPeriode;
      continue;
    }
    // The lowest running number; the list order among equal ones.
    const uint32_t valgt = *std::min_element(passer.begin(), passer.end(), [](uint32_t a, uint32_t b) {
      return strncmp(TabRec<AnfoRec>(tvanfo, a)->Loebenummer, TabRec<AnfoRec>(tvanfo, b)->Loebenummer,
                     sizeof AnfoRec::Loebenummer) < 0;
    });
    TavoSkema[i].anfo_id = valgt;
    if (passer.size() > 1) {
      if (navn != sidstFlere) ++AntalFlereAnsaettelser;
      sidstFlere = navn;
      lgFlere.Linje("Flere ansættelsesforhold er fundet - følgende bruges : " + Felt(l.Laerer, sizeof l.Laerer) +
                    " / " + Felt(TabRec<AnfoRec>(tvanfo, valgt)->Loebenummer, sizeof AnfoRec::Loebenummer));
    }
  }

  // 4. Subjects on the activities.
  auto skphNoegle = [](uint32_t r) {
    const SkphRec *p = TabRec<SkphRec>(tvskph, r);
    const AktiRec *a = p ? Akti(p->akti_id) : nullptr;
    const SkfaRec *f = p ? TabRec<SkfaRec>(tvskfa, p->skfa_id) : nullptr;
    if (!a || !f) return std::string();
    const char niveau = f->Niveau && f->Niveau != ' ' ? f->Niveau : ' ';
    return Fmt("%-20s/%s%c", Felt(a->Aktivitet, sizeof a->Aktivitet).c_str(),
               Felt(f->Skolefag, sizeof f->Skolefag).c_str(), niveau);
  };
  // Both keys padded to 27 characters, so "DA" meets a subject without a
  // level letter and "DAA" the one with level A.
  auto kort = [](std::string k) {
    k.resize(27, ' ');
    DanskSortTegn(k.data(), static_cast<int>(k.size()));
    return k;
  };
  std::vector<std::string> skphNoegler(skph.rec.size());
  for (uint32_t k = 1; k <= skph.Antal(); ++k) skphNoegler[k] = kort(skphNoegle(skph.rec[k]));
  Logger lg4(log), lgFlereFag(log);
  std::string sidstFlereFag;
  for (uint32_t i : Indeks(lektioner, [](const ImportLektion &l) { return Fmt("%-20s/%s", l.Klasse, l.Fag); })) {
    const ImportLektion &l = lektioner[i];
    TavoSkemaPost &m = TavoSkema[i];
    const AktiRec *a = Akti(m.akti_id);
    if (!a || a->Aktivitet[0] == '*' || IsOvakAkti(m.akti_id)) continue;
    const std::string noegle =
        kort(Fmt("%-20s/%s", Felt(a->Aktivitet, sizeof a->Aktivitet).c_str(), l.Fag));
    uint32_t fundet = 0, antal = 0;
    for (uint32_t k = 1; k <= skph.Antal(); ++k)
      if (skphNoegler[k] == noegle && TabRec<SkphRec>(tvskph, skph.rec[k])->akti_id == m.akti_id) {
        if (!fundet) fundet = skph.rec[k];
        ++antal;
      }
    if (!fundet) {
      lg4.Linje(Fmt("Skolefag på Hold mangler : %s/%s", l.Klasse, l.Fag));
      ++ImportTal.FagMangler;
      continue;
    }
    m.skph_id = fundet;
    m.skfa_id = TabRec<SkphRec>(tvskph, fundet)->skfa_id;
    if (antal > 1) {
      if (noegle != sidstFlereFag) ++AntalFlereSkolefag;
      sidstFlereFag = noegle;
      const SkfaRec *f = TabRec<SkfaRec>(tvskfa, m.skfa_id);
      lgFlereFag.Linje("Flere skolefag er fundet på aktivitet: " + Felt(a->Aktivitet, sizeof a->Aktivitet) +
                       " - følgende bruges : " + Felt(f->Skolefag, sizeof f->Skolefag) +
                       (f->Niveau && f->Niveau != ' ' ? std::string(1, f->Niveau) : std::string()));
    }
  }
}

uint32_t FlereAnsaettelser() { return AntalFlereAnsaettelser; }
uint32_t FlereSkolefag() { return AntalFlereSkolefag; }

uint32_t TjekRingetider(const ImportLektioner &lektioner, FILE *log) {
  Logger lg(log);
  uint32_t mangler = 0;
  const uint32_t n = std::min(LektionsAntal(lektioner), TjekkedeLektioner());
  for (uint32_t i : Indeks(lektioner, [](const ImportLektion &l) {
         return Fmt("%-20s%02u%02u", l.Klasse, l.Dag, l.Lektion);
       })) {
    if (i > n) continue;
    const ImportLektion &l = lektioner[i];
    TavoSkemaPost &m = TavoSkema[i];
    const bool egneTider = l.Starttid != 0 && l.Sluttid != 0;
    const RisyRec *r = TabRec<RisyRec>(tvrisy, m.risy_id);
    const bool iRing = l.Lektion >= 1 && l.Lektion <= 48 && r && r->Starttid[l.Lektion - 1] != 0;
    if (egneTider) {
      m.Starttid = l.Starttid;
      m.Sluttid = l.Sluttid;
      if (l.Lektion == 0 && r) {
        uint32_t lektion = 0;
        uint8_t naer = 0;
        FindLektionForTid('L', &lektion, &naer, l.Starttid, m.risy_id);
        m.Lektion = lektion;
      }
    } else if (iRing) {
      m.Starttid = r->Starttid[l.Lektion - 1];
      m.Sluttid = r->Sluttid[l.Lektion - 1];
    }
    if (m.akti_id == 0 || iRing || (l.Lektion == 0 && egneTider)) continue;
    lg.Linje(Fmt("Ringetid på klasse mangler : %s / %u", l.Klasse, l.Lektion), l.Klasse);
    ++mangler;
  }
  return mangler;
}

bool FindEksisterendeSkema(const ImportLektioner &lektioner, Dato fra, Dato til, FILE *log) {
  Logger lg(log);
  bool fundet = false;
  const uint32_t n = std::min(LektionsAntal(lektioner), TjekkedeLektioner());
  Uge uf = 0, ut = 0;
  uint8_t df = 1, dt = 7;
  DatoTilUge(fra, &uf, &df);
  DatoTilUge(til, &ut, &dt);
  for (uint32_t i = 1; i <= n; ++i) {
    const TavoSkemaPost &m = TavoSkema[i];
    if (!m.akti_id && !m.anfo_id && !m.loka_id) continue;
    const uint8_t ugedag = LektionsUgedag(lektioner[i], m);
    // The weeks of the lesson's period with the weekday bounds of its first
    // and last week (a dated lesson: its own week, unbounded).
    UgeIndeks foerste = uf ? UgeTilIndeks(uf) : 0, sidste = ut ? UgeTilIndeks(ut) : 0;
    uint8_t fraDag = df, tilDag = dt;
    if (ErUntisMedDato(ImportKilde)) {
      Uge u = 0;
      DatoTilUge(m.Dato, &u, nullptr);
      foerste = sidste = u ? UgeTilIndeks(u) : 0;
      fraDag = 1, tilDag = 7;
    }
    const bool stjerne = m.akti_id && Akti(m.akti_id)->Aktivitet[0] == '*';
    const AnfoRec *ansat = m.anfo_id ? TabRec<AnfoRec>(tvanfo, m.anfo_id) : nullptr;
    for (UgeIndeks w = std::max<UgeIndeks>(foerste, 1); w <= std::min(sidste, SkemaPeriode.AntalUger); ++w) {
      if ((w == foerste && ugedag < fraDag) || (w == sidste && ugedag > tilDag)) continue;
      const TabVar *b = SkemabegBucket(IndeksTilUge(w));
      for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
        SkeRec s;
        memcpy(&s, GetRec(&tdske, b, r), sizeof s);
        if (s.Status == 0 || (s.Status & 0x48) == 0x48 || (s.Status & 0x240) == 0x240) continue;
        if (s.Dag != ugedag || !(s.Starttid < m.Sluttid && m.Starttid < s.Sluttid)) continue;
        if (m.akti_id && !stjerne && s.akti_id == m.akti_id) {
          lg.Linje("Skema fundet på aktivitet : " + Felt(Akti(m.akti_id)->Aktivitet, 16));
          fundet = true;
        }
        // The same employee in any of his employments.
        const AnfoRec *raekkens = s.anfo_id ? TabRec<AnfoRec>(tvanfo, s.anfo_id) : nullptr;
        if (ansat && raekkens && raekkens->meda_id == ansat->meda_id) {
          const MedaRec *md = TabRec<MedaRec>(tvmeda, ansat->meda_id);
          lg.Linje("Skema fundet på medarbejder : " + (md ? Felt(md->Initialer, sizeof md->Initialer) : std::string()));
          fundet = true;
        }
        if (m.loka_id && s.loka_id == m.loka_id) {
          lg.Linje("Skema fundet på lokale : " + Felt(TabRec<LokaRec>(tvloka, m.loka_id)->Lokalenr, 11));
          fundet = true;
        }
      }
    }
  }
  return fundet;
}

namespace {

const char kRollerTekst[] = "Alle rolleforslag skal være sat for at kunne skemalægge !\n\nDette gøres under System / Roller ";

bool JaNej(HWND h, const std::string &tekst, const char *suffix, UINT ikon) {
  return MessageBoxA(h, tekst.c_str(), ImportFilSti(suffix).c_str(), MB_YESNO | MB_DEFBUTTON2 | ikon) == IDYES;
}

std::string LogSti() { return std::string(StiTab.szdata) + "log\\" + kImportLogNavn; }

// The period of a run: the dialog's, or for files with dates without one the
// first and last date of the lessons.
void DatoerFraFil(ExtImportIndstillinger &ind, const ImportLektioner &lektioner) {
  if (ind.fradato || !ErUntisMedDato(ImportKilde)) return;
  Dato mindst = 0, stoerst = 0;
  for (size_t i = 1; i < lektioner.size(); ++i) {
    const Dato d = lektioner[i].Dato;
    if (!d) continue;
    if (!mindst || d < mindst) mindst = d;
    if (d > stoerst) stoerst = d;
  }
  ind.fradato = mindst;
  ind.tildato = stoerst;
}

ImportLektioner &Lektioner() {
  return ImportKilde == KILDE_UNTIS || ImportKilde == KILDE_TABULEX ? UntisSkema : ExtSkema;
}

uint32_t Laes(const ExtImportIndstillinger &ind, uint32_t ugevis) {
  ImportLektioner &l = Lektioner();
  uint32_t antal = 0;
  switch (ImportKilde) {
    case KILDE_UNTIS:
      antal = LaesUntisSkema(ind.Mappe, l, ugevis ? ind.ugenr % 100 : 0);
      break;
    case KILDE_UNTIS_DATO:
      antal = LaesUntisDatoSkema(ind, l);
      break;
    case KILDE_TABULEX:
      antal = LaesTabulexSkema(ind.Mappe, l);
      break;
    case KILDE_LECTIO:
      antal = LaesLectioSkema(ind.Mappe, l);
      break;
    default:
      antal = LaesExtSkema(ind, l);
      break;
  }
  if (ImportKilde == KILDE_UNTIS || ImportKilde == KILDE_UNTIS_DATO) {
    LaesKlasserTxt(ind.Mappe, l, antal);
    LaesLokalerTxt(ind.Mappe, l, antal);
    LaesFagTxt(ind.Mappe, l, antal);
  }
  return antal;
}

INT_PTR VisDialog(HWND h, ExtImportIndstillinger &ind) {
  RegistrerExtSkemaDialoger();
  LPCSTR skabelon = IDD_DATOINTERVAL;
  DLGPROC proc = DatoIntervalDlgProc;
  if (ImportKilde == KILDE_UNTIS && ind.Ugevis) {
    skabelon = IDD_UGENR;
    proc = UgeDlgProc;
  } else if (ImportKilde == KILDE_TABULEX) {
    proc = UgeIntervalDlgProc;
  } else if (ErUntisMedDato(ImportKilde)) {
    skabelon = IDD_EXTSKEMAFIL;
    proc = ExtSkemaFilDlgProc;
  }
  return DialogBoxParamA(0, skabelon, h, proc, reinterpret_cast<LPARAM>(&ind));
}

std::string Opsummering(uint32_t antal, const std::string &log) {
  const ImportTaellere &t = ImportTal;
  return Fmt("Der er undersøgt %d begivenhed(er) \n", static_cast<int>(antal)) +
         "og følgende mangler eller periodefejl er fundet : \n\n" + "   Antal\n" + "   begivenheder  Mangler \n" +
         " ---------------------------------------------- \n" +
         Fmt("%15d\tAktivitet\n", static_cast<int>(t.AktiMangler + t.AktiPeriode)) +
         Fmt("%15d\tMedarbejder\n", static_cast<int>(t.AnsatMangler + t.AnsatPeriode)) +
         Fmt("%15d\tSkolefag\n", static_cast<int>(t.FagMangler)) +
         Fmt("%15d\tLokale\n", static_cast<int>(t.LokaMangler + t.LokaPeriode)) +
         Fmt("%15d\tSkema begivenheder med periode fejl\n\n", static_cast<int>(t.SkemaPeriode)) +
         "Hvilke objekter det drejer sig om, kan ses i\n  " + log + "\n\n" + "Ønsker du at fortsætte !";
}

// The questions and the placing once the file is read and the log open.
bool KoerImport(HWND h, ExtImportIndstillinger &ind, uint32_t ugevis, FILE *log) {
  const ImportLektioner &lek = Lektioner();
  const uint32_t antal = Laes(ind, ugevis);
  DatoerFraFil(ind, lek);
  TjekImportLektioner(lek, ind.fradato, ind.tildato, log);
  const std::string sti = LogSti();
  const ImportTaellere &t = ImportTal;
  if ((t.AktiMangler | t.AnsatMangler | t.LokaMangler | t.FagMangler | t.AktiPeriode | t.AnsatPeriode |
       t.LokaPeriode | t.SkemaPeriode) &&
      !JaNej(h, Opsummering(antal, sti), " - Fejl", MB_ICONINFORMATION))
    return false;
  if (const uint32_t ring = TjekRingetider(lek, log);
      ring && !JaNej(h,
                     Fmt("Der er undersøgt %d begivenhed(er)\n", static_cast<int>(antal)) +
                         Fmt("På %d begivenhed(er) er der angivet et lektionsnr.\n", static_cast<int>(ring)) +
                         "der ligger udenfor klassens ringetid.\n\n" + "Hvilke objekter det drejer sig om, kan ses i\n" +
                         sti + "\n\n" + "Ønsker du at fortsætte !",
                     " - Import", MB_ICONINFORMATION))
    return false;
  if (FlereAnsaettelser() &&
      !JaNej(h,
             Fmt("På %d medarbejdere er der fundet flere ansættelsesforhold\n", static_cast<int>(FlereAnsaettelser())) +
                 "der kan bruges. Tavo vælger et tilfældig af dem.\n" + "Hvilket kan ses i:\n" + sti + "\n\n" +
                 "Ønsker du at fortsætte !",
             " - Import", MB_ICONINFORMATION))
    return false;
  if (FlereSkolefag() &&
      !JaNej(h,
             Fmt("%d skolefag er fundet flere gange på samme klasse.\n", static_cast<int>(FlereSkolefag())) +
                 "Tavo vælger et tilfældig af dem.\n" + "Hvilket kan ses i:\n" + sti + "\n\n" +
                 "Ønsker du at fortsætte !",
             " - Import", MB_ICONINFORMATION))
    return false;
  if (FindEksisterendeSkema(lek, ind.fradato, ind.tildato, log)) {
    std::string tekst = std::string("Der er fundet skema i Tavo på en eller flere hold/medarbejder/lokale\n") +
                        "angivet i skemaimport-filen.\n\n" + "Hvilke kan ses i:\n  " + sti + "\n\n";
    if (ImportKilde == KILDE_UNTIS) {
      tekst += "NB: HVIS DU FORTSÆTTER BLIVER DETTE SKEMA SLETTET !\n";
      tekst += "Ønsker du at fortsætte !";
      if (!JaNej(h, tekst, " - Import", MB_ICONINFORMATION)) return false;
    } else {
      tekst += "VÆLG EN METODE, HVORPÅ DU ØNSKER AT IMPORTERE SKEMAET!\n";
      tekst += "Ønsker du at fortsætte !";
      if (DialogBoxParamA(0, IDD_IMPORTMETODE, h, MetodeDlgProc, reinterpret_cast<LPARAM>(tekst.c_str())) != 1)
        return false;
    }
  }
  std::string sidste = std::string(ImportKildeNavn) + "-filen er nu klar til import.\n";
  if (ImportKilde != KILDE_UNTIS && ImportMetode.Overskriv)
    sidste += std::string("OBS! - Du har valgt en metode, som overskriver skema i TAVO!\n") +
              "Er du sikker på, at det er det du vil?\n\n";
  sidste += "Ønsker du at importere nu ?\n";
  if (!JaNej(h, sidste, " - Import", MB_ICONQUESTION)) return false;

  HuskImportObj(lek, TavoSkema, ind.fradato, ind.tildato);
  if (ImportKilde == KILDE_UNTIS_DATO || ImportKilde == KILDE_TABULEX || ImportKilde == KILDE_EXTERN)
    LoesKonflikter(lek, TavoSkema, ind.fradato, ind.tildato, ImportMetode.Overskriv != 0);
  const bool dobbelt = ImportMetode.Dobbeltskema != 0;
  switch (ImportKilde) {
    case KILDE_UNTIS:
    case KILDE_UNTIS_DATO:
      PlacerUntis(lek, TavoSkema, ind.fradato, ind.tildato, ImportKilde, dobbelt);
      break;
    case KILDE_TABULEX:
      PlacerTabulex(lek, TavoSkema, ind.fradato, ind.tildato, TabulexAntalUger, dobbelt);
      break;
    case KILDE_LECTIO:
      PlacerLectio(lek, TavoSkema, ind.fradato);
      break;
    default:
      PlacerExtSkema(lek, TavoSkema, ImportMetode.Ignorer != 0);
      break;
  }
  // The undo takes the last import's period from [untis]; the file dialog of
  // the dated sources writes none, so without this Ctrl+Z would miss the
  // import just made.
  if (ErUntisMedDato(ImportKilde) && !GlobalIndstillinger.skemalaast) {
    const std::string fra = Fmt("%u", ind.fradato), til = Fmt("%u", ind.tildato);
    WritePrivateProfileStringA("untis", "fradato", fra.c_str(), StiTab.szini);
    WritePrivateProfileStringA("untis", "tildato", til.c_str(), StiTab.szini);
  }
  CountExportChanges();
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  return true;
}

// Releases what a run holds, on every way out.
struct RunOprydning {
  ~RunOprydning() {
    FrigivImportKonflikter();
    TavoSkema.clear();
    UntisSkema.clear();
    ExtSkema.clear();
  }
};

}  // namespace

bool ExtSkemaImport(HWND h, uint32_t ugevis) {
  ImportMetode = {};
  ExtImportIndstillinger ind{};
  ind.Kilde = ImportKilde;
  ind.Ugevis = ugevis;
  if (VisDialog(h, ind) != 1) return false;
  FILE *log = fopen(LogSti().c_str(), "w");
  if (!log) {
    MessageBoxA(h, "Importen kan ikke fortsætte,\n da \\log\\skemaimport.log ikke kunne oprettes !",
                ImportFilSti(" - Fejl").c_str(), MB_OK | MB_ICONWARNING);
    return false;
  }
  const bool placeret = KoerImport(h, ind, ugevis, log);
  fclose(log);
  ShowLogFile(ImportFilSti(" import log!").c_str(), kImportLogNavn);
  return placeret;
}

void StartExtSkemaImport(HWND h, uint32_t kilde) {
  RunOprydning oprydning;
  SaetImportKilde(kilde);
  if (!AlleRollerSat()) {
    MessageBoxA(h, kRollerTekst, "Roller mangler", MB_OK | MB_ICONWARNING);
    return;
  }
  const UINT ikon = MB_ICONINFORMATION;
  const char *konv = "Hvis der skal konverteres navne på klasser, lærere, lokaler eller fag, skal disse filer navngives:\n"
                     "klasser.txt, fag.txt, lokaler.txt og lærere.txt.\n\n";
  switch (kilde) {
    case KILDE_TABULEX:
      if (JaNej(h,
                std::string("Tabulex-skema importeres med angivelse af en frauge og en tiluge.\nSkema filen fra Tabulex "
                            "indeholdende skemaet, skal hedde skema.csv.\n") +
                    konv + "Vil du fortsætte?",
                "-import", ikon))
        ExtSkemaImport(h, 0);
      return;
    case KILDE_LECTIO:
      if (JaNej(h,
                std::string("Lectio-skema importeres med angivelse af en frauge og en tiluge.\nSkema filen fra Lectio "
                            "indeholdende skemaet, skal hedde skema.txt.\n") +
                    konv + "Vil du fortsætte?",
                "-import", ikon))
        ExtSkemaImport(h, 0);
      return;
    case KILDE_EXTERN:
      if (JaNej(h,
                "Extern-skema kan importeres efter dato angivet i skema filen fra den externe datakilde.\n\nVil du "
                "anvende denne metode?",
                "-import", ikon))
        ExtSkemaImport(h, 0);
      return;
    default:
      break;
  }
  if (JaNej(h, "Untis-skema kan importeres efter dato angivet i skema filen fra Untis.\n\nVil du anvende denne metode?",
            "-import", ikon)) {
    ImportKilde = KILDE_UNTIS_DATO;
    if (JaNej(h,
              std::string("Untis-skema importeres efter dato angivet i skema filen.\nFilen indeholdende skemaet skal "
                          "hedde skema.txt.\n") +
                  konv + "Vil du fortsætte?",
              "-import", ikon))
      ExtSkemaImport(h, 0);
    return;
  }
  const bool ugevis =
      JaNej(h,
            std::string("Untis-skema kan importeres ugevis eller med angivelse af et datointerval.\nImporteres ugevis, "
                        "angives ugen som f.eks. 201743, og det forventes at filen indeholdende dette skema, hedder "
                        "skema43.txt.\n\nImporteres der med angivelsen af et dato interval, forventes det at filen "
                        "indeholdende skema, hedder skema.txt.\n") +
                konv + "Skal der importeres ugevis ?",
            "-import", ikon);
  ExtSkemaImport(h, ugevis ? 1 : 0);
}

void UntisImportKommando(HWND h) { StartExtSkemaImport(h, KILDE_UNTIS); }
void TabulexImportKommando(HWND h) { StartExtSkemaImport(h, KILDE_TABULEX); }
void ExternImportKommando(HWND h) { StartExtSkemaImport(h, KILDE_EXTERN); }
void LectioImportKommando(HWND h) { StartExtSkemaImport(h, KILDE_LECTIO); }
