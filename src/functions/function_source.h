#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace functions {

// A stored Gibbs-energy record of a phase, as read from the database.
struct GibbsRecord {
    double Tmin = 0;  // an empty field reads as 0
    double Tmax = 0;
    std::optional<double> Xmin;  // nullopt: the field is empty
    std::optional<double> Xmax;
    std::string X;           // composition text of a point phase, as stored (not trimmed)
    std::string Expression;  // expression text as stored
};

// A stored detail record of a stability parameter.
struct StabilityDetail {
    double Tmin = 0;
    double Tmax = 0;
    std::optional<double> Xmin;
    std::optional<double> Xmax;
    std::string Expression;
};

// The database as the phase-function assembly sees it: the current system, its phases in table
// order with their Gibbs-energy records in Tmin, Tmax order, and the stability parameters.
// Implementations may move table cursors while answering (looking a parameter up makes it the
// current one); any method may throw a util::Error when the store fails.
class FunctionSource {
public:
    virtual ~FunctionSource() = default;

    virtual std::string systemDesignation() = 0;
    virtual std::string yParameter() = 0;

    // Phases of the current system; `phase` counts from 0 in table order.
    virtual int phaseCount() = 0;
    virtual std::string phaseDesignation(int phase) = 0;
    virtual int gibbsCount(int phase) = 0;
    virtual GibbsRecord gibbsRecord(int phase, int record) = 0;
    // Puts the phase cursor back on the first phase of the system.
    virtual void rewindPhases() {}

    // Looks a stability parameter up by designation without regard to case and makes it the
    // current one; on success fills `details` with its detail records in Tmin, Tmax order.
    virtual bool findStability(std::string_view designation, std::vector<StabilityDetail>& details) = 0;
};

}  // namespace functions
