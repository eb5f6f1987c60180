// Work over many independent items on every core: the range is cut into one chunk per
// thread, small ranges stay on the calling thread.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace qrv::python {

// Calls work(begin, end) on disjoint chunks covering 0..count, each on a thread of its own,
// and returns when all are done. `work` must not throw.
template <typename Work>
void forEachChunk(std::size_t count, std::size_t leastPerThread, const Work& work)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::clamp<std::size_t>(count / std::max<std::size_t>(leastPerThread, 1), 1, cores);
    if (threads == 1) {
        work(std::size_t(0), count);
        return;
    }
    std::vector<std::jthread> workers;
    for (std::size_t t = 1; t < threads; ++t)
        workers.emplace_back([&work, count, threads, t] { work(count * t / threads, count * (t + 1) / threads); });
    work(std::size_t(0), count / threads);
}

} // namespace qrv::python
