#pragma once
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "calc/phase_matrix.h"
#include "results/special_point_sink.h"
#include "util/text.h"

namespace resultstest {

// One call the search made on its sink.
struct Event {
    enum Kind { Begin, Other, Node, Chart, End } kind = Begin;
    double a = 0, b = 0, c = 0, d = 0;  // Other: x, y; Node: Y, X, XLeft, XRight; Chart: x, y
    std::string text;
    bool operator==(const Event&) const = default;
};

inline Event other(double x, double y, std::string text) { return {Event::Other, x, y, 0, 0, std::move(text)}; }
inline Event node(double Y, double X, double XLeft, double XRight) { return {Event::Node, Y, X, XLeft, XRight, {}}; }
inline Event chart(double x, double y) { return {Event::Chart, x, y, 0, 0, {}}; }
inline Event begin() { return {Event::Begin, 0, 0, 0, 0, {}}; }
inline Event end() { return {Event::End, 0, 0, 0, 0, {}}; }

inline void PrintTo(const Event& e, std::ostream* os) {
    static const char* names[] = {"begin", "other", "node", "chart", "end"};
    *os << names[e.kind];
    if (e.kind == Event::Other || e.kind == Event::Chart) *os << "(" << e.a << ", " << e.b << ")";
    if (e.kind == Event::Node) *os << "(Y " << e.a << ", X " << e.b << ", XLeft " << e.c << ", XRight " << e.d << ")";
    if (!e.text.empty()) *os << " \"" << e.text << "\"";
}

// Records every call in order.
class RecordingSink : public results::SpecialPointSink {
public:
    void begin() override { events.push_back(resultstest::begin()); }
    void otherPoint(const results::TXY& p, const std::string& text) override { events.push_back(other(p.X, p.Y, text)); }
    void node(const results::TNode& n) override { events.push_back(resultstest::node(n.Y, n.X, n.XLeft, n.XRight)); }
    void chartPoint(double x, double y) override { events.push_back(chart(x, y)); }
    void end() override { events.push_back(resultstest::end()); }
    std::vector<Event> events;
};

// A phase matrix from header texts and rows of blank-separated cell tokens. In the header texts
// "." stands for the decimal separator; each header gets the number its text shows, as a run
// writes it, and none when the text is not a number. Tokens: "~" is an unwritten cell (""),
// "_E" is " E".
struct MatrixRow {
    std::string y;
    std::string cells;
};

inline std::string withSeparator(std::string text, char sep) {
    for (char& ch : text)
        if (ch == '.') ch = sep;
    return text;
}

inline calc::PhaseMatrix buildMatrix(const std::vector<std::string>& xs, const std::vector<MatrixRow>& rows, char sep) {
    calc::PhaseMatrix m;
    m.resize(static_cast<int>(xs.size()) + 1, static_cast<int>(rows.size()) + 1);
    m.setText(0, 0, " Y/X");
    double value = 0;
    for (size_t c = 0; c < xs.size(); ++c) {
        const int col = static_cast<int>(c) + 1;
        const std::string text = withSeparator(xs[c], sep);
        if (util::TryParseNumber(text, sep, value)) m.setColumnHeader(col, text, value);
        else m.setText(col, 0, text);
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        int row = static_cast<int>(r) + 1;
        const std::string text = withSeparator(rows[r].y, sep);
        if (util::TryParseNumber(text, sep, value)) m.setRowHeader(row, text, value);
        else m.setText(0, row, text);
        std::istringstream tokens(rows[r].cells);
        std::string token;
        for (int col = 1; tokens >> token && col < m.colCount(); ++col)
            m.setText(col, row, token == "~" ? "" : token == "_E" ? " E" : token);
    }
    return m;
}

}  // namespace resultstest
