// Packing and unpacking of the exchange files with gzip (zlib).
#include "GZIP.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "LOGFIL.h"
#include "TAVODATA.h"

// The files are opened through the platform's file layer, so the streams
// are run here with zlib's deflate and inflate in gzip form rather than
// with gzopen on a path of the host.

namespace {

constexpr size_t kBlok = 8192;
constexpr int kGzipVindue = 16 + MAX_WBITS;

// Puts the temporary file in place of maal and deletes fra; or, after a
// failure, deletes the temporary file.
int Afslut(int rc, const std::string &tmp, const char *maal, const char *fra, const char *hvem) {
  if (rc == 0) {
    rc = ErstatDataFil(tmp.c_str(), maal);
    if (rc == 0) {
      SletDataFil(fra);
      return 0;
    }
  }
  SletDataFil(tmp.c_str());
  LogPrintf("** Fejl: %s(): %s kunne ikke skrives (%d)\n", hvem, maal, rc);
  return rc;
}

bool Skriv(FILE *ud, const unsigned char *data, size_t n) { return n == 0 || fwrite(data, 1, n, ud) == n; }

struct Filer {
  FILE *ind = nullptr, *ud = nullptr;
  std::string tmp;
  bool Aabn(const char *fra, const char *til) {
    ind = AabnDataFil(fra, "rb");
    if (!ind) return false;
    tmp = std::string(til) + ".tmp";
    ud = AabnDataFil(tmp.c_str(), "wb");
    return ud != nullptr;
  }
  // 0 or the first error of closing.
  int Luk() {
    int rc = 0;
    if (ind) fclose(ind);
    if (ud && fclose(ud) != 0) rc = errno ? errno : EIO;
    ind = ud = nullptr;
    return rc;
  }
  ~Filer() { Luk(); }
};

}  // namespace

int GzipFile(const char *kilde, const char *pakket) {
  Filer f;
  if (!f.Aabn(kilde, pakket)) {
    f.Luk();
    return -1;
  }
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipVindue, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    f.Luk();
    SletDataFil(f.tmp.c_str());
    return Z_MEM_ERROR;
  }
  std::vector<unsigned char> ind(kBlok), ud(kBlok);
  int rc = 0;
  for (bool slut = false; rc == 0 && !slut;) {
    const size_t n = fread(ind.data(), 1, ind.size(), f.ind);
    if (ferror(f.ind)) {
      rc = EIO;
      break;
    }
    slut = n < ind.size();
    z.next_in = ind.data();
    z.avail_in = static_cast<uInt>(n);
    do {
      z.next_out = ud.data();
      z.avail_out = static_cast<uInt>(ud.size());
      const int r = deflate(&z, slut ? Z_FINISH : Z_NO_FLUSH);
      if (r == Z_STREAM_ERROR) rc = r;
      if (rc == 0 && !Skriv(f.ud, ud.data(), ud.size() - z.avail_out)) rc = errno ? errno : EIO;
    } while (rc == 0 && z.avail_out == 0);
  }
  deflateEnd(&z);
  const int luk = f.Luk();
  if (rc == 0) rc = luk;
  return Afslut(rc, f.tmp, pakket, kilde, "GzipFile");
}

int GunzipFile(const char *pakket, const char *maal) {
  Filer f;
  if (!f.Aabn(pakket, maal)) {
    f.Luk();
    return -1;
  }
  z_stream z{};
  if (inflateInit2(&z, kGzipVindue) != Z_OK) {
    f.Luk();
    SletDataFil(f.tmp.c_str());
    return Z_MEM_ERROR;
  }
  std::vector<unsigned char> ind(kBlok), ud(kBlok);
  int rc = 0;
  bool helt = false;   // a whole member ended
  bool slut = false;   // the packed file is read to its end
  bool fuld = false;   // the last call filled the output: more may wait
  while (rc == 0) {
    if (z.avail_in == 0 && !slut) {
      const size_t n = fread(ind.data(), 1, ind.size(), f.ind);
      if (ferror(f.ind)) rc = EIO;
      slut = n == 0;
      z.next_in = ind.data();
      z.avail_in = static_cast<uInt>(n);
    }
    if (rc != 0) break;
    if (helt) {
      if (z.avail_in == 0) break;
      // gzip allows members one after another; nothing else may follow.
      if (z.next_in[0] != 0x1f) {
        rc = Z_DATA_ERROR;
        break;
      }
      inflateReset(&z);
      helt = false;
    }
    if (slut && z.avail_in == 0 && !fuld) break;
    z.next_out = ud.data();
    z.avail_out = static_cast<uInt>(ud.size());
    const int r = inflate(&z, Z_NO_FLUSH);
    fuld = z.avail_out == 0;
    if (!Skriv(f.ud, ud.data(), ud.size() - z.avail_out)) rc = errno ? errno : EIO;
    if (r == Z_STREAM_END)
      helt = true;
    else if (r != Z_OK && r != Z_BUF_ERROR)
      rc = r;
  }
  // A stream cut short ends without its trailer; an empty file is no
  // stream at all.
  if (rc == 0 && !helt) rc = Z_BUF_ERROR;
  inflateEnd(&z);
  const int luk = f.Luk();
  if (rc == 0) rc = luk;
  return Afslut(rc, f.tmp, maal, pakket, "GunzipFile");
}
