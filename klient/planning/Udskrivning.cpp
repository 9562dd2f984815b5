// The PDF reports' frame: libharu draws, our file calls read and write.
// libharu's error callback only records (a longjmp would skip the
// destructors of the frames between), so every report asks PdfFejl after
// each page and before saving.
#include "Udskrivning.h"

#include <cstdio>
#include <cstring>

#include "PROGVINDUER.h"
#include "STITAB.h"
#include "windows.h"

PdfFejlRec PdfFejl = {};

void PdfFejlHandler(HPDF_STATUS error_no, HPDF_STATUS detail_no, void *) {
  std::printf("ERROR: error_no=%04X, detail_no=%u\n", static_cast<unsigned>(error_no),
              static_cast<unsigned>(detail_no));
  if (PdfFejl.Sket) return;
  PdfFejl.Sket = true;
  PdfFejl.Fejl = error_no;
  PdfFejl.Detalje = detail_no;
}

PdfDokument::PdfDokument() {
  PdfFejl = {};
  Doc = HPDF_New(PdfFejlHandler, nullptr);
  if (!Doc) {
    std::printf("error: cannot create PdfDoc object\n");
    return;
  }
  Font = HPDF_GetFont(Doc, "Helvetica", "CP1252");
}

PdfDokument::~PdfDokument() {
  if (Doc) HPDF_Free(Doc);
}

int NyPdfSide(PdfDokument &dok, float *y) {
  if (*y >= kPdfBundY) return 0;
  if (!dok.Doc) return 0;
  HPDF_Page side = HPDF_AddPage(dok.Doc);
  if (!side) return 0;
  dok.pageliste.push_back(side);
  HPDF_Page_SetWidth(side, kPdfSideBredde);
  HPDF_Page_SetHeight(side, kPdfSideHoejde);
  HPDF_Page_SetFontAndSize(side, dok.Font, 10);
  HPDF_Page_SetTextLeading(side, 10);
  HPDF_Page_SetLineWidth(side, 0.8f);
  *y = HPDF_Page_GetHeight(side) - 40;
  return 1;
}

void PdfSkriftstoerrelse(const PdfDokument &dok, HPDF_Page side, float stoerrelse) {
  if (side && dok.Font) HPDF_Page_SetFontAndSize(side, dok.Font, stoerrelse);
}

void PdfTekst(HPDF_Page side, float x, float y, const char *tekst) {
  if (!side) return;
  HPDF_Page_BeginText(side);
  HPDF_Page_MoveTextPos(side, x, y);
  HPDF_Page_ShowText(side, tekst);
  HPDF_Page_EndText(side);
}

void PdfHoejre(HPDF_Page side, float slut, float y, const char *tekst) {
  if (!side) return;
  HPDF_REAL bredde = 0;
  HPDF_Page_MeasureText(side, tekst, 100, HPDF_FALSE, &bredde);
  PdfTekst(side, slut - bredde, y, tekst);
}

void PdfCentreret(HPDF_Page side, float y, const char *tekst) {
  if (!side) return;
  const float x = (HPDF_Page_GetWidth(side) - HPDF_Page_TextWidth(side, tekst)) * 0.5f;
  HPDF_Page_BeginText(side);
  HPDF_Page_TextOut(side, x, y, tekst);
  HPDF_Page_EndText(side);
}

void PdfLinje(HPDF_Page side, float fra, float til, float y) {
  if (!side) return;
  HPDF_Page_MoveTo(side, fra, y);
  HPDF_Page_LineTo(side, til, y);
  HPDF_Page_Stroke(side);
}

void PdfSidefod(PdfDokument &dok, const char *titel, const char *linje2) {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  char tid[40];
  std::snprintf(tid, sizeof tid, "%2.2d-%2.2d-%4.4d %02d:%02d", st.wDay, st.wMonth, st.wYear, st.wHour,
                st.wMinute);
  const int n = static_cast<int>(dok.pageliste.size());
  for (int i = 1; i <= n; ++i) {
    HPDF_Page side = dok.pageliste[i - 1];
    PdfTekst(side, 40, 30, tid);
    PdfCentreret(side, 30, titel);
    PdfCentreret(side, 20, linje2);
    char sidetal[40];
    std::snprintf(sidetal, sizeof sidetal, "Side %d af %d", i, n);
    PdfTekst(side, 510, 30, sidetal);
  }
}

std::string PdfDato(Dato d) {
  char b[24];
  std::snprintf(b, sizeof b, "%02lu.%02lu.%04lu", static_cast<unsigned long>(d % 100),
                static_cast<unsigned long>(d / 100 % 100), static_cast<unsigned long>(d / 10000));
  return b;
}

const char *DatoPeriodeTekst(Dato fra, Dato til) {
  static char tekst[24];
  std::snprintf(tekst, sizeof tekst, "%s - %s", PdfDato(fra).c_str(), PdfDato(til).c_str());
  return tekst;
}

std::string PdfKomma(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%0.2f", v);
  if (char *p = std::strrchr(b, '.')) *p = ',';
  return b;
}

void PdfLogo(PdfDokument &dok, HPDF_Page side, float y) {
  if (!side || !dok.Doc) return;
  if (!dok.LogoProevet) {
    dok.LogoProevet = true;
    char sti[kStiLaengde];
    std::snprintf(sti, sizeof sti, "%sini\\tavo_skema_udskrift.jpg", StiTab.szdata);
    std::vector<HPDF_BYTE> data;
    if (FILE *f = fopen(sti, "rb")) {
      unsigned char buf[8192];
      size_t n;
      while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
      std::fclose(f);
    }
    if (!data.empty()) {
      // A picture libharu cannot read is left out like a missing one; the
      // report itself is sound.
      const PdfFejlRec foer = PdfFejl;
      dok.Logo = HPDF_LoadJpegImageFromMem(dok.Doc, data.data(), static_cast<HPDF_UINT>(data.size()));
      if (!dok.Logo || (PdfFejl.Sket && !foer.Sket)) {
        dok.Logo = nullptr;
        PdfFejl = foer;
        HPDF_ResetError(dok.Doc);
      }
    }
  }
  if (dok.Logo) HPDF_Page_DrawImage(side, dok.Logo, 40, y, 100, 20);
}

std::string PdfFilNavn(int64_t tid, uint32_t rapportNr) {
  char temp[MAX_PATH + 1] = "";
  GetTempPathA(sizeof temp, temp);
  char navn[MAX_PATH + 64];
  std::snprintf(navn, sizeof navn, "%sTAVO_%lld_%lu.pdf", temp, static_cast<long long>(tid),
                static_cast<unsigned long>(rapportNr));
  return navn;
}

void VisPdfFejl() {
  char tekst[200];
  if (PdfFejl.Sket)
    std::snprintf(tekst, sizeof tekst, "Rapporten kunne ikke dannes.\n\nPDF-fejl: error_no=%04lX, detail_no=%lu",
                  PdfFejl.Fejl, PdfFejl.Detalje);
  else
    std::snprintf(tekst, sizeof tekst, "Rapporten kunne ikke dannes.\n\nerror: cannot create PdfDoc object");
  MessageBoxA(hwndHoved, tekst, "Fejl", MB_OK | MB_ICONEXCLAMATION);
}

namespace {

// The whole document from libharu's memory stream.
bool PdfIndhold(PdfDokument &dok, std::vector<HPDF_BYTE> *ud) {
  if (HPDF_SaveToStream(dok.Doc) != HPDF_OK || PdfFejl.Sket) return false;
  HPDF_UINT32 stoerrelse = HPDF_GetStreamSize(dok.Doc);
  if (stoerrelse == 0) return false;
  ud->resize(stoerrelse);
  HPDF_ResetStream(dok.Doc);
  HPDF_UINT32 laest = stoerrelse;
  HPDF_ReadFromStream(dok.Doc, ud->data(), &laest);
  // Reading to the stream's very end may be reported as its end, not as a
  // fault; what counts is that every byte came.
  if (laest != stoerrelse) return false;
  if (PdfFejl.Sket && PdfFejl.Fejl == HPDF_STREAM_EOF) {
    PdfFejl = {};
    HPDF_ResetError(dok.Doc);
  }
  return !PdfFejl.Sket;
}

// Written whole through the platform; a failed write leaves no file.
DWORD SkrivPdfFil(const std::string &sti, const std::vector<HPDF_BYTE> &data) {
  HANDLE h = CreateFileA(sti.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (h == INVALID_HANDLE_VALUE) return GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
  DWORD skrevet = 0;
  DWORD fejl = 0;
  if (!WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &skrevet, nullptr) || skrevet != data.size())
    fejl = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
  if (!CloseHandle(h) && !fejl) fejl = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
  if (fejl) DeleteFileA(sti.c_str());
  return fejl;
}

}  // namespace

int GemOgAabnPdf(PdfDokument &dok, uint32_t rapportNr) {
  std::vector<HPDF_BYTE> data;
  if (dok.Fejlet() || !PdfIndhold(dok, &data)) {
    VisPdfFejl();
    return 1;
  }
  const std::string sti = PdfFilNavn(_time64(nullptr), rapportNr);
  if (DWORD fejl = SkrivPdfFil(sti, data)) {
    char tekst[MAX_PATH + 160];
    std::snprintf(tekst, sizeof tekst, "Rapporten kunne ikke gemmes:\n%s\n\nFejl %lu", sti.c_str(),
                  static_cast<unsigned long>(fejl));
    MessageBoxA(hwndHoved, tekst, "Fejl", MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  HPDF_Free(dok.Doc);
  dok.Doc = nullptr;
  ShellExecuteA(0, "open", sti.c_str(), "/n /s", nullptr, SW_SHOWNORMAL);
  return 0;
}

void DeleteOldPdfFiles() {
  char temp[MAX_PATH + 1] = "";
  GetTempPathA(sizeof temp, temp);
  const int64_t graense = _time64(nullptr) - 1209600;
  char moenster[MAX_PATH + 16];
  std::snprintf(moenster, sizeof moenster, "%sTAVO_*.pdf", temp);
  WIN32_FIND_DATAA fd{};
  HANDLE h = FindFirstFileA(moenster, &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> gamle;
  do {
    const char *p = std::strchr(fd.cFileName, '_');
    unsigned long stempel = 0;
    if (p && std::sscanf(p, "_%lu", &stempel) == 1 && static_cast<int64_t>(stempel) < graense)
      gamle.push_back(std::string(temp) + fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  for (const std::string &s : gamle) DeleteFileA(s.c_str());
}
