#include "cli/system_choice.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <vector>

#include "util/errors.h"

namespace cli {

namespace {

struct SystemEntry {
    std::string designation;
    std::int64_t key;
};

std::vector<SystemEntry> allSystems(store::Table& systems) {
    std::vector<SystemEntry> entries;
    for (systems.first(); !systems.isEmpty() && !systems.eof(); systems.next())
        entries.push_back({systems.asString("System_designation"), systems.asInteger("System_id")});
    return entries;
}

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Edit distance between two texts, letter case aside: "pb+sn" is next to "Pb+Sn", "Sn+Pb" further.
std::size_t distance(const std::string& a, const std::string& b) {
    const std::string x = lowered(a), y = lowered(b);
    std::vector<std::size_t> row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[y.size()];
}

std::string notFoundMessage(const std::string& word, const std::vector<SystemEntry>& entries) {
    if (entries.empty()) return "System " + word + " not found: the database holds no system";
    std::vector<std::string> names;
    for (const SystemEntry& entry : entries)
        if (std::find(names.begin(), names.end(), entry.designation) == names.end()) names.push_back(entry.designation);
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return distance(word, a) < distance(word, b);
    });
    constexpr std::size_t Shown = 5;
    std::string list;
    for (std::size_t i = 0; i < std::min(names.size(), Shown); ++i) list += (i ? ", " : "") + names[i];
    if (names.size() <= Shown) return "System " + word + " not found; the database holds " + list;
    return "System " + word + " not found; the closest of " + std::to_string(names.size()) +
           " designations: " + list + " (ravo-cli systems lists them all)";
}

}  // namespace

void SelectSystem(db::TDM& tdm, const std::string& word) {
    store::Table& systems = tdm.tblSystems;
    const std::vector<SystemEntry> entries = allSystems(systems);

    std::vector<std::int64_t> keys;
    for (const SystemEntry& entry : entries)
        if (entry.designation == word) keys.push_back(entry.key);
    if (keys.size() > 1) {
        std::string list;
        for (std::size_t i = 0; i < keys.size(); ++i) list += (i ? ", " : "") + std::to_string(keys[i]);
        throw util::Error("System " + word + " is ambiguous: " + std::to_string(keys.size()) +
                          " systems carry this designation, with the keys " + list +
                          "; give the key instead (--system " + std::to_string(keys.front()) + ")");
    }
    if (keys.empty()) {
        std::int64_t key = 0;
        const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), key);
        const bool whole = ec == std::errc() && end == word.data() + word.size();
        const bool known = whole && std::any_of(entries.begin(), entries.end(),
                                                [&](const SystemEntry& e) { return e.key == key; });
        if (!known) throw util::Error(notFoundMessage(word, entries));
        keys.push_back(key);
    }
    systems.locate("System_id", store::Value{keys.front()});
}

}  // namespace cli
