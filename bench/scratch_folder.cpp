#include "bench/scratch_folder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const int kForwarded[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
volatile sig_atomic_t benchmark = 0;  // its process id while it runs

void Forward(int signal)
{
    if (benchmark > 0) kill(benchmark, signal);
}

[[noreturn]] void EndAs(int status)
{
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        std::signal(signal, SIG_DFL);
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, signal);
        sigprocmask(SIG_UNBLOCK, &set, nullptr);
        raise(signal);
    }
    std::exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
}

}  // namespace

std::filesystem::path GuardedScratchFolder()
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("dot3bump-bench-" + std::to_string(getpid()));
    sigset_t forwarded, previous;
    sigemptyset(&forwarded);
    for (int signal : kForwarded) sigaddset(&forwarded, signal);
    // Held back until the parent forwards them: one in between would end the parent alone.
    sigprocmask(SIG_BLOCK, &forwarded, &previous);
    const pid_t child = fork();
    if (child <= 0) {
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        if (child < 0) {
            std::perror("dot3bump-bench: fork");
            std::exit(1);
        }
        return folder;
    }
    benchmark = child;
    // A program the benchmark started and left running comes back to this process, which waits
    // for it too: the folder goes only once nothing uses it.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    struct sigaction action {};
    action.sa_handler = Forward;
    sigemptyset(&action.sa_mask);
    for (int signal : kForwarded) sigaction(signal, &action, nullptr);
    sigprocmask(SIG_SETMASK, &previous, nullptr);

    int status = 0, benchmarkStatus = 0;
    for (;;) {
        const pid_t ended = wait(&status);
        if (ended == child) {
            benchmark = 0;
            benchmarkStatus = status;
        } else if (ended < 0 && errno != EINTR) {
            break;  // no child left
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    EndAs(benchmarkStatus);
}
