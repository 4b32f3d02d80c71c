// Start-up times of the programs, measured in one run as ratios:
//   dralun-calc 171 against a bare C++ process,
//   dralun from start to its first paint (offscreen).
// Usage: startup_ratio BIN_DIR [RUNS]
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

double RunOnce(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv)
{
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> env;
    for (auto& e : envStrings)
        env.push_back(e.data());
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 0x1 /*O_WRONLY*/, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0x1, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data()) != 0) {
        std::perror(args[0]);
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double>(end - start).count();
}

double Median(const std::vector<std::string>& argv, const std::vector<std::string>& env, int runs)
{
    std::vector<double> times;
    RunOnce(argv, env); // warm the caches
    for (int i = 0; i < runs; ++i)
        times.push_back(RunOnce(argv, env));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_ratio BIN_DIR [RUNS]\n");
        return 2;
    }
    const std::string bin = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 21;
    const double bare = Median({bin + "/bare_process"}, {}, runs);
    const double calc = Median({bin + "/dralun-calc", "171"}, {}, runs);
    std::printf("bare process         %8.2f ms\n", bare * 1e3);
    std::printf("dralun-calc 171      %8.2f ms   %.2fx bare (target <= 3x)\n", calc * 1e3, calc / bare);
    const std::string gui = bin + "/dralun";
    if (FILE* f = std::fopen(gui.c_str(), "r")) {
        std::fclose(f);
        const double paint = Median({gui}, {"QT_QPA_PLATFORM=offscreen", "DRALUN_QUIT_AFTER_PAINT=1"}, runs);
        std::printf("dralun to 1st paint  %8.2f ms   %.2fx bare (target <= 250 ms)\n", paint * 1e3, paint / bare);
    }
    return 0;
}
