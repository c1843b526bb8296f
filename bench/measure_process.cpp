// Runs one command with its output thrown away and prints what the benchmark
// wants to know of it: how it ended, its wall time and its peak resident
// memory. The script cannot start the command itself for the memory figure:
// Linux counts the memory of the process a child was forked from into the
// child's peak, and the script's interpreter is far larger than a small tool
// such as diff. This program is small, so what it adds is a megabyte or two.
//
// usage: measure_process CAP-SECONDS STDERR-FILE COMMAND [ARGUMENT]...
// prints: "<exit code, or -signal> <wall seconds> <peak resident KB>"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void StartCommand(char** command, const char* errorPath, unsigned cap)
{
    const int input = open("/dev/null", O_RDONLY);
    const int output = open("/dev/null", O_WRONLY);
    const int errors = open(errorPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input < 0 || output < 0 || errors < 0 || dup2(input, 0) < 0 || dup2(output, 1) < 0 ||
        dup2(errors, 2) < 0)
        _exit(127);
    // The alarm outlives exec, and its default action ends the command, so a
    // command that runs away is stopped without a watcher here.
    if (cap > 0)
        alarm(cap);
    execvp(command[0], command);
    const char* reason = strerror(errno);
    (void)!write(2, reason, strlen(reason));
    _exit(127);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: measure_process CAP-SECONDS STDERR-FILE COMMAND [ARG]...\n");
        return 2;
    }
    const auto cap = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));

    const double start = Now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("measure_process: fork");
        return 2;
    }
    if (child == 0)
        StartCommand(argv + 3, argv[2], cap);

    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("measure_process: wait4");
            return 2;
        }
    }
    const double seconds = Now() - start;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    std::printf("%d %.6f %ld\n", code, seconds, usage.ru_maxrss);
    return 0;
}
