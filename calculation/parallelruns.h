// Many independent runs spread over every core: each worker has its own Calculator, and each
// run's result goes to its own index, so that the outcome never depends on the number of
// workers or the order in which they finish.
#pragma once

#include "calculation/calculate.h"

#include <cstddef>
#include <functional>

namespace qrv {

// How far a long study got: called on the caller's thread at its start, about ten times a
// second, and once at the end. Returning false stops the study; runs already started finish.
using StudyProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Runs work(calculator, index) for every index below count on `threads` workers (0: one per
// core). False when the progress stopped it; an exception thrown by a run is thrown here.
bool runInParallel(std::size_t count, const std::function<void(Calculator&, std::size_t index)>& work,
                   CalculateOptions options, const StudyProgress& progress = {}, unsigned threads = 0);

} // namespace qrv
