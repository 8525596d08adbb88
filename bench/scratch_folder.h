// The benchmark's scratch folder, removed however the benchmark ends.
#pragma once

#include <filesystem>

// Splits the process in two, to be called first in main(), before any thread, window or output
// exists. The caller goes on as the benchmark, in the child, with the folder it may write in
// (/tmp/dot3bump-bench-PID, not made yet). The parent waits for it and for the programs it
// started, removes the folder and ends as the benchmark did, with its exit code or its signal:
// after a return, std::exit, a crash or a signal alike. Signals sent to the parent go on to the
// benchmark.
std::filesystem::path GuardedScratchFolder();
