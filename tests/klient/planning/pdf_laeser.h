// The reports as real readers see them: poppler's pdftotext, pdfinfo and
// pdfimages, qpdf's check and its uncompressed form of the content streams,
// and Python's csv module for the kladdeplan. Texts come back as UTF-8.
#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace pdftest {

struct Udfald {
  int rc = -1;
  std::string ud;
};

inline std::string Citer(const std::string &s) {
  std::string r = "'";
  for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

inline Udfald Koer(const std::string &kommando) {
  Udfald u;
  FILE *p = popen((kommando + " 2>&1").c_str(), "r");
  if (!p) return u;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) u.ud.append(buf, n);
  const int status = pclose(p);
  u.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return u;
}

inline int Sider(const std::filesystem::path &pdf) {
  const Udfald u = Koer("pdfinfo " + Citer(pdf.string()));
  const size_t p = u.ud.find("Pages:");
  return u.rc == 0 && p != std::string::npos ? std::atoi(u.ud.c_str() + p + 6) : -1;
}

// One page (from 1), or all with side 0; args: "-layout", "-raw" or "".
inline std::string Tekst(const std::filesystem::path &pdf, int side = 0, const std::string &args = "") {
  std::string k = "pdftotext -enc UTF-8 " + args;
  if (side) k += " -f " + std::to_string(side) + " -l " + std::to_string(side);
  return Koer(k + " " + Citer(pdf.string()) + " -").ud;
}

// A Windows-1252 text of the program as the readers print it (the Danish
// letters lie where Latin-1 has them).
inline std::string Utf8(const std::string &cp1252) {
  std::string r;
  for (unsigned char c : cp1252) {
    if (c < 0x80) {
      r += static_cast<char>(c);
    } else {
      r += static_cast<char>(0xC0 | (c >> 6));
      r += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return r;
}

inline bool QpdfOk(const std::filesystem::path &pdf, std::string *ud = nullptr) {
  const Udfald u = Koer("qpdf --check " + Citer(pdf.string()));
  if (ud) *ud = u.ud;
  return u.rc == 0;
}

// The content streams written out plainly (Windows-1252 bytes as stored).
inline std::string Indhold(const std::filesystem::path &pdf) {
  const std::string qdf = pdf.string() + ".qdf";
  Koer("qpdf --qdf --object-streams=disable " + Citer(pdf.string()) + " " + Citer(qdf));
  const Udfald u = Koer("cat " + Citer(qdf));
  std::filesystem::remove(qdf);
  return u.ud;
}

// The image rows of pdfimages -list.
inline int Billeder(const std::filesystem::path &pdf) {
  const Udfald u = Koer("pdfimages -list " + Citer(pdf.string()));
  int linjer = 0;
  for (char c : u.ud) linjer += c == '\n';
  return u.rc == 0 ? linjer - 2 : -1;  // two heading lines
}

// The rows of a tab-separated Windows-1252 file as Python's csv module
// reads it: cells separated by the unit separator, rows by newlines.
inline std::vector<std::vector<std::string>> Csv(const std::filesystem::path &fil) {
  const std::string py =
      "import csv,sys\n"
      "with open(sys.argv[1], newline='', encoding='cp1252') as f:\n"
      "    for r in csv.reader(f, delimiter='\\t'):\n"
      "        sys.stdout.write('\\x1f'.join(r) + '\\n')\n";
  const Udfald u = Koer("python3 -c " + Citer(py) + " " + Citer(fil.string()));
  std::vector<std::vector<std::string>> raekker;
  if (u.rc != 0) return raekker;
  size_t start = 0;
  while (start < u.ud.size()) {
    size_t slut = u.ud.find('\n', start);
    if (slut == std::string::npos) slut = u.ud.size();
    std::vector<std::string> celler;
    const std::string linje = u.ud.substr(start, slut - start);
    size_t a = 0;
    for (;;) {
      const size_t b = linje.find('\x1f', a);
      celler.push_back(linje.substr(a, b == std::string::npos ? std::string::npos : b - a));
      if (b == std::string::npos) break;
      a = b + 1;
    }
    if (linje.empty()) celler.clear();
    raekker.push_back(celler);
    start = slut + 1;
  }
  return raekker;
}

// The report files of a folder.
inline std::vector<std::filesystem::path> PdfFiler(const std::filesystem::path &mappe) {
  std::vector<std::filesystem::path> r;
  for (const auto &e : std::filesystem::directory_iterator(mappe))
    if (e.path().extension() == ".pdf") r.push_back(e.path());
  std::sort(r.begin(), r.end());
  return r;
}

}  // namespace pdftest
