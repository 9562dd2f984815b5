// Zip writing for the support package and the start menu: one entry per
// call, the archive opened and closed around it, as the callers pack one
// file at a time and may stop between files.

#include "ZIPPAK.h"

#include <minizip/zip.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "windows.h"

namespace {

voidpf ZCALLBACK AabnFil(voidpf, const void *navn, int mode) {
  const char *m = nullptr;
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ)
    m = "rb";
  else if (mode & ZLIB_FILEFUNC_MODE_EXISTING)
    m = "r+b";
  else if (mode & ZLIB_FILEFUNC_MODE_CREATE)
    m = "wb";
  if (!navn || !m) return nullptr;
  return fopen(static_cast<const char *>(navn), m);
}

uLong ZCALLBACK LaesFil(voidpf, voidpf s, void *buf, uLong n) {
  return static_cast<uLong>(fread(buf, 1, n, static_cast<FILE *>(s)));
}

uLong ZCALLBACK SkrivFil(voidpf, voidpf s, const void *buf, uLong n) {
  return static_cast<uLong>(fwrite(buf, 1, n, static_cast<FILE *>(s)));
}

ZPOS64_T ZCALLBACK HvorFil(voidpf, voidpf s) {
  const off_t p = ftello(static_cast<FILE *>(s));
  return p < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(p);
}

long ZCALLBACK SoegFil(voidpf, voidpf s, ZPOS64_T pos, int hvorfra) {
  int w;
  switch (hvorfra) {
    case ZLIB_FILEFUNC_SEEK_CUR: w = SEEK_CUR; break;
    case ZLIB_FILEFUNC_SEEK_END: w = SEEK_END; break;
    case ZLIB_FILEFUNC_SEEK_SET: w = SEEK_SET; break;
    default: return -1;
  }
  return fseeko(static_cast<FILE *>(s), static_cast<off_t>(pos), w) == 0 ? 0 : -1;
}

int ZCALLBACK LukFil(voidpf, voidpf s) { return fclose(static_cast<FILE *>(s)); }

int ZCALLBACK FejlFil(voidpf, voidpf s) { return ferror(static_cast<FILE *>(s)); }

// The file's last write time as a DOS date and time in local time; 0 when
// it cannot be had (minizip then takes the zeroed date fields).
uLong DosTid(const char *fil) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(fil, &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  FindClose(h);
  FILETIME lokal;
  WORD dato = 0, tid = 0;
  if (!FileTimeToLocalFileTime(&fd.ftLastWriteTime, &lokal) || !FileTimeToDosDateTime(&lokal, &dato, &tid))
    return 0;
  return (static_cast<uLong>(dato) << 16) | tid;
}

struct LukStroem {
  void operator()(FILE *f) const { fclose(f); }
};

}  // namespace

void ZipFilFunktioner(zlib_filefunc64_def *f) {
  f->zopen64_file = AabnFil;
  f->zread_file = LaesFil;
  f->zwrite_file = SkrivFil;
  f->ztell64_file = HvorFil;
  f->zseek64_file = SoegFil;
  f->zclose_file = LukFil;
  f->zerror_file = FejlFil;
  f->opaque = nullptr;
}

int ZipAddFile(const char *arkiv, const char *fil) { return ZipAddFileSom(arkiv, fil, fil); }

int ZipAddFileSom(const char *arkiv, const char *fil, const char *entryNavn) {
  char navn[256];
  std::snprintf(navn, sizeof navn, "%s", arkiv);
  const char *sidste = std::strrchr(navn, '\\');
  if (const char *s = std::strrchr(navn, '/'); s && (!sidste || s > sidste)) sidste = s;
  if (!std::strchr(sidste ? sidste : navn, '.') && std::strlen(navn) + 4 < sizeof navn)
    std::strcat(navn, ".zip");

  std::unique_ptr<char, decltype(&std::free)> buf(static_cast<char *>(std::malloc(16384)), &std::free);
  if (!buf) return -4;
  // The file first: a file that cannot be read must not leave behind an
  // archive created for it.
  std::unique_ptr<FILE, LukStroem> kilde(fopen(fil, "rb"));
  if (!kilde) return -6;

  zlib_filefunc64_def funktioner;
  ZipFilFunktioner(&funktioner);
  const bool findes = GetFileAttributesA(navn) != INVALID_FILE_ATTRIBUTES;
  zipFile zf = zipOpen2_64(navn, findes ? APPEND_STATUS_ADDINZIP : APPEND_STATUS_CREATE, nullptr, &funktioner);
  if (!zf) return -3;

  zip_fileinfo info;
  std::memset(&info, 0, sizeof info);
  info.dosDate = DosTid(fil);
  const char *entry = entryNavn;
  while (*entry == '\\' || *entry == '/') ++entry;
  int fejl = 0;
  if (zipOpenNewFileInZip(zf, entry, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION) !=
      ZIP_OK) {
    fejl = -5;
  } else {
    for (;;) {
      const size_t n = fread(buf.get(), 1, 16384, kilde.get());
      if (n < 16384 && !feof(kilde.get())) {
        fejl = -7;
        break;
      }
      if (n > 0 && zipWriteInFileInZip(zf, buf.get(), static_cast<unsigned>(n)) != ZIP_OK) {
        fejl = -1;
        break;
      }
      if (n < 16384) break;
    }
    const int luk = zipCloseFileInZip(zf);
    if (fejl == 0 && luk != ZIP_OK) fejl = luk == ZIP_PARAMERROR ? -8 : -9;
  }
  if (zipClose(zf, nullptr) != ZIP_OK && fejl == 0) fejl = -10;
  return fejl;
}

const char *ZipFejlTekst(int kode) {
  static const char *const kTekster[] = {
      "",
      "",
      "Error allocating memory",
      "Error opening zip file",
      "Internal logic error",
      "Error in opening file in the zipfile",
      "Error in opening file for reading",
      "Error in reading file",
      "Error in writing file in the zipfile",
      "Error in closing file in the zipfile",
      "Error in closing the zipfile",
  };
  const unsigned n = kode < 0 ? 0u - static_cast<unsigned>(kode) : static_cast<unsigned>(kode);
  return n < sizeof kTekster / sizeof kTekster[0] ? kTekster[n] : "";
}

int CountFiles(const char *moenster) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(moenster, &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int antal = 0;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++antal;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return antal;
}
