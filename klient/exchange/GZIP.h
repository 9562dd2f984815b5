#pragma once
// Packing and unpacking of the exchange files with gzip (zlib). Both write
// the new file under a temporary name beside it and put it in place only
// when the whole stream went through cleanly; on any failure the source
// stays and no target is left behind. Paths are the program's own
// (Windows-style) paths.

// Packs kilde into pakket; on success kilde is deleted. 0, -1 when either
// file cannot be opened, else the zlib error (or an errno) that stopped it.
int GzipFile(const char *kilde, const char *pakket);

// Unpacks pakket into maal; on success pakket is deleted. 0, -1 when either
// file cannot be opened, else the error: a stream that is damaged,
// truncated or no gzip stream at all is an error.
int GunzipFile(const char *pakket, const char *maal);
