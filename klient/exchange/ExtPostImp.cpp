#include "ExtPostImp.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstring>
#include <string>

#include "BESKEDER.h"
#include "ImpTimoak.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGVISNING.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TEKST.h"
#include "TIMOAK.h"
#include "UNTIS.h"
#include "UNTIS2.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "extskemadlg.h"
#include "win/dlg.h"

ExtPostTaellere ExtPostTal = {};

namespace {

constexpr size_t kLinjeTegn = 511;
constexpr char kFejlTitel[] = "ExtPost - Fejl";
constexpr char kImportTitel[] = "ExtPost - Import";
constexpr char kLogNavn[] = "ExtPost.log";
constexpr char kStreg[] = " ---------------------------------------------- \n";

std::string Fmt(const char *format, ...) __attribute__((format(printf, 1, 2)));
std::string Fmt(const char *format, ...) {
  char buf[600];
  va_list ap;
  va_start(ap, format);
  vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  return buf;
}

void Log(FILE *log, const std::string &s) {
  if (log) fputs(s.c_str(), log);
}

std::string Felt(const char *tekst, size_t n) { return std::string(tekst, strnlen(tekst, n)); }

template <size_t N>
void Kopier(char (&felt)[N], const char *s) {
  const size_t n = strnlen(s, N - 1);
  memcpy(felt, s, n);
  felt[n] = '\0';
}

// The next ';'-field of p, cut out in place; null after the last one.
const char *NaesteFelt(char *&p) {
  if (!p) return nullptr;
  char *felt = p;
  char *skil = strchr(p, ';');
  if (skil) {
    *skil = '\0';
    p = skil + 1;
  } else {
    p = nullptr;
  }
  return felt;
}

// A top-line field read with its pattern after lower-casing; 0 when it does
// not match.
int32_t TopFelt(const char *felt, const char *moenster) {
  if (!felt) return 0;
  char buf[kLinjeTegn + 1];
  Kopier(buf, felt);
  for (char *c = buf; *c; ++c) *c = static_cast<char>(tolower(static_cast<unsigned char>(*c)));
  int v = 0;
  return sscanf(buf, moenster, &v) == 1 ? v : 0;
}

bool StarterMed(const char *s, const char *praefiks) {
  for (; *praefiks; ++s, ++praefiks)
    if (tolower(static_cast<unsigned char>(*s)) != *praefiks) return false;
  return true;
}

bool IInterval(Dato d, Dato fra, Dato til) { return d >= fra && d <= til; }

// The records of a table with status 10..29, from index 1.
template <class R>
std::vector<uint32_t> Aktive(const TabVar &tv) {
  std::vector<uint32_t> l{0};
  for (uint32_t r = 1; r < tv.wRecCnt; ++r)
    if (const R *p = TabRec<R>(tv, r); p && p->Status >= 10 && p->Status <= 29) l.push_back(r);
  return l;
}

// An activity name as the check compares it: without blanks (the reader
// removed those of the file's names, so a stored "Dansk 1" must meet the
// file's "Dansk1"), Danish sort letters, cut to 16 characters; case counts.
std::string AktiNoegle(const char *navn, size_t n) {
  std::string k = Felt(navn, n);
  k.erase(std::remove(k.begin(), k.end(), ' '), k.end());
  DanskSortTegn(k.data(), static_cast<int>(k.size()));
  if (k.size() > 16) k.resize(16);
  return k;
}

// Initials as the check compares them: the first 5 characters, trimmed,
// upper-cased, Danish sort letters.
std::string InitNoegle(const char *init, size_t n) {
  char buf[kExtPostTekst + 1];
  const size_t l = strnlen(init, std::min(n, kExtPostTekst));
  memcpy(buf, init, l);
  buf[l] = '\0';
  TrimStr(buf);
  buf[std::min<size_t>(5, strlen(buf))] = '\0';
  TilStoreBogstaver(buf);
  DanskSortTegn(buf, static_cast<int>(strlen(buf)));
  return buf;
}

// Record numbers 1..n of the postings sorted by a key.
template <class F>
std::vector<uint32_t> Orden(const std::vector<ExtPostRec> &poster, F noegle) {
  std::vector<uint32_t> o;
  std::vector<std::string> k(poster.size());
  for (uint32_t i = 1; i < poster.size(); ++i) {
    k[i] = noegle(poster[i]);
    o.push_back(i);
  }
  std::stable_sort(o.begin(), o.end(), [&](uint32_t a, uint32_t b) { return k[a] < k[b]; });
  return o;
}

// Writes a log line once for a run of records with the same name.
class Logger {
 public:
  explicit Logger(FILE *f) : f_(f) {}
  void Linje(const std::string &navn, const std::string &linje) {
    if (har_ && navn == sidst_) return;
    har_ = true;
    sidst_ = navn;
    Log(f_, linje);
  }

 private:
  FILE *f_;
  bool har_ = false;
  std::string sidst_;
};

const AktiRec *Akti(uint32_t r) { return TabRec<AktiRec>(tvakti, r); }
const AnfoRec *Anfo(uint32_t r) { return TabRec<AnfoRec>(tvanfo, r); }
const MedaRec *Meda(const AnfoRec *a) { return a ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr; }

// The employments of the list with these initials whose dates meet the
// period, lowest running number (as text) first; whether any had them.
std::vector<uint32_t> FindAnsaettelser(Dato fra, Dato til, const std::vector<uint32_t> &ansatte,
                                       const std::string &init, bool &kendt) {
  std::vector<uint32_t> fundne;
  kendt = false;
  for (size_t k = 1; k < ansatte.size(); ++k) {
    const AnfoRec *a = Anfo(ansatte[k]);
    const MedaRec *m = Meda(a);
    if (!m || InitNoegle(m->Initialer, sizeof m->Initialer) != init) continue;
    kendt = true;
    if (a->Fradato <= til && a->Tildato >= fra) fundne.push_back(ansatte[k]);
  }
  std::stable_sort(fundne.begin(), fundne.end(), [](uint32_t x, uint32_t y) {
    return strncmp(Anfo(x)->Loebenummer, Anfo(y)->Loebenummer, sizeof AnfoRec::Loebenummer) < 0;
  });
  return fundne;
}

int JaNej(HWND h, const std::string &tekst) {
  return MessageBoxA(h, tekst.c_str(), kImportTitel, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION);
}

void Fejl(HWND h, const std::string &tekst) { MessageBoxA(h, tekst.c_str(), kFejlTitel, MB_OK | MB_ICONEXCLAMATION); }

// The summary lines of the box (two tabs) or the log (one).
std::string Opsummering(bool boks, uint32_t antal, uint32_t fejl, const char *foersteResultat) {
  const ExtPostTaellere &t = ExtPostTal;
  const char *tab = boks ? "\t\t" : "\t";
  auto linje = [&](uint32_t v, const char *tekst) { return Fmt("       %6d%s%s\n", static_cast<int>(v), tab, tekst); };
  std::string s = boks ? Fmt("Der er undersøgt %d postering(er)\n", static_cast<int>(antal))
                       : Fmt("\n\nDer er behandlet %d postering(er)\n", static_cast<int>(antal));
  s += Fmt("Der er konstateret %d mangler/periodefejl\n", static_cast<int>(fejl));
  s += "Se nedenfor for detaljer: \n\n";
  s += "   Antal\n";
  s += "   posteringer\tResultat\n";
  s += kStreg;
  s += linje(antal - fejl, foersteResultat);
  s += linje(t.AktiMangler + t.AktiPeriode, "Fejl Aktivitet");
  s += linje(t.AnsatMangler + t.AnsatPeriode, "Fejl Medarbejder");
  if (t.PostPeriode) s += linje(t.PostPeriode, "Posteringer med periode fejl");
  if (t.Sammenfald) s += linje(t.Sammenfald, "Postsammenfald fundet");
  s += kStreg;
  if (t.FlereAnsaettelser) s += linje(t.FlereAnsaettelser, "Medarbejdere med flere ansættelsesforhold");
  return s;
}

std::string LogSti() { return std::string(StiTab.szdata) + "log\\" + kLogNavn; }

// The checks, questions and the import once the file is read; whether the
// postings were added.
bool KoerImport(HWND h, std::vector<ExtPostRec> &poster, const ExtPostDlgData &dlg, FILE *log) {
  const uint32_t antal = static_cast<uint32_t>(poster.size() - 1);
  std::vector<ExtPostResultat> res = TjekExtPost(poster, dlg.FraDato, dlg.TilDato, log);

  // Employees with several employments, once each in initials order.
  std::string sidst;
  for (uint32_t i : Orden(poster, [](const ExtPostRec &p) { return InitNoegle(p.Initialer, sizeof p.Initialer); })) {
    if (res[i].anfo.size() < 2) continue;
    const std::string noegle = InitNoegle(poster[i].Initialer, sizeof poster[i].Initialer);
    if (ExtPostTal.FlereAnsaettelser && noegle == sidst) continue;
    sidst = noegle;
    ++ExtPostTal.FlereAnsaettelser;
    const AnfoRec *a = Anfo(res[i].anfo[0]);
    Log(log, "Flere ansættelsesforhold er fundet - følgende bruges : " + Felt(poster[i].Initialer, kExtPostTekst) +
                 " - " + Felt(a->Loebenummer, sizeof a->Loebenummer) + "\n");
  }
  ExtPostTal.Sammenfald = TjekPostsammenfald(poster, res, log);

  const ExtPostTaellere &t = ExtPostTal;
  const uint32_t fejl = std::min(
      antal, t.AktiMangler + t.AnsatMangler + t.AktiPeriode + t.AnsatPeriode + t.PostPeriode + t.Sammenfald);
  const std::string boks = Opsummering(true, antal, fejl, "Indlæses i TAVO") +
                           "\nDetaljer om fejl/mangler kan ses i\n  " + LogSti() + "\n\n" + "Ønsker du at fortsætte ?";
  bool importeret = false;
  if (JaNej(h, boks) == IDYES &&
      JaNej(h, "ExtPost-filen er nu klar til import.\nØnsker du at importere nu ?\n") == IDYES) {
    ImporterExtPost(res, log);
    CountExportChanges();
    importeret = true;
  }
  Log(log, Opsummering(false, antal, fejl, importeret ? "Indlæst i TAVO" : "Indlæses i TAVO") + "\n");
  return importeret;
}

// ---- The dialog ----

ExtPostDlgData *DlgData(HWND dlg) { return reinterpret_cast<ExtPostDlgData *>(GetWindowLongPtrA(dlg, GWLP_USERDATA)); }

void DlgStart(HWND dlg) {
  char sti[260], navn[260];
  GetPrivateProfileStringA("ExtPost", "path", "", sti, sizeof sti, StiTab.szini);
  GetPrivateProfileStringA("ExtPost", "filnavn", "", navn, sizeof navn, StiTab.szini);
  if (sti[0] == '\0') {
    // The program folder, without its backslash.
    Kopier(sti, StiTab.szprog);
    const size_t n = strlen(sti);
    if (n > 0 && (sti[n - 1] == '\\' || sti[n - 1] == '/')) sti[n - 1] = '\0';
  }
  SetDlgItemTextA(dlg, IDC_EXT_MAPPE, sti);
  SetDlgItemTextA(dlg, IDC_EXT_FILNAVN, navn);
  const int fokus = sti[0] == '\0' ? IDC_EXT_MAPPE : navn[0] == '\0' ? IDC_EXT_FILNAVN : IDOK;
  SetFocus(GetDlgItem(dlg, fokus));
}

void DlgBrowse(HWND dlg) {
  if (VaelgImportFil(dlg, "ExtPost fil (*.txt)\0*.txt\0", "Åben extern post fil")) SetFocus(GetDlgItem(dlg, IDOK));
}

void DlgOk(HWND dlg) {
  ExtPostDlgData *d = DlgData(dlg);
  char sti[260], navn[260];
  GetDlgItemTextA(dlg, IDC_EXT_MAPPE, sti, sizeof sti);
  GetDlgItemTextA(dlg, IDC_EXT_FILNAVN, navn, sizeof navn);
  if (sti[0] == '\0' || navn[0] == '\0' || d == nullptr) return;
  const std::string fuld = std::string(sti) + "\\" + navn;
  const DWORD a = GetFileAttributesA(fuld.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) {
    MessageBoxA(dlg, "ExtPost filen ikke fundet.\nTjek om du har angivet en korrekt sti.\nEller navngivet filen korrekt.",
                kFejlTitel, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  Kopier(d->Sti, sti);
  Kopier(d->FilNavn, navn);
  WritePrivateProfileStringA("ExtPost", "path", sti, StiTab.szini);
  WritePrivateProfileStringA("ExtPost", "filnavn", navn, StiTab.szini);
  EndDialog(dlg, 1);
}

}  // namespace

// ---- Reading ----

int32_t ExtPostTimer(const char *tekst) {
  const char *p = tekst;
  while (*p == ' ' || *p == '\t') ++p;
  bool negativ = false;
  if (*p == '+' || *p == '-') negativ = *p++ == '-';
  // Whole tenths, and whether the rest reaches half a tenth, from the digits
  // as written (a binary fraction would round 7,15 down).
  int64_t tiendedele = 0;
  for (; isdigit(static_cast<unsigned char>(*p)); ++p)
    if (tiendedele < INT32_MAX) tiendedele = tiendedele * 10 + (*p - '0');
  tiendedele *= 10;
  if (*p == ',' || *p == '.') {
    ++p;
    if (isdigit(static_cast<unsigned char>(*p))) {
      tiendedele += *p++ - '0';
      if (*p >= '5' && *p <= '9') ++tiendedele;
    }
  }
  const int64_t hundrededele = std::min<int64_t>(tiendedele * 10, INT32_MAX / 10 * 10);
  return static_cast<int32_t>(negativ ? -hundrededele : hundrededele);
}

ExtPostLinje FortolkExtPostLinje(char *linje, ExtPostDlgData &dlg, ExtPostRec &rec) {
  TrimStr(linje);
  StripBlanks(linje);
  if (linje[0] == '\'') return ExtPostLinje::Kommentar;
  char *p = linje;
  if (StarterMed(linje, "tavonr=")) {
    dlg.TavoNr = TopFelt(NaesteFelt(p), "tavonr=%d");
    const int32_t aar = TopFelt(NaesteFelt(p), "aar=%d");
    const int32_t maaned = TopFelt(NaesteFelt(p), "maaned=%d");
    if (aar == 0 && maaned == 0) {
      dlg.Maaned = 0;
      dlg.FraDato = SkemaPeriode.FraDato;
      dlg.TilDato = SkemaPeriode.TilDato;
    } else {
      // A year or month out of range gives a period the date check refuses.
      const bool rimelig = aar > 0 && aar < 10000 && maaned >= 1 && maaned <= 12;
      dlg.Maaned = static_cast<uint32_t>(aar) * 100u + static_cast<uint32_t>(maaned);
      dlg.FraDato = rimelig ? dlg.Maaned * 100 + 1 : 0;
      dlg.TilDato = rimelig ? SidsteDatoIMaaned(dlg.Maaned) : 0;
    }
    return ExtPostLinje::Top;
  }
  rec = ExtPostRec{};
  rec.Tom = linje[0] == '\0';
  const char *init = NaesteFelt(p);
  const char *akti = NaesteFelt(p);
  const char *dato = NaesteFelt(p);
  const char *timer = NaesteFelt(p);
  Kopier(rec.Initialer, init ? init : "");
  Kopier(rec.Aktivitet, akti ? akti : "");
  rec.Dato = dato ? static_cast<uint32_t>(std::max(0, ImportHelTal(dato))) : 0;
  rec.Timer = timer ? ExtPostTimer(timer) : 0;
  return ExtPostLinje::Postering;
}

uint32_t LaesExtPostFil(ExtPostDlgData &dlg, std::vector<ExtPostRec> &poster) {
  poster.assign(1, ExtPostRec{});
  dlg.TavoNr = 0;
  dlg.Maaned = 0;
  dlg.FraDato = SkemaPeriode.FraDato;
  dlg.TilDato = SkemaPeriode.TilDato;
  const std::string sti = std::string(dlg.Sti) + "\\" + dlg.FilNavn;
  FILE *f = fopen(sti.c_str(), "rb");
  if (!f) return 0;
  char linje[kLinjeTegn + 1];
  size_t n = 0;
  bool noget = false;
  for (int c;;) {
    c = getc(f);
    if (c != EOF) noget = true;
    if (c != EOF && c != '\n') {
      if (n < kLinjeTegn) linje[n++] = static_cast<char>(c);
      continue;
    }
    linje[n] = '\0';
    if (noget) {
      // A blank line is no posting.
      ExtPostRec rec;
      if (FortolkExtPostLinje(linje, dlg, rec) == ExtPostLinje::Postering && !rec.Tom) poster.push_back(rec);
    }
    if (c == EOF) break;
    n = 0;
    noget = false;
  }
  fclose(f);
  return static_cast<uint32_t>(poster.size() - 1);
}

// ---- Checks ----

std::vector<ExtPostResultat> TjekExtPost(std::vector<ExtPostRec> &poster, Dato fra, Dato til, FILE *log) {
  ExtPostTal = {};
  std::vector<ExtPostResultat> res(poster.size());
  for (uint32_t i = 1; i < poster.size(); ++i) {
    TilStoreBogstaver(poster[i].Initialer);
    res[i].Dato = poster[i].Dato;
    res[i].Timer = poster[i].Timer;
  }

  for (uint32_t i = 1; i < poster.size(); ++i)
    if (!IInterval(poster[i].Dato, fra, til)) {
      ++ExtPostTal.PostPeriode;
      Log(log, Fmt("Postering udenfor periode : %d-%d, Postdato: %d\n", static_cast<int>(fra), static_cast<int>(til),
                   static_cast<int>(poster[i].Dato)));
    }

  // Activities: the first of equal names in name order is taken.
  std::vector<uint32_t> akti = Aktive<AktiRec>(tvakti);
  std::vector<std::pair<std::string, uint32_t>> aktiNavne;
  for (size_t k = 1; k < akti.size(); ++k)
    aktiNavne.emplace_back(AktiNoegle(Akti(akti[k])->Aktivitet, sizeof AktiRec::Aktivitet), akti[k]);
  std::stable_sort(aktiNavne.begin(), aktiNavne.end(),
                   [](const auto &a, const auto &b) { return a.first < b.first; });
  Logger lgAkti(log);
  for (uint32_t i : Orden(poster, [](const ExtPostRec &p) { return AktiNoegle(p.Aktivitet, sizeof p.Aktivitet); })) {
    const ExtPostRec &p = poster[i];
    const std::string navn = AktiNoegle(p.Aktivitet, sizeof p.Aktivitet);
    const auto it = std::lower_bound(aktiNavne.begin(), aktiNavne.end(), navn,
                                     [](const auto &a, const std::string &n) { return a.first < n; });
    const std::string vist = Felt(p.Aktivitet, sizeof p.Aktivitet);
    if (it == aktiNavne.end() || it->first != navn) {
      ++ExtPostTal.AktiMangler;
      lgAkti.Linje(navn, "Aktivitet mangler : " + vist + "\n");
      continue;
    }
    const AktiRec *a = Akti(it->second);
    if (a->Fradato <= til && a->Tildato >= fra && IInterval(p.Dato, a->Fradato, a->Tildato)) {
      if (IInterval(p.Dato, fra, til)) res[i].akti_id = it->second;
    } else {
      ++ExtPostTal.AktiPeriode;
      lgAkti.Linje(navn, Fmt("Udenfor aktivitetens periode : %s, Postdato: %d\n", vist.c_str(),
                             static_cast<int>(p.Dato)));
    }
  }

  // Employees.
  const std::vector<uint32_t> anfo = Aktive<AnfoRec>(tvanfo);
  Logger lgAnsat(log);
  for (uint32_t i : Orden(poster, [](const ExtPostRec &p) { return InitNoegle(p.Initialer, sizeof p.Initialer); })) {
    const ExtPostRec &p = poster[i];
    const std::string init = InitNoegle(p.Initialer, sizeof p.Initialer);
    const std::string vist = Felt(p.Initialer, sizeof p.Initialer);
    bool kendt = false;
    res[i].anfo = FindAnsaettelser(fra, til, anfo, init, kendt);
    if (!kendt) {
      ++ExtPostTal.AnsatMangler;
      lgAnsat.Linje(init, "Medarbejder/Ansættelsesforhold mangler : " + vist + "\n");
    } else if (res[i].anfo.empty()) {
      ++ExtPostTal.AnsatPeriode;
      lgAnsat.Linje(init, "Udenfor medarbejderens/ansættelsesforholdets periode : " + vist + "\n");
    }
  }
  return res;
}

uint32_t TjekPostsammenfald(const std::vector<ExtPostRec> &poster, const std::vector<ExtPostResultat> &res,
                            FILE *log) {
  uint32_t antal = 0;
  for (uint32_t i = 1; i < res.size() && i < poster.size(); ++i) {
    if (!res[i].akti_id || res[i].anfo.empty() || !FindTimoak(res[i].akti_id, res[i].anfo[0], res[i].Dato)) continue;
    ++antal;
    Log(log, Fmt("Postering fundet på aktivitet,medarbejder,dato : %s, %s, %d\n",
                 Felt(poster[i].Aktivitet, kExtPostTekst).c_str(), Felt(poster[i].Initialer, kExtPostTekst).c_str(),
                 static_cast<int>(res[i].Dato)));
  }
  return antal;
}

void ImporterExtPost(const std::vector<ExtPostResultat> &res, FILE *log) {
  const uint32_t graense = 65000 - tdaakrel.RecPrBlok;
  for (size_t i = 1; i < res.size(); ++i) {
    const ExtPostResultat &r = res[i];
    if (!r.akti_id || r.anfo.empty()) continue;
    const AktiRec *a = Akti(r.akti_id);
    const AnfoRec *f = Anfo(r.anfo[0]);
    const MedaRec *m = Meda(f);
    if (!a || !f) continue;
    const std::string navn = Felt(a->Aktivitet, sizeof a->Aktivitet);
    const std::string init = m ? Felt(m->Initialer, sizeof m->Initialer) : std::string();
    if (navn[0] == '*' && init[0] == '*') continue;
    if (!IInterval(r.Dato, SkemaPeriode.FraDato, SkemaPeriode.TilDato)) continue;
    if (FindTimoak(r.akti_id, r.anfo[0], r.Dato)) {
      Log(log, Fmt("Postering fundet på aktivitet,medarbejder,dato : %s, %s, %d\n", navn.c_str(), init.c_str(),
                   static_cast<int>(r.Dato)));
      continue;
    }
    // A posting the store refuses gets no relation of its own.
    if (AddTimoakPost(r.akti_id, r.anfo[0], r.Dato, r.Timer, 0) == 1) AddAakrel(r.akti_id, r.anfo[0], 20);
    if (AakrelAntal() > graense) CleanupAakrel();
  }
  CleanupAakrel();
}

// ---- The command ----

INT_PTR CALLBACK ExtPostDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      DlgStart(hDlg);
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: DlgOk(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, 2); return TRUE;
        case IDC_IMP_BROWSE: DlgBrowse(hDlg); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

void ExtPostImport(HWND h) {
  RegistrerExtSkemaDialoger();
  ExtPostDlgData dlg{};
  if (DialogBoxParamA(0, IDD_EXTSKEMAFIL, h, ExtPostDlgProc, reinterpret_cast<LPARAM>(&dlg)) != 1) return;
  const std::string sti = LogSti();
  FILE *log = fopen(sti.c_str(), "w");
  if (!log) {
    Fejl(h, "Importen kan ikke fortsætte,\n da \\log\\ExtPost.log ikke kunne oprettes !");
    return;
  }
  Log(log, "Logfil:\n" + sti + "\n\n");
  std::vector<ExtPostRec> poster;
  LaesExtPostFil(dlg, poster);
  const int32_t insnr = GlobalIndstillinger.insnr;
  if (dlg.TavoNr != insnr) {
    std::string tekst = Fmt("Importfilens installationsnr (%d) passer ikke til denne TAVO (%d).",
                            static_cast<int>(dlg.TavoNr), static_cast<int>(insnr));
    if (dlg.TavoNr == 0)
      tekst += "\nKontroller om der er en top linie i filen.\nTop linien skal have syntaksen: "
               "TavoNr=99;Aar=åååå;Maaned=mm;AnsvarsNr=999";
    Fejl(h, tekst);
    fclose(log);
    return;
  }
  if (!GyldigDato(dlg.FraDato) || !GyldigDato(dlg.TilDato) || dlg.FraDato >= dlg.TilDato) {
    Fejl(h, "Månednr er ikke valid.");
    fclose(log);
    return;
  }
  if (dlg.FraDato < SkemaPeriode.FraDato || dlg.TilDato > SkemaPeriode.TilDato) {
    Fejl(h, "Måned ligger helt eller delvist uden for TAVO-skemaets periode.");
    fclose(log);
    return;
  }
  KoerImport(h, poster, dlg, log);
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  fclose(log);
  ShowLogFile("Extern post import log!", kLogNavn);
}

void ExtPostKommando(HWND h) {
  if (MessageBoxA(h,
                  "Extern Post indlæsning.\n\nDer kan importeres månedvis, og måneden hentes fra top linien i "
                  "filen.\nHvis toplinien ikke indholder år og måned, så er det TAVO perioden der gælder.",
                  "ExtPost-import", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
    return;
  ExtPostImport(h);
}
