#include "expr/function_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace expr {

namespace {

using Entry = std::pair<std::string_view, OpKind>;

// Both tables are sorted by name, so lookup is a binary search.
constexpr std::array<Entry, 15> kOneArgument{{
    {"ABS", OpKind::Abs},
    {"ARCTAN", OpKind::ArcTan},
    {"COS", OpKind::Cos},
    {"COSH", OpKind::Cosh},
    {"EXP", OpKind::Exp},
    {"HEAV", OpKind::Heav},
    {"LN", OpKind::Ln},
    {"PH", OpKind::Ph},
    {"RND", OpKind::Rnd},
    {"SIGN", OpKind::Sign},
    {"SIN", OpKind::Sin},
    {"SINH", OpKind::Sinh},
    {"SQRT", OpKind::Sqrt},
    {"TAN", OpKind::Tan},
    {"ZERO", OpKind::Zero},
}};

constexpr std::array<Entry, 2> kTwoArguments{{
    {"MAX", OpKind::Max},
    {"MIN", OpKind::Min},
}};

template <std::size_t N>
constexpr bool sortedWithoutDuplicates(const std::array<Entry, N>& table) {
    for (std::size_t i = 1; i < N; ++i)
        if (!(table[i - 1].first < table[i].first)) return false;
    return true;
}
static_assert(sortedWithoutDuplicates(kOneArgument));
static_assert(sortedWithoutDuplicates(kTwoArguments));

template <std::size_t N>
std::optional<OpKind> find(const std::array<Entry, N>& table, std::string_view name) {
    auto it = std::lower_bound(table.begin(), table.end(), name,
                               [](const Entry& e, std::string_view n) { return e.first < n; });
    if (it == table.end() || it->first != name) return std::nullopt;
    return it->second;
}

}  // namespace

std::optional<OpKind> FunctionTable::oneArgument(std::string_view name) { return find(kOneArgument, name); }

std::optional<OpKind> FunctionTable::twoArguments(std::string_view name) { return find(kTwoArguments, name); }

}  // namespace expr
