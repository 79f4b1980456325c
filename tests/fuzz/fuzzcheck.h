// The fuzz targets' assertion: names the broken property before aborting, so that a finding's
// log says which rule failed.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FZCHECK(ok)                                                                                \
    ((ok) ? (void)0                                                                                \
          : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #ok),           \
             std::abort()))
