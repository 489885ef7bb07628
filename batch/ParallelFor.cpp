#include "batch/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace q7 {

int UsefulJobs(int asked) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp(asked, 1, static_cast<int>(std::min(cores, 1024u)) * kJobsPerCore);
}

void ParallelFor(std::size_t n, int jobs, const std::function<void(std::size_t)>& body) {
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < n; i = next++)
            body(i);
    };
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), n);
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool)
        t.join();
}

} // namespace q7
