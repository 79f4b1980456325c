// ZEBRegcore: the platform-free half of ZEBReg — how texts are stored as values and read back,
// and when a value received fits its variable.
//
//   PXREGTEXTBYTES  PXREGTEXTREAD
//
// Never includes <windows.h>.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The bytes a text of declared length L is stored as: the trimmed text, a NUL, blanks up to
// L + 1 bytes.
std::string PXREGTEXTBYTES(std::string_view sText);

// The text of declared length L from the bytes received (at most L + 1): the characters before
// the first NUL, blank-padded. Bytes of a string value without a NUL are the text itself when
// they fit L; bytes of another type without a NUL read as blanks. False, and sText untouched,
// when a string value without a NUL does not fit.
bool PXREGTEXTREAD(std::string_view received, int L, bool bString, std::string& sText);
