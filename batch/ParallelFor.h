#pragma once
// One pool of threads for the commands that compute many cases: `run` over case files and
// `run --jsonl` over a stream.
#include <cstddef>
#include <functional>

namespace q7 {

// Calls body(i) once for every i in [0, n), on up to `jobs` threads (the calling one included),
// and returns when all are done. `body` must not throw.
void ParallelFor(std::size_t n, int jobs, const std::function<void(std::size_t)>& body);

// The number of jobs that helps for `asked`: at most kJobsPerCore a core (a case computes on one
// core and waits only on its files), so that a mistyped --jobs 99999 neither starts thousands of
// threads nor holds their work in memory; the results do not depend on it.
constexpr int kJobsPerCore = 4;
int UsefulJobs(int asked);

} // namespace q7
