// ZEBRegcore: the platform-free half of ZEBReg — how texts are stored as values and read back,
// and when a value received fits its variable.
//
//   PXREGTEXTBYTES  PXREGTEXTREAD  PXREGFITS
//
// Never includes <windows.h>.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The bytes a text of declared length L is stored as: the trimmed text, a NUL, blanks up to
// L + 1 bytes.
std::string PXREGTEXTBYTES(std::string_view sText);

// The text of declared length L from the bytes received: the characters before the first NUL,
// blank-padded; blank when the bytes hold no NUL (only the bytes received count).
std::string PXREGTEXTREAD(std::string_view received, int L);

// Whether got bytes received into a buffer of at least n + 1 bytes fit a variable of n bytes.
// A string value may come with a terminating NUL of the system's own after its bytes: that byte
// alone does not make it too large. got becomes the count to copy.
bool PXREGFITS(bool bString, const unsigned char* buf, std::size_t n, std::size_t& got);
