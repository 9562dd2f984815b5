#pragma once
// The PDF reports' frame: one document at a time on the main thread, its
// growing page list, the fixed A4 geometry, the number and date texts, the
// footer, the logo, and the file in the temporary folder. libharu gets no
// path: it would open files with its own C library, past the platform's
// mapping of Windows paths, so the logo is read into memory and the
// finished document is written through the platform's file calls. Its
// error callback only records: it must not jump across our frames.

#include <cstdint>
#include <string>
#include <vector>

#include <hpdf.h>

#include "DATO.h"

constexpr float kPdfSideBredde = 595.276f;
constexpr float kPdfSideHoejde = 841.89f;
// A body line below this starts a new page.
constexpr float kPdfBundY = 60.0f;

// The first libharu error of the running report (one report runs at a time).
struct PdfFejlRec {
  bool Sket;
  unsigned long Fejl;
  unsigned long Detalje;
};
extern PdfFejlRec PdfFejl;

// The error callback given to HPDF_New: records the first error of the
// report and writes "ERROR: error_no=%04X, detail_no=%u" to standard output.
void PdfFejlHandler(HPDF_STATUS error_no, HPDF_STATUS detail_no, void *user_data);

// One report's document with its page list; freed with the object.
struct PdfDokument {
  HPDF_Doc Doc = nullptr;
  std::vector<HPDF_Page> pageliste;
  HPDF_Font Font = nullptr;
  HPDF_Image Logo = nullptr;
  bool LogoProevet = false;

  // Makes the document; without one, writes "error: cannot create PdfDoc
  // object" to standard output (Fejlet() is then true).
  PdfDokument();
  ~PdfDokument();
  PdfDokument(const PdfDokument &) = delete;
  PdfDokument &operator=(const PdfDokument &) = delete;

  // No document, or a libharu error since it was made.
  bool Fejlet() const { return !Doc || PdfFejl.Sket; }
  HPDF_Page Side() const { return pageliste.empty() ? nullptr : pageliste.back(); }
};

// When y is below 60: a new A4 page in Helvetica/CP1252 10 pt, leading 10,
// line width 0.8, appended to the page list, and y = height - 40; 1. Else 0.
int NyPdfSide(PdfDokument &dok, float *y);

// The footer on every page of the list: the time of printing at (40, 30),
// the title centred at 30, the second line centred at 20, "Side i af n".
void PdfSidefod(PdfDokument &dok, const char *titel, const char *linje2 = "Vemko Pelago+");

// "dd.mm.yyyy - dd.mm.yyyy" in a static buffer the next call overwrites.
const char *DatoPeriodeTekst(Dato fra, Dato til);
// "dd.mm.yyyy".
std::string PdfDato(Dato d);
// "%0.2f" with the last '.' made a decimal comma.
std::string PdfKomma(double v);

// Text at (x, y) of the page, in its current font.
void PdfTekst(HPDF_Page side, float x, float y, const char *tekst);
// Text right-aligned to end at slut (a column's next x less 5), measured
// with HPDF_Page_MeasureText.
void PdfHoejre(HPDF_Page side, float slut, float y, const char *tekst);
// Text centred on the page.
void PdfCentreret(HPDF_Page side, float y, const char *tekst);
void PdfLinje(HPDF_Page side, float fra, float til, float y);
void PdfSkriftstoerrelse(const PdfDokument &dok, HPDF_Page side, float stoerrelse);

// Two-line column headings at y and y - 10, each underlined at y - 14 from
// its x to til (none when til is 0).
struct PdfOverskrift {
  float x;
  const char *linje1, *linje2;
  float til;
};
template <size_t N>
void PdfOverskrifter(HPDF_Page side, float y, const PdfOverskrift (&o)[N]) {
  for (const PdfOverskrift &k : o) {
    if (*k.linje1) PdfTekst(side, k.x, y, k.linje1);
    PdfTekst(side, k.x, y - 10, k.linje2);
    if (k.til > 0) PdfLinje(side, k.x, k.til, y - 14);
  }
}

// The logo ini\tavo_skema_udskrift.jpg of the data folder at (40, y),
// 100 x 20. A data folder without it (or with a picture libharu cannot
// read) gets reports without a logo.
void PdfLogo(PdfDokument &dok, HPDF_Page side, float y);

// The report file "%sTAVO_%I64d_%lu.pdf" in the temporary folder.
std::string PdfFilNavn(int64_t tid, uint32_t rapportNr);

// Saves the document under the report file name and opens it in the
// user's viewer; 0. A libharu error or a failed write leaves no file, is
// shown to the user and gives 1.
int GemOgAabnPdf(PdfDokument &dok, uint32_t rapportNr);

// A report that failed without a file: the message box (caption "Fejl").
void VisPdfFejl();

// Removes report files of the temporary folder whose stamp is older than
// 14 days; names without a stamp stay.
void DeleteOldPdfFiles();
