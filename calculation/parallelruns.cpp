#include "calculation/parallelruns.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace qrv {

bool runInParallel(std::size_t count, const std::function<void(Calculator&, std::size_t index)>& work,
                   CalculateOptions options, const StudyProgress& progress, unsigned threads)
{
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    threads = unsigned(std::min<std::size_t>(threads, std::max<std::size_t>(count, 1)));

    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t running = threads;
    std::exception_ptr failure;

    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            Calculator calculator(options);
            try {
                for (std::size_t i = next++; i < count && !stop; i = next++) {
                    work(calculator, i);
                    ++done;
                }
            } catch (...) {
                const std::lock_guard lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
            }
            const std::lock_guard lock(mutex);
            --running;
            finished.notify_all();
        });
    }
    // The first report at once, the others while the workers run, the last when they are done.
    bool stopped = progress && !progress(0, count);
    stop = stopped;
    {
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return running == 0; })) {
            if (progress && !stopped) {
                lock.unlock();
                stopped = !progress(done, count);
                lock.lock();
                if (stopped)
                    stop = true;
            }
        }
    }
    for (std::thread& worker : workers)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
    if (progress && !stopped)
        progress(done, count);
    return !stopped;
}

} // namespace qrv
