#pragma once

namespace expr {

// The uniform pseudo-random generator behind RND, seeded from the clock once per program.
class RandomSource {
public:
    // A uniform number in [0, 1).
    static double next();
};

}  // namespace expr
