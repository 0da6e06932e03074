#include "expr/random_source.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace expr {

double RandomSource::next() {
    static std::mt19937_64 generator(
        static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    // The top 53 bits give every double of [0, 1) on a grid of 2^-53.
    return static_cast<double>(generator() >> 11) * 0x1p-53;
}

}  // namespace expr
