// The invariants of the default database's systems, refined after a grid run at the stored grid,
// against the same model's equilibria found independently on a very fine local hull, and against
// the published values they reproduce.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "db/tdm.h"
#include "engine/calculation.h"
#include "results/invariant_table.h"
#include "support/fine_hull_oracle.h"
#include "support/scripted_dialogs.h"

namespace {

// One system of the default database, computed once with the given grid (0: the stored one).
struct SystemRun {
    testsupport::ScriptedDialogs dialogs;
    db::TDM tdm{dialogs};
    engine::Calculation calculation{dialogs, '.'};
    std::vector<results::Invariant> table;
    std::vector<std::string> names;  // the oracle's phase indices: solutions, then point phases

    SystemRun(const std::string& designation, int xpoints, int ypoints) {
        tdm.Start(RAVO_BIN_DIR);
        if (!tdm.tblSystems.locate("System_designation", store::Value{designation}))
            throw std::runtime_error("no system " + designation + " in the default database");
        auto snapshot = engine::Calculation::takeSnapshot(tdm);
        calculation.setGridOverride(xpoints > 0 ? std::optional<int>(xpoints) : std::nullopt,
                                    ypoints > 0 ? std::optional<int>(ypoints) : std::nullopt);
        if (calculation.run(snapshot) != engine::Calculation::Outcome::Completed)
            throw std::runtime_error("the run of " + designation + " did not complete");
        table = calculation.findInvariants();
        const functions::PhaseFunctions& phases = calculation.phaseFunctions();
        for (size_t i = 0; i < phases.SolutionList.count(); ++i) names.push_back(phases.SolutionList.name(i));
        for (size_t i = 0; i < phases.PointPhaseList.count(); ++i) names.push_back(phases.PointPhaseList.name(i));
    }

    // G through the calculation's own evaluation of a phase, one composition at a time.
    oracle::Sampler sampler() {
        return [this](int phase, const std::vector<double>& xs, double T) {
            std::vector<double> g;
            for (double x : xs) g.push_back(calculation.gibbsEnergy(names[phase], x, T).value_or(1e30));
            return g;
        };
    }
    int index(const std::string& name) {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i);
        throw std::runtime_error("no phase " + name);
    }
    bool isPoint(const std::string& name) { return calculation.phaseFunctions().PointPhaseList.find(name) != nullptr; }
    double pointX(const std::string& name) { return calculation.phaseFunctions().PointPhaseList.find(name)->X; }
};

SystemRun& stored(const std::string& designation) {
    static std::map<std::string, std::unique_ptr<SystemRun>> runs;
    auto& slot = runs[designation];
    if (!slot) slot = std::make_unique<SystemRun>(designation, 0, 0);
    return *slot;
}

const results::Invariant* byReaction(const std::vector<results::Invariant>& table, const std::string& reaction) {
    for (const results::Invariant& entry : table)
        if (entry.reaction == reaction) return &entry;
    return nullptr;
}

struct PublishedInvariant {
    const char* system;
    const char* reaction;
    results::InvariantKind kind;
    double y;                       // published
    std::vector<const char*> phases;  // listed names, in order of composition
    std::vector<double> x;          // published compositions; NAN where none is published
    double yError = 0.05;           // the published values were computed with R = 8.31451
};

using K = results::InvariantKind;
const PublishedInvariant kPublished[] = {
    {"Pb+Sn", "Liquid = Fcc_A1 + Bct_A5", K::Eutectic, 454.562, {"Fcc_A1", "Liquid", "Bct_A5"}, {0.2632, 0.7373, 0.9755}},
    {"Pb+Sn", "Liquid = Fcc_A1", K::CongruentMelting, 600.650, {"Liquid", "Fcc_A1"}, {0}},
    {"Pb+Sn", "Liquid = Bct_A5", K::CongruentMelting, 505.060, {"Liquid", "Bct_A5"}, {1}},
    {"Al+Zn", "Liquid = Fcc_A1 + Hcp_A3", K::Eutectic, 654.008, {"Fcc_A1", "Liquid", "Hcp_A3"}, {0.6731, 0.8835, 0.9691}},
    {"Al+Zn", "Fcc_A1' = Fcc_A1 + Hcp_A3", K::Monotectoid, 550.387, {"Fcc_A1", "Fcc_A1", "Hcp_A3"}, {0.1412, 0.5905, 0.9840}},
    {"Al+Zn", "Fcc_A1 = Fcc_A1 + Fcc_A1'", K::CriticalPoint, 625.71, {"Fcc_A1"}, {0.350}, 0.05},
    {"Cu+Ni", "Fcc_A1 = Fcc_A1 + Fcc_A1'", K::CriticalPoint, 639.79, {"Fcc_A1"}, {0.592}, 0.05},
    {"Mg+Si", "Liquid = Hcp_A3 + Mg2Si", K::Eutectic, 911.876, {"Hcp_A3", "Liquid", "Mg2Si-(C)"}, {NAN, 0.01285, 1.0 / 3}},
    {"Mg+Si", "Liquid = Mg2Si + Diamond_A4", K::Eutectic, 1216.619, {"Mg2Si-(C)", "Liquid", "Diamond_A4-(C)"}, {1.0 / 3, 0.5419, 1}},
    {"Mg+Si", "Liquid = Mg2Si", K::CongruentMelting, 1349.49, {"Liquid", "Mg2Si-(C)"}, {1.0 / 3}},
    {"Al+Si", "Liquid = Fcc_A1 + Diamond_A4", K::Eutectic, 850.151, {"Fcc_A1", "Liquid", "Diamond_A4"}, {0.01489, 0.12070, NAN}},
};

class DefaultInvariants : public testing::TestWithParam<PublishedInvariant> {};

TEST_P(DefaultInvariants, RefinedAtTheStoredGridMatchTheFineHullAndThePublishedValue) {
    const PublishedInvariant& published = GetParam();
    SystemRun& system = stored(published.system);
    const results::Invariant* found = byReaction(system.table, published.reaction);
    ASSERT_NE(found, nullptr) << published.reaction;
    EXPECT_EQ(found->kind, published.kind);
    ASSERT_TRUE(found->refined) << found->reason;
    EXPECT_TRUE(system.dialogs.shown.empty());

    // The same model's equilibrium, found on the fine hull within two kelvin of the published one.
    const oracle::Sampler sampler = system.sampler();
    const double tLow = published.y - 2, tHigh = published.y + 2;
    double exactY = 0;
    std::vector<double> exactX;
    if (published.kind == K::CriticalPoint) {
        const int phase = system.index(published.phases[0]);
        const oracle::ThreePhase c = oracle::critical(sampler, {phase, published.x[0] - 0.1, published.x[0] + 0.1}, tLow, tHigh);
        exactY = c.T;
        exactX = {c.x[1]};
    } else if (published.phases.size() == 2) {
        const int a = system.index(published.phases[0]), b = system.index(published.phases[1]);
        const std::string point = published.phases[1];
        const double x = point.find("Mg2Si") != std::string::npos ? system.pointX("Mg2Si-(C)") : published.x[0];
        exactY = oracle::equalAt(sampler, a, b, x, tLow, tHigh);
        exactX = {x};
    } else {
        std::vector<oracle::Window> windows;
        for (size_t i = 0; i < 3; ++i) {
            const std::string name = published.phases[i];
            const int phase = system.index(name);
            if (system.isPoint(name)) {
                windows.push_back({phase, system.pointX(name), system.pointX(name)});
                continue;
            }
            const double centre = std::isnan(published.x[i]) ? (i == 0 ? 0.0 : 1.0) : published.x[i];
            windows.push_back({phase, std::max(0.0, centre - 0.02), std::min(1.0, centre + 0.02)});
        }
        const oracle::ThreePhase t = oracle::threePhase(sampler, windows, tLow, tHigh);
        exactY = t.T;
        exactX = {t.x[0], t.x[1], t.x[2]};
    }

    EXPECT_NEAR(found->y, exactY, 0.01);
    ASSERT_GE(found->phases.size(), exactX.size());
    for (size_t i = 0; i < exactX.size(); ++i) EXPECT_NEAR(found->phases[i].x, exactX[i], 1e-4) << "phase " << i;
    // The model reproduces the assessment.
    EXPECT_NEAR(exactY, published.y, published.yError);
    for (size_t i = 0; i < exactX.size() && i < published.x.size(); ++i)
        if (!std::isnan(published.x[i])) {
            EXPECT_NEAR(exactX[i], published.x[i], 1e-3) << "phase " << i;
        }
}

INSTANTIATE_TEST_SUITE_P(Published, DefaultInvariants, testing::ValuesIn(kPublished),
                         [](const testing::TestParamInfo<PublishedInvariant>& info) {
                             std::string name = std::string(info.param.system) + "_" + std::to_string(info.index);
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

// Every row of the table of each default system is refined, and nothing else turns up: each
// three-phase row came from a node of the grid.
TEST(DefaultInvariantTables, EveryEntryRefinedAndEveryThreePhaseEntryFromANode) {
    const std::map<std::string, size_t> counts = {{"Pb+Sn", 3}, {"Al+Zn", 5}, {"Cu+Ni", 3}, {"Mg+Si", 5}, {"Al+Si", 3}};
    for (const auto& [designation, count] : counts) {
        const std::vector<results::Invariant>& table = stored(designation).table;
        EXPECT_EQ(table.size(), count) << designation;
        for (const results::Invariant& entry : table) {
            EXPECT_TRUE(entry.refined) << designation << ": " << entry.reaction << ": " << entry.reason;
            if (entry.phases.size() == 3) {
                EXPECT_TRUE(entry.fromNode) << designation << ": " << entry.reaction;
            }
        }
    }
}

// The answer does not depend on the grid as long as the grid sees the invariant.
TEST(DefaultInvariantTables, CoarseAndFineGridsGiveTheSameInvariants) {
    for (const char* designation : {"Pb+Sn", "Al+Zn", "Mg+Si"}) {
        const SystemRun coarse(designation, 100, 100);
        const SystemRun fine(designation, 1000, 1000);
        for (const results::Invariant& entry : coarse.table) {
            if (!entry.refined) continue;
            const results::Invariant* other = byReaction(fine.table, entry.reaction);
            ASSERT_NE(other, nullptr) << designation << ": " << entry.reaction;
            ASSERT_TRUE(other->refined) << other->reason;
            EXPECT_NEAR(entry.y, other->y, 0.01) << designation << ": " << entry.reaction;
            for (size_t i = 0; i < entry.phases.size(); ++i)
                EXPECT_NEAR(entry.phases[i].x, other->phases[i].x, 1e-4) << designation << ": " << entry.reaction;
        }
        EXPECT_GE(coarse.table.size(), 3u) << designation;
    }
}

}  // namespace
