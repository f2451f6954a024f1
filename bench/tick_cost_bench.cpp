// CPU time per click at one interval for variants of Vorlin side by side, in
// the same minutes, with xdotool at the same delay in every round: each variant
// runs under an Xvfb of its own and the rounds alternate between them, so the
// machine's other work falls on all of them alike. Prints a table; never fails.
//
//   bench_tick_cost_bench [ROUNDS [INTERVAL_MS [VARIANT...]]]
//
// A variant is "default", NAME=VALUE (an environment setting for the program),
// or the path of another vorlin binary. Default: "default QT_NO_GLIB=1", Qt's
// glib event loop against its own.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "click_cost.h"

using namespace e2e;
using bench::lowest;
using bench::median;

namespace {

struct Variant {
    std::string name;
    std::unique_ptr<XSession> session;
    std::unique_ptr<RunningVorlin> vorlin;
    std::vector<double> usPerClick;
};

std::unique_ptr<XSession> sessionFor(const std::string& name)
{
    XSession::Options options{.windowManager = true};
    if (const auto eq = name.find('='); eq != std::string::npos && name.find('/') == std::string::npos)
        options.programEnvironment[name.substr(0, eq)] = name.substr(eq + 1);
    return std::make_unique<XSession>(options);
}

std::unique_ptr<RunningVorlin> startIn(const XSession& s, const std::string& name)
{
    // Another binary takes the session's copy's place, so its setting.ini lands there too.
    if (name.find('/') != std::string::npos)
        std::filesystem::copy_file(name, s.folder() + "/vorlin", std::filesystem::copy_options::overwrite_existing);
    return std::make_unique<RunningVorlin>(s);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = std::max(1, argc > 1 ? std::atoi(argv[1]) : 5);
    const int intervalMs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 10);
    const int presses = std::max(100, 10000 / intervalMs);
    std::vector<std::string> names(argv + std::min(argc, 3), argv + argc);
    if (names.empty())
        names = {"default", "QT_NO_GLIB=1"};

    std::vector<Variant> variants;
    for (const auto& name : names) {
        Variant v{name, sessionFor(name), nullptr, {}};
        if (!v.session->ok()) {
            std::puts("no X server: nothing measured");
            return 0;
        }
        v.vorlin = startIn(*v.session, name);
        variants.push_back(std::move(v));
    }
    std::printf("load average at the start: %s (%ld cores); %d rounds of %d clicks at %d ms\n\n", bench::loadAverage().c_str(),
                sysconf(_SC_NPROCESSORS_ONLN), rounds, presses, intervalMs);

    std::vector<double> peer;
    for (int r = 0; r < rounds; ++r) {
        // The order turns each round, so no variant always follows the peer.
        for (size_t i = 0; i < variants.size(); ++i) {
            Variant& v = variants[(i + size_t(r)) % variants.size()];
            v.usPerClick.push_back(bench::vorlinClicks(*v.vorlin, intervalMs, presses).cpuPerClickUs);
        }
        peer.push_back(bench::xdotoolClicks(*variants.front().session, intervalMs, presses).cpuPerClickUs);
        std::fprintf(stderr, "round %d:", r + 1);
        for (const auto& v : variants)
            std::fprintf(stderr, " %s %.1f", v.name.c_str(), v.usPerClick.back());
        std::fprintf(stderr, " xdotool %.1f\n", peer.back());
    }

    std::printf("| variant | µs per click, best / median | ratio to xdotool, best / median |\n|---|---|---|\n");
    const double peerBest = lowest(peer), peerMedian = median(peer);
    for (const auto& v : variants)
        std::printf("| %s | %.1f / %.1f | %.2f / %.2f |\n", v.name.c_str(), lowest(v.usPerClick), median(v.usPerClick),
                    peerBest > 0 ? lowest(v.usPerClick) / peerBest : 0.0, peerMedian > 0 ? median(v.usPerClick) / peerMedian : 0.0);
    std::printf("| xdotool | %.1f / %.1f | 1 |\n", peerBest, peerMedian);
    std::printf("\nload average at the end: %s\n", bench::loadAverage().c_str());
    return 0;
}
