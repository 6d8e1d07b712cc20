// Start-up to the first frame on the screen, beside a bare Qt window started
// the same way: the clock runs from starting the process until it says its
// window is shown (the process's leaving is not timed). Both run under the
// offscreen platform, over the same warmed data folder.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

const std::filesystem::path& dataFolder() {
    static const std::filesystem::path folder = [] {
        auto made = std::filesystem::temp_directory_path() / "brokerbook-startup-bench";
        std::filesystem::remove_all(made);
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

// Seconds from starting the probe until it reports its window shown.
double startUntilShown(const char* what) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (chdir(dataFolder().c_str()) != 0) _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(BB_STARTUP_PROBE, BB_STARTUP_PROBE, what, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char said = 0;
    const bool shown = read(out[0], &said, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!shown) throw std::runtime_error(std::string("the probe never showed: ") + what);
    return std::chrono::duration<double>(end - start).count();
}

void StartUp(benchmark::State& state, const char* what) {
    startUntilShown(what);  // the data folder's files are made on the first start
    for (auto _ : state) state.SetIterationTime(startUntilShown(what));
}

}  // namespace

BENCHMARK_CAPTURE(StartUp, brokerbook, "brokerbook")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(StartUp, bare_window, "bare")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
