// A long run of the monkey, for soaking:
//   monkey_soak [EVENTS [FIRST_SEED]]     (default 10 million events)
// It prints the events per second, and the seed and event of the first
// broken rule, if any, for replaying.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "monkey/monkey.h"

int main(int argc, char** argv) {
  std::uint64_t events = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10'000'000;
  std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  constexpr std::uint64_t kPerSeed = 100'000;
  std::uint64_t done = 0, games = 0;
  std::array<std::uint64_t, forms::kFormCount> reached{};
  auto start = std::chrono::steady_clock::now();
  while (done < events) {
    testing_support::Monkey monkey(seed++);
    std::uint64_t n = std::min(kPerSeed, events - done);
    bool ok = monkey.run(n);
    done += monkey.events();
    games += monkey.gamesPlayed();
    for (int i = 0; i < forms::kFormCount; ++i) reached[std::size_t(i)] += monkey.reached()[std::size_t(i)];
    if (!ok) {
      std::printf("FAILED %s\n", monkey.failure().c_str());
      return 1;
    }
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%llu events, %llu games, %.1f s, %.0f events per second\n", static_cast<unsigned long long>(done),
              static_cast<unsigned long long>(games), seconds, double(done) / seconds);
  std::printf("games that showed each screen:");
  for (int i = 0; i < forms::kFormCount; ++i) {
    std::printf(" %s %llu", std::string(forms::formName(forms::FormId(i))).c_str(),
                static_cast<unsigned long long>(reached[std::size_t(i)]));
  }
  std::printf("\n");
  return 0;
}
