// Compiled, never run. As it stands it must compile; with XCHECK_UNTYPED_ROW it asks the row
// check about an argument list that has no row, which must not compile.
#include "ZEBWNDcore.h"

#ifdef XCHECK_UNTYPED_ROW
static_assert(XROWSTYPED(std::index_sequence<XR_COUNT>{}), "checked");
#else
static_assert(XROWSTYPED(std::index_sequence<XR_KEY, XR_GENERAL>{}), "checked");
#endif
