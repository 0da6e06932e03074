#pragma once
#include <cstddef>
#include <vector>

#include "functions/tfunc.h"

namespace functions {

// The temperature pieces of one phase, in the order of its Gibbs-energy records; a record with
// references contributes its pieces in their order.
class Tfuncts {
public:
    void append(Tfunc piece) { pieces_.push_back(std::move(piece)); }
    std::size_t count() const { return pieces_.size(); }
    const Tfunc& operator[](std::size_t i) const { return pieces_[i]; }
    const Tfunc& last() const { return pieces_.back(); }
    auto begin() const { return pieces_.begin(); }
    auto end() const { return pieces_.end(); }

private:
    std::vector<Tfunc> pieces_;
};

}  // namespace functions
