// Small in-place routines on Windows-1252 texts and the Danish sort order of their letters.
#include "TEKST.h"

#include <cstring>

#include "tavo/cp1252.h"

namespace {

// Copies the kept characters forwards over the removed ones in one pass.
template <typename Fjern>
void FjernTegn(char *tekst, Fjern fjern) {
  if (tekst == nullptr) return;
  char *ud = tekst;
  const char *ind = tekst;
  for (; *ind; ++ind)
    if (!fjern(static_cast<unsigned char>(*ind))) *ud++ = *ind;
  if (ud != ind) *ud = '\0';
}

bool ErCifre(unsigned char c) { return c >= '0' && c <= '9'; }

// Blanks, control characters and '"'; bytes from 128 up are text.
bool ErFyld(unsigned char c) { return c <= ' ' || c == '"'; }

}  // namespace

void StripBlanks(char *tekst) {
  FjernTegn(tekst, [](unsigned char c) { return c == ' '; });
}

void StripCrLf(char *tekst) {
  FjernTegn(tekst, [](unsigned char c) { return c == '\r' || c == '\n'; });
}

char *CommaToPoint(char *tekst) {
  if (tekst == nullptr) return tekst;
  char *komma = std::strrchr(tekst, ',');
  if (komma) *komma = '.';
  return tekst;
}

void TrimStr(char *tekst) {
  if (tekst == nullptr || *tekst == '\0') return;
  size_t start = 0;
  while (tekst[start] && ErFyld(static_cast<unsigned char>(tekst[start]))) ++start;
  size_t laengde = std::strlen(tekst + start);
  if (start > 0) std::memmove(tekst, tekst + start, laengde + 1);
  while (laengde > 0 && ErFyld(static_cast<unsigned char>(tekst[laengde - 1])))
    tekst[--laengde] = '\0';
}

// The positions are sizes, so texts of any length are served.
void KeepDigits(char *tekst) { FjernTegn(tekst, [](unsigned char c) { return !ErCifre(c); }); }

void KeepDigitsPoint(char *tekst) {
  FjernTegn(tekst, [](unsigned char c) { return !ErCifre(c) && c != '.'; });
}

void DanskSortTegn(char *tekst, int laengde) {
  if (tekst == nullptr) return;
  for (int i = 0; i < laengde; ++i) {
    switch (static_cast<unsigned char>(tekst[i])) {
      case '*': tekst[i] = '\xFF'; break;
      case 0xE6: tekst[i] = '{'; break;   // æ
      case 0xF8: tekst[i] = '|'; break;   // ø
      case 0xE5: tekst[i] = '}'; break;   // å
      case 0xC6: tekst[i] = '['; break;   // Æ
      case 0xD8: tekst[i] = '\\'; break;  // Ø
      case 0xC5: tekst[i] = ']'; break;   // Å
      default: break;
    }
  }
}

unsigned char StortTegn(unsigned char c) { return tavo::Cp1252Upper(c); }

void TilStoreBogstaver(char *tekst) {
  if (tekst == nullptr) return;
  for (; *tekst; ++tekst) *tekst = static_cast<char>(StortTegn(static_cast<unsigned char>(*tekst)));
}
