// ZEBDialogcore: the platform-free half of ZEBDialog — the dialog-initialisation resource.
//
//   XDLGINITREC FXDLGINITWALK   walks the records of a type-240 resource held in memory
//   FXDLGINITTEXT               a record's data as the text a list or combo box receives
//
// Never includes <windows.h>.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

constexpr int XDLGINIT_ADDSTRING = 0x0403; // the only message code that is acted on

// One record: little-endian, byte-aligned; identifier (signed 16 bits, 0 ends the resource),
// message code (16 bits), data length (32 bits, of which the low 16, signed, count), data.
struct XDLGINITREC {
    int iCtlID;
    int iMsg;
    const unsigned char* pData;
    int nData;
};

// Calls fn for each record, in order, and returns how many it visited. The walk ends at a
// zero identifier, when fewer than eight bytes remain, and at a record whose length is
// negative or whose data would run past the end of the resource (that record is not given):
// nothing outside [pRes, pRes + nRes) is ever read, and every step moves forward.
int FXDLGINITWALK(const void* pRes, std::size_t nRes,
                  const std::function<void(const XDLGINITREC&)>& fn);

// The record's data up to its first NUL, never past its length: a string that is not
// terminated inside its record is cut there instead of being read beyond it.
std::string FXDLGINITTEXT(const XDLGINITREC& rec);
