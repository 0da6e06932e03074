#pragma once
#include <memory>

namespace expr {
class TParser;
}

namespace functions {

struct Tfunc;

// The live evaluator of one phase: its parser with the variables T, P, Y, X, SID and R defined,
// and the temperature range of the piece whose expression is loaded. The evaluator owns its
// parser. The variable cells are cached so that the evaluation loop writes X and SID without any
// name look-up.
class TParserplus {
public:
    TParserplus();
    ~TParserplus();
    TParserplus(const TParserplus&) = delete;
    TParserplus& operator=(const TParserplus&) = delete;

    double Tmin = 0;  // range of the piece currently loaded
    double Tmax = 0;
    double Xmin = 0;  // composition window of the phase
    double Xmax = 1;
    double X = -1;    // composition of a point phase, -1 for a solution phase

    expr::TParser& parser() { return *parser_; }

    // Makes `piece` the loaded piece: its range becomes Tmin, Tmax, and its expression is
    // compiled unless `onlyWhenChanged` is set and the parser already holds that text. A compile
    // error leaves no piece loaded (an empty range and no expression) and is rethrown, so the
    // evaluator never serves values of a text it could not compile.
    void load(const Tfunc& piece, bool onlyWhenChanged);

    bool covers(double T) const { return Tmin <= T && T <= Tmax; }

    void setConditions(double T, double P, double Y) {
        *t_ = T;
        *p_ = P;
        *y_ = Y;
    }
    double* xCell() const { return x_; }
    double* sidCell() const { return sid_; }
    double* yCell() const { return y_; }

private:
    std::unique_ptr<expr::TParser> parser_;
    double* t_ = nullptr;
    double* p_ = nullptr;
    double* y_ = nullptr;
    double* x_ = nullptr;
    double* sid_ = nullptr;
};

}  // namespace functions
