// Record lines of the import file and the parser that fills a record of any table from one.
#include "IMPORT.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "DATO.h"
#include "FINDREC.h"
#include "LOGFIL.h"
#include "TABOPER.h"

int GFlag = 0;

namespace {

// Value domains that only this parser gives meaning to.
constexpr uint8_t REF_NEJ = 16;      // always 'N'
constexpr uint8_t REF_KALDAG = 66;   // school-day calendar of skka
constexpr uint8_t FOERSTE_FREMMED = 128;

constexpr char kObjektBogstaver[] = "ABCFLSUP";

bool ErBlank(char c) { return c == ' ' || c == '\t'; }
bool ErCiffer(char c) { return c >= '0' && c <= '9'; }

std::string_view UdenBlanke(std::string_view v) {
  while (!v.empty() && ErBlank(v.front())) v.remove_prefix(1);
  while (!v.empty() && ErBlank(v.back())) v.remove_suffix(1);
  return v;
}

// A whole decimal integer, blanks around it allowed. Values beyond the
// 64-bit range come back clamped, so the range checks still see them.
bool LaesHeltal(std::string_view v, long long *ud) {
  v = UdenBlanke(v);
  if (v.empty()) return false;
  bool minus = false;
  if (v.front() == '+' || v.front() == '-') {
    minus = v.front() == '-';
    v.remove_prefix(1);
  }
  if (v.empty()) return false;
  for (char c : v)
    if (!ErCiffer(c)) return false;
  unsigned long long x = 0;
  auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), x);
  (void)p;
  if (ec == std::errc::result_out_of_range || x > static_cast<unsigned long long>(LLONG_MAX))
    x = static_cast<unsigned long long>(LLONG_MAX);
  *ud = minus ? -static_cast<long long>(x) : static_cast<long long>(x);
  return true;
}

// A decimal number with an optional fraction and exponent. Without the
// comma rule a Danish decimal comma is taken for the point. Independent of
// the C locale, which the program may have set to Danish.
bool LaesDecimaltal(std::string_view v, double *ud) {
  v = UdenBlanke(v);
  std::string s(v);
  if (s.find('.') == std::string::npos) {
    size_t k = s.find(',');
    if (k != std::string::npos) s[k] = '.';
  }
  size_t i = 0;
  bool minus = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) minus = s[i++] == '-';
  const size_t start = i;
  size_t cifre = 0;
  while (i < s.size() && ErCiffer(s[i])) ++i, ++cifre;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && ErCiffer(s[i])) ++i, ++cifre;
  }
  if (cifre == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t eks = 0;
    while (i < s.size() && ErCiffer(s[i])) ++i, ++eks;
    if (eks == 0) return false;
  }
  if (i != s.size()) return false;
  double x = 0;
  auto [p, ec] = std::from_chars(s.data() + start, s.data() + s.size(), x);
  (void)p;
  if (ec == std::errc::result_out_of_range) x = x == 0 ? 0 : DBL_MAX;
  *ud = minus ? -x : x;
  return true;
}

// The leading number of a text, 0 when it has none (the reading of a value
// that is not itself a number field, for the limits).
double LaesForanTal(std::string_view v) {
  while (!v.empty() && ErBlank(v.front())) v.remove_prefix(1);
  size_t n = 0;
  if (n < v.size() && (v[n] == '+' || v[n] == '-')) ++n;
  while (n < v.size() && (ErCiffer(v[n]) || v[n] == '.')) ++n;
  double x = 0;
  if (!LaesDecimaltal(v.substr(0, n), &x)) return 0;
  return x;
}

long long LaesForanHeltal(const char *tekst) { return strtoll(tekst, nullptr, 10); }

bool ErIntegerType(uint8_t type) {
  return type == FT_U8 || type == FT_I32 || type == FT_U32 || type == FT_HELTAL ||
         type == FT_ID || type == FT_INT;
}
bool ErDecimalType(uint8_t type) { return type == FT_FLOAT || type == FT_DOUBLE; }

// How a field's value from the line is stored.
enum class Maade { Fremmed, DatoGruppe, Minutter, Kaldag, Intet, Type };

Maade MaadeFor(const FeltDef &fd) {
  if (fd.Ref >= FOERSTE_FREMMED) return Maade::Fremmed;
  if (fd.Ref == REF_DATOGRUPPE) return Maade::DatoGruppe;
  if (fd.Ref == REF_MINUTNORM) return Maade::Minutter;
  if (fd.Ref == REF_KALDAG) return Maade::Kaldag;
  if (fd.Ref != REF_INGEN) return Maade::Intet;
  return Maade::Type;
}

// Bytes a stored value takes from its place.
uint32_t Bredde(const FeltDef &fd, Maade m) {
  switch (m) {
    case Maade::Fremmed:
    case Maade::Minutter:
    case Maade::Kaldag:
      return 4;
    case Maade::DatoGruppe:
      return DATOGRUPPE_LEN;
    case Maade::Intet:
      return 0;
    case Maade::Type:
      break;
  }
  uint32_t b = 4;
  switch (fd.Type) {
    case FT_CHAR:
    case FT_U8:
    case FT_JANEJ:
      b = 1;
      break;
    case FT_DOUBLE:
      b = 8;
      break;
    case FT_TEKST:
      b = fd.Size;
      break;
    default:
      break;
  }
  // The field is zeroed over its whole size before the value is written.
  return b > fd.Size ? b : fd.Size;
}

bool Passer(const TabDesc *pTd, uint32_t offset, uint32_t bredde) {
  return uint64_t(offset) + bredde <= pTd->RecSize;
}

void Skriv32(uint8_t *p, uint32_t v) { memcpy(p, &v, 4); }
void SkrivF32(uint8_t *p, float v) { memcpy(p, &v, 4); }

int FeltIndeks(const TabDesc *pTd, const char *navn) {
  for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i)
    if (strncmp(pTd->FeltTab[i].Navn, navn, FELTNAVN_LEN) == 0) return i;
  return -1;
}

void MarkerBlok(const TabDesc *pTd, TabVar *pTv, uint32_t recnr) {
  if (pTv->pfSave != nullptr && pTd->RecPrBlok != 0) pTv->pfSave[recnr / pTd->RecPrBlok] = 1;
}

uint8_t StatusFraBogstav(char bogstav, bool *saet) {
  *saet = true;
  switch (bogstav) {
    case 'B': return 3;
    case 'C': return 210;
    case 'F': return 230;
    case 'L': return 220;
    case 'P': return 32;
    case 'S': return 1;
    case 'U': return 2;
    default: *saet = false; return 0;
  }
}

// Checks one value of a field and stores it. 0 or an error kind.
int BehandlVaerdi(const TabDesc *pTd, const FeltDef &fd, uint8_t *rec, uint32_t rep,
                  std::string_view v) {
  if (v.empty()) return fd.Flag != 0 ? IMPFEJL_TVUNGET : 0;

  const Maade m = MaadeFor(fd);
  const bool heltal = m == Maade::Type && ErIntegerType(fd.Type);
  const bool decimal = (m == Maade::Type && ErDecimalType(fd.Type)) ||
                       (m == Maade::Minutter && v.front() != '-');
  long long ht = 0;
  double x = 0;
  if (heltal) {
    if (!LaesHeltal(v, &ht)) return fd.VisArt == VA_DATO ? IMPFEJL_DATO : IMPFEJL_VAERDI;
    x = static_cast<double>(ht);
  } else if (decimal) {
    if (!LaesDecimaltal(v, &x)) return IMPFEJL_VAERDI;
  } else {
    x = LaesForanTal(v);
  }

  if (fd.Min != 0 && x < fd.Min) return IMPFEJL_LILLE;
  if (fd.Max != 0 && x > fd.Max) return IMPFEJL_STOR;

  if (fd.VisArt == VA_DATO || m == Maade::DatoGruppe) {
    long long d = 0;
    if (!LaesHeltal(v, &d) || d < 0 || d > UINT32_MAX || !GyldigDato(static_cast<Dato>(d)))
      return IMPFEJL_DATO;
  }
  if (fd.VisArt == VA_JANEJ && v != "J" && v != "N") return IMPFEJL_VAERDI;

  // What the field's type can hold: a value outside it is refused rather
  // than wrapped into a different number.
  if (heltal) {
    long long lav = INT32_MIN, hoej = INT32_MAX;
    if (fd.Type == FT_U8) lav = -128, hoej = 255;
    if (fd.Type == FT_U32 || fd.Type == FT_ID) hoej = UINT32_MAX;
    if (ht < lav) return IMPFEJL_LILLE;
    if (ht > hoej) return IMPFEJL_STOR;
  } else if (decimal && fd.Type != FT_DOUBLE) {
    if (x < -FLT_MAX) return IMPFEJL_LILLE;
    if (x > FLT_MAX) return IMPFEJL_STOR;
  }

  const uint32_t bredde = Bredde(fd, m);
  const uint64_t offset64 = fd.Offset + uint64_t(rep) * fd.Size;
  if (bredde == 0 || offset64 > UINT32_MAX || !Passer(pTd, uint32_t(offset64), bredde)) return 0;
  uint8_t *felt = rec + offset64;
  const std::string tekst(v);

  switch (m) {
    case Maade::Fremmed: {
      const TabDesc *pMaal = nullptr;
      TabVar *pMaalTv = nullptr;
      uint32_t fundet = 0;
      if (TabFromNr(fd.Ref, &pMaal, &pMaalTv) == 0)
        fundet = FindRec(pMaal, pMaalTv, ParseFeltVaerdi(pMaal, tekst.c_str()), KLASSE_AKTUEL);
      Skriv32(felt, fundet);
      if (fundet == 0 && fd.Type != FT_TEKST && v != "0" && fd.Flag == 1) return IMPFEJL_FREMMED;
      return 0;
    }
    case Maade::DatoGruppe: {
      const Dato d = static_cast<Dato>(strtoul(tekst.c_str(), nullptr, 10));
      Uge uge = 0;
      uint8_t dag = 0;
      DatoTilUge(d, &uge, &dag);
      Skriv32(felt, d);
      Skriv32(felt + 4, uge);
      Skriv32(felt + 8, uge);
      felt[12] = dag;
      return 0;
    }
    case Maade::Minutter:
      SkrivF32(felt, v.front() == '-' ? -1.0f : static_cast<float>(x));
      return 0;
    case Maade::Kaldag: {
      uint32_t kdagrel = 0;
      int fejl = ImportKaldagrel(pTd, rec, tekst.c_str(), &kdagrel);
      if (fejl != 0) return fejl;
      Skriv32(felt, kdagrel);
      return 0;
    }
    case Maade::Intet:
      return 0;
    case Maade::Type:
      break;
  }

  memset(felt, 0, fd.Size);
  switch (fd.Type) {
    case FT_U8:
      felt[0] = static_cast<uint8_t>(ht);
      break;
    case FT_CHAR:
    case FT_JANEJ:
      felt[0] = static_cast<uint8_t>(v.front());
      break;
    case FT_I32:
    case FT_U32:
    case FT_HELTAL:
    case FT_ID:
    case FT_INT:
      Skriv32(felt, static_cast<uint32_t>(ht));
      break;
    case FT_FLOAT:
      SkrivF32(felt, static_cast<float>(x));
      break;
    case FT_DOUBLE:
      memcpy(felt, &x, 8);
      break;
    case FT_TEKST: {
      // At most Size - 1 characters, so the text stays terminated.
      size_t n = v.size();
      if (n > fd.Size - 1u) n = fd.Size - 1u;
      memcpy(felt, v.data(), n);
      break;
    }
    default:  // the character-less types stay zero
      break;
  }
  return 0;
}

// The status-like fields that do not come from the line.
void SaetDomaeneFelter(const TabDesc *pTd, uint8_t *rec, char bogstav,
                       const ImportStatus *pStatus) {
  bool saetStatus = false;
  const uint8_t status = StatusFraBogstav(bogstav, &saetStatus);
  for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i) {
    const FeltDef &fd = pTd->FeltTab[i];
    switch (fd.Ref) {
      case REF_NEJ:
        if (Passer(pTd, fd.Offset, 1)) rec[fd.Offset] = 'N';
        break;
      case REF_STATUS:
        if (saetStatus && Passer(pTd, fd.Offset, 1)) rec[fd.Offset] = status;
        break;
      case REF_GRUPPE:
      case REF_AKTIV:
        if (Passer(pTd, fd.Offset, 4)) Skriv32(rec + fd.Offset, 1);
        break;
      case REF_AENDRTID:
        if (Passer(pTd, fd.Offset, 4)) Skriv32(rec + fd.Offset, pStatus ? pStatus->Tidsstempel : 0);
        break;
      case REF_MEDTAL:
        if (Passer(pTd, fd.Offset, 4)) Skriv32(rec + fd.Offset, 0);
        break;
      default:
        break;
    }
  }
}

// The fields of a line: cut at each ';' and at the end, so n ';' give
// n + 1 fields.
std::vector<std::string_view> DelFelter(std::string_view linje, char skille) {
  std::vector<std::string_view> felter;
  size_t start = 0;
  for (;;) {
    size_t k = linje.find(skille, start);
    if (k == std::string_view::npos) {
      felter.push_back(linje.substr(start));
      return felter;
    }
    felter.push_back(linje.substr(start, k - start));
    start = k + 1;
  }
}

}  // namespace

// ---- Key texts ----

const void *ParseFeltVaerdi(const TabDesc *pTd, const char *tekst) {
  // One buffer per type, wide enough for any key length a lookup compares.
  alignas(8) static uint8_t buf[FT_TEKST + 1][256];
  if (tekst == nullptr) tekst = "";
  const uint8_t type = pTd->FeltTab[0].Type;
  uint8_t *b = buf[type <= FT_TEKST ? type : 0];
  memset(b, 0, sizeof buf[0]);
  switch (type) {
    case FT_U8:
      b[0] = static_cast<uint8_t>(LaesForanHeltal(tekst));
      break;
    case FT_JANEJ:
    case FT_CHAR:
      b[0] = static_cast<uint8_t>(tekst[0]);
      break;
    case FT_I32:
    case FT_U32:
    case FT_HELTAL:
    case FT_ID:
    case FT_INT:
      Skriv32(b, static_cast<uint32_t>(LaesForanHeltal(tekst)));
      break;
    case FT_FLOAT:
      SkrivF32(b, static_cast<float>(LaesForanTal(tekst)));
      break;
    case FT_DOUBLE: {
      double x = LaesForanTal(tekst);
      memcpy(b, &x, 8);
      break;
    }
    case FT_TEKST: {
      size_t n = strnlen(tekst, sizeof buf[0] - 1);
      memcpy(b, tekst, n);
      break;
    }
    default:
      break;
  }
  return b;
}

// ---- The record line ----

int ParseRecordLine(const TabDesc *pTd, TabVar *pTv, const char *linje, char bogstav,
                    uint32_t recnr, ImportStatus *pStatus, int fKomma) {
  if (pTd == nullptr || pTv == nullptr) return IMPFEJL_OVERLOEB;
  if (linje == nullptr || strnlen(linje, 2) < 2) return IMPFEJL_KORT;
  if (bogstav == 0 || strchr(kObjektBogstaver, bogstav) == nullptr) return IMPFEJL_OBJEKTSTATUS;
  uint8_t *rec = GetRec(pTd, pTv, recnr);
  if (rec == nullptr) return IMPFEJL_OVERLOEB;

  const std::vector<std::string_view> felter = DelFelter(linje, ';');
  int fejl = 0;
  for (size_t p = 0; p < felter.size() && p < MAXFELT && fejl == 0; ++p) {
    const uint8_t nr = pTd->FeltOrden[p];
    if (nr == 0 || nr > pTd->AntalFelter || nr > MAXFELT) continue;
    const FeltDef &fd = pTd->FeltTab[nr - 1];
    std::vector<std::string_view> vaerdier;
    if (fKomma)
      vaerdier = DelFelter(felter[p], ',');
    else
      vaerdier.push_back(felter[p]);
    const uint32_t antal = fd.Antal == 0 ? 1 : fd.Antal;
    for (size_t i = 0; i < vaerdier.size() && i < antal; ++i) {
      int art = BehandlVaerdi(pTd, fd, rec, static_cast<uint32_t>(i), vaerdier[i]);
      if (art != 0) {
        fejl = ImpFejlKode(art, static_cast<int>(p));
        break;
      }
    }
  }

  if (fejl == 0) {
    // Forced fields behind the end of the line.
    int hoejeste = -1;
    for (int p = 0; p < pTd->AntalFelter && p < MAXFELT; ++p) {
      const uint8_t nr = pTd->FeltOrden[p];
      if (nr != 0 && nr <= pTd->AntalFelter && nr <= MAXFELT && pTd->FeltTab[nr - 1].Flag != 0)
        hoejeste = p;
    }
    if (hoejeste >= 0 && static_cast<size_t>(hoejeste) >= felter.size())
      fejl = ImpFejlKode(IMPFEJL_MANGLER, static_cast<int>(felter.size()));
  }

  SaetDomaeneFelter(pTd, rec, bogstav, pStatus);
  pTv->fSorter = 1;
  MarkerBlok(pTd, pTv, recnr);
  return fejl;
}

int ImportRecordLine(const char *linje, char bogstav, const TabDesc *pTd, TabVar *pTv,
                     ImportStatus *pStatus, int fKomma) {
  if (pTd == nullptr || pTv == nullptr) return IMPFEJL_OVERLOEB;
  const uint32_t r = NewRec(pTd, pTv);
  if (r == 0) return IMPFEJL_OVERLOEB;
  const int fejl = ParseRecordLine(pTd, pTv, linje, bogstav, r, pStatus, fKomma);
  if (fejl != 0) {
    DelRec(pTd, pTv, r);
    return fejl;
  }
  if (pStatus != nullptr) {
    pTv->FilOrd = pStatus->Tidsstempel;
    ++pStatus->Antal[pTd->TypeBogstav];
  }
  return 0;
}

uint32_t AddRecordFromLine(const TabDesc *pTd, TabVar *pTv, const char *linje, char bogstav) {
  if (pTd == nullptr || pTv == nullptr) return 0;
  const uint32_t r = NewRec(pTd, pTv);
  if (r == 0) return 0;
  if (ParseRecordLine(pTd, pTv, linje, bogstav, r, nullptr, 0) != 0) {
    DelRec(pTd, pTv, r);
    return 0;
  }
  return r;
}

uint32_t AddBemTekst(TabVar *pTvBem, const char *tekst) {
  const TabDesc *pTd = nullptr;
  TabVar *pTvReg = nullptr;
  if (pTvBem == nullptr || TabFromType('-', &pTd, &pTvReg) != 0) return 0;
  const uint32_t r = NewRec(pTd, pTvBem);
  if (r == 0) return 0;
  std::string linje = std::to_string(r) + ";" + (tekst ? tekst : "");
  if (ParseRecordLine(pTd, pTvBem, linje.c_str(), 'C', r, nullptr, 0) != 0) {
    DelRec(pTd, pTvBem, r);
    return 0;
  }
  return r;
}

// ---- School-day calendars ----

int ImportKaldagrel(const TabDesc *pTd, const uint8_t *rec, const char *tekst,
                    uint32_t *pKdagrel) {
  *pKdagrel = 0;
  const int aa = FeltIndeks(pTd, "AntalAr");
  if (aa < 0 || !Passer(pTd, pTd->FeltTab[aa].Offset, 4)) return IMPFEJL_VAERDI;
  uint32_t aar = 0;
  memcpy(&aar, rec + pTd->FeltTab[aa].Offset, 4);
  if (aar == 0) return 0;
  if (tekst == nullptr || uint64_t(aar) * KALDAG_UGER > strlen(tekst)) return IMPFEJL_VAERDI;

  const TabDesc *pKd = nullptr;
  TabVar *pKv = nullptr;
  if (TabFromType('G', &pKd, &pKv) != 0) return IMPFEJL_ALLOKERING;
  const int uf = FeltIndeks(pKd, "Uge");
  const uint32_t so = pKd->FeltTab[pKd->StatusFelt].Offset;
  if (uf < 0 || !Passer(pKd, pKd->FeltTab[uf].Offset, KALDAG_UGER) || !Passer(pKd, so, 1))
    return IMPFEJL_ALLOKERING;
  const uint32_t uo = pKd->FeltTab[uf].Offset;

  std::vector<uint32_t> kaldag(aar);
  for (uint32_t a = 0; a < aar; ++a) {
    const char *stykke = tekst + size_t(a) * KALDAG_UGER;
    uint32_t fundet = 0;
    for (uint32_t r = 1; r < pKv->wRecCnt && fundet == 0; ++r) {
      const uint8_t *k = pKv->pbTab + size_t(r) * pKd->RecSize;
      if (k[so] == 10 && memcmp(k + uo, stykke, KALDAG_UGER) == 0) fundet = r;
    }
    if (fundet == 0) {
      // The first free record, else a new one at the end.
      fundet = NewRec(pKd, pKv);
      if (fundet == 0) return IMPFEJL_ALLOKERING;
      uint8_t *k = pKv->pbTab + size_t(fundet) * pKd->RecSize;
      k[so] = 10;
      memcpy(k + uo, stykke, KALDAG_UGER);
    }
    MarkerBlok(pKd, pKv, fundet);
    kaldag[a] = fundet;
  }
  *pKdagrel = FindEllerOpretKdagrel(kaldag.data(), aar);
  return *pKdagrel == 0 ? IMPFEJL_ALLOKERING : 0;
}

uint32_t FindEllerOpretKdagrel(const uint32_t *kaldag, uint32_t antal) {
  if (kaldag == nullptr || antal == 0) return 0;
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromType('D', &pTd, &pTv) != 0) return 0;
  const int sr = FeltIndeks(pTd, "StartRel");
  const int aa = FeltIndeks(pTd, "AntalAr");
  const int kd = FeltIndeks(pTd, "Kaldag");
  const uint32_t so = pTd->FeltTab[pTd->StatusFelt].Offset;
  if (sr < 0 || aa < 0 || kd < 0 || !Passer(pTd, so, 1) ||
      !Passer(pTd, pTd->FeltTab[sr].Offset, 1) || !Passer(pTd, pTd->FeltTab[aa].Offset, 4) ||
      !Passer(pTd, pTd->FeltTab[kd].Offset, 4))
    return 0;
  const uint32_t sro = pTd->FeltTab[sr].Offset, aao = pTd->FeltTab[aa].Offset,
                 kdo = pTd->FeltTab[kd].Offset;
  auto Rec = [&](uint32_t r) { return pTv->pbTab + size_t(r) * pTd->RecSize; };
  auto Laes32 = [](const uint8_t *p) {
    uint32_t v;
    memcpy(&v, p, 4);
    return v;
  };

  for (uint64_t r = 1; r + antal <= pTv->wRecCnt; ++r) {
    const uint8_t *h = Rec(uint32_t(r));
    if (h[so] != 10 || h[sro] != 'J' || Laes32(h + aao) != antal || Laes32(h + kdo) != kaldag[0])
      continue;
    uint32_t k = 1;
    while (k < antal && Laes32(Rec(uint32_t(r + k)) + kdo) == kaldag[k]) ++k;
    if (k == antal) return uint32_t(r);
  }

  // A new chain at the table's end. Record 0 is never part of one, also
  // when the table has just been emptied, so 0 keeps meaning "none".
  const uint32_t start = pTv->wRecCnt == 0 ? 1 : pTv->wRecCnt;
  const uint64_t slut = uint64_t(start) + antal;
  if (slut > UINT32_MAX) return 0;
  if (slut > pTv->AllocAntal) {
    uint64_t vaekst = pTd->RecPrBlok;
    if (pTv->AllocAntal + vaekst < slut) vaekst = slut - pTv->AllocAntal;
    if (vaekst > UINT32_MAX || AddTabBlock(pTd, pTv, uint32_t(vaekst)) != 0) return 0;
  }
  if (pTv->wRecCnt == 0) {
    memset(Rec(0), 0, pTd->RecSize);
    MarkerBlok(pTd, pTv, 0);
  }
  for (uint32_t k = 0; k < antal; ++k) {
    uint8_t *p = Rec(start + k);
    memset(p, 0, pTd->RecSize);
    p[so] = 10;
    p[sro] = k == 0 ? 'J' : 'N';
    Skriv32(p + aao, antal);
    Skriv32(p + kdo, kaldag[k]);
    MarkerBlok(pTd, pTv, start + k);
  }
  pTv->wRecCnt = uint32_t(slut);
  return start;
}

// ---- The status line ----

int LaesImportStatus(FILE *fil, char *linje, ImportStatus *pStatus) {
  memset(pStatus, 0, sizeof *pStatus);
  linje[0] = 0;
  if (fil == nullptr || fgets(linje, IMPORT_LINJE_LEN, fil) == nullptr) linje[0] = 0;
  size_t n = strlen(linje);
  while (n > 0 && (linje[n - 1] == '\n' || linje[n - 1] == '\r')) linje[--n] = 0;

  // A ';' at the very end closes the list without an empty field behind it.
  std::vector<std::string_view> felter;
  if (n > 0) {
    felter = DelFelter(std::string_view(linje, n), ';');
    if (linje[n - 1] == ';') felter.pop_back();
  }
  auto Tal = [&](size_t i) -> long long {
    if (i >= felter.size()) return 0;
    return LaesForanHeltal(std::string(felter[i]).c_str());
  };
  auto Bogstav = [&](size_t i) -> char {
    return i < felter.size() && !felter[i].empty() ? felter[i].front() : 0;
  };
  pStatus->Art = Bogstav(0);
  pStatus->lasdato = static_cast<uint32_t>(Tal(1));
  pStatus->fradato = static_cast<uint32_t>(Tal(2));
  pStatus->tildato = static_cast<uint32_t>(Tal(3));
  pStatus->Tidsstempel = static_cast<uint32_t>(Tal(4));
  pStatus->Nummer = static_cast<uint8_t>(Tal(5));
  pStatus->Bogstav = Bogstav(6);
  pStatus->Tal1 = static_cast<uint32_t>(Tal(7));
  pStatus->Tal2 = static_cast<uint32_t>(Tal(8));

  if (pStatus->Tidsstempel == 0) pStatus->Tidsstempel = static_cast<uint32_t>(time(nullptr));
  if (pStatus->Art == 'G') GFlag = 1;
  if (felter.size() < 4) {
    ImportLogPrintf("Importstatus indeholder for få felter (%d).\n", static_cast<int>(felter.size()));
    return -1;
  }
  return 0;
}

// ---- Error text ----

const char *ImportFejlBesked(int art) {
  switch (art) {
    case IMPFEJL_AFSNIT: return "ukendt afsnitsmærke";
    case IMPFEJL_KORT: return "importlinje er for kort";
    case IMPFEJL_OBJEKTSTATUS: return "ukendt objektstatus";
    case IMPFEJL_LILLE: return "værdien er for lille";
    case IMPFEJL_STOR: return "værdien er for stor";
    case IMPFEJL_TVUNGET: return "tvunget felt er ikke udfyldt";
    case IMPFEJL_MANGLER: return "der mangler tvungne felter i denne linje";
    case IMPFEJL_FREMMED: return "data for fremmed-nøgle findes ikke";
    case IMPFEJL_DATO: return "ulovlig dato";
    case IMPFEJL_VAERDI: return "ulovlig feltværdi";
    case IMPFEJL_OVERLOEB: return "tabeloverløb!";
    case IMPFEJL_ALLOKERING: return "allokering af hukommelse fejlede!";
    default: return nullptr;
  }
}

void ImportFejlTekst(FILE *log, uint32_t linjeNr, const char *navn, const char *linje,
                     int fejl, const TabDesc *pTd) {
  if (log == nullptr) return;
  if (navn == nullptr) navn = "";
  if (linje == nullptr) linje = "";
  const int art = ImpFejlArt(fejl);
  const int felt = ImpFejlFelt(fejl);

  // The column where the failing field starts; past the end of the line
  // when the line has fewer fields.
  const char *p = linje;
  for (int k = 0; k < felt; ++k) {
    const char *semi = strchr(p, ';');
    if (semi == nullptr) {
      p = linje + strlen(linje);
      break;
    }
    p = semi + 1;
  }
  const long kolonne = static_cast<long>(p - linje) + 1;

  const char *feltNavn = "";
  const char *tabNavn = "";
  if (linje[0] != '@' && pTd != nullptr) {
    const uint8_t nr = felt < MAXFELT ? pTd->FeltOrden[felt] : 0;
    if (nr != 0 && nr <= pTd->AntalFelter && nr <= MAXFELT) feltNavn = pTd->FeltTab[nr - 1].Navn;
    if (pTd->Navn != nullptr) tabNavn = pTd->Navn;
  }

  char ukendt[96];
  const char *besked = ImportFejlBesked(art);
  if (besked == nullptr) {
    snprintf(ukendt, sizeof ukendt, "ukendt (intern?) fejl (felt=%d, fejl=%d)!", felt + 1, art);
    besked = ukendt;
  }
  const int bredde = kolonne + 1 > INT_MAX ? INT_MAX : static_cast<int>(kolonne + 1);
  fprintf(log, "\"%s\":%lu.%ld", navn, static_cast<unsigned long>(linjeNr), kolonne);
  fprintf(log, "\n%*s\n%s  '%.*s', %s\n%s\n", bredde, "*", besked, FELTNAVN_LEN, feltNavn,
          tabNavn, std::string(37, '-').c_str());
}
