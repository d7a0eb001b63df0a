#pragma once
// Opening a log through the reopen cache: a log whose bytes were loaded before is mapped from
// its entry instead of being parsed; one that was not is parsed, and its entry written in the
// background. The cache never gives a value the file does not hold, and a cache that cannot be
// read or written costs only itself, never the open.

#include <cstdint>
#include <string>
#include <vector>

#include "logdata/LogLoader.h"

namespace grafolux {

struct CacheChoices {
    bool use = true;     // false: every log is parsed, and nothing is written
    uint64_t limit;      // bytes the folder may hold
    std::string folder;  // empty: no cache
};

// The cache as chosen: bypassed or not, the limit of GRAFOLUX_CACHE_LIMIT when it is set and
// reads (ParseCacheLimit), else `preferredLimit`, the folder CacheFolder().
CacheChoices CacheChoicesFor(bool bypass, uint64_t preferredLimit);

// As LoadLog, through the cache. A log of a pipe, one read as it grew or shrank, one read only
// in part (LoadOptions::items) or one without samples is not written to the cache; one read
// from it keeps only the items asked for.
LoadResult OpenLog(const std::string& path, Colour itemColour, const LoadProgress& progress,
                   const LoadOptions& options, const CacheChoices& cache);

// As LoadLogs, each log through the cache.
std::vector<LoadResult> OpenLogs(const std::vector<std::string>& paths, Colour itemColour,
                                 const LoadOptions& options, const LoadProgress& progress,
                                 const CacheChoices& cache);

// Waits until every entry begun has been written. Programs end with it, which happens by itself
// when their static objects go.
void FinishCacheWrites();

}  // namespace grafolux
