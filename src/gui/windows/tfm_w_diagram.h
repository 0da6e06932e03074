#pragma once
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

class QCustomPlot;
class QCPGraph;
class QPushButton;

namespace gui {

// The working diagram: the G(x) curves of every solution phase of the row just computed and its
// lower convex hull ("Convex", always the last series). Title "       G" at the top left, foot "x"
// at the bottom right, dotted grids, the bottom axis stepped by the run's increment.
//
// A run may deliver rows far faster than a screen can show them, so showRow() only keeps the data
// and the chart is replotted at most every 33 ms; flush() draws what is pending at once (the end of
// a run, so the chart shows the last row).
class TfmWDiagram : public QWidget {
    Q_OBJECT
public:
    explicit TfmWDiagram(QWidget* parent = nullptr);

    // Removes every series and adds one line series per solution phase, titled with its name.
    void resetChart(const std::vector<std::string>& solutionPhases);
    // Adds the hull series "Convex" after the phase series.
    void addConvexSeries();
    // Bottom axis step: one tenth of the composition range.
    void setBottomAxisIncrement(double step);

    struct Curve {
        std::vector<double> x;
        std::vector<double> g;
    };
    // Replaces the points of every series by one row's curves (SolutionList order) and hull.
    void showRow(const std::vector<Curve>& curves, const std::vector<double>& hullX,
                 const std::vector<double>& hullG);
    void flush();

    QCustomPlot* chart() const { return chart_; }
    int replotCount() const { return replots_; }

private:
    void replotNow();

    QCustomPlot* chart_;
    QPushButton* close_;
    std::vector<QCPGraph*> phaseSeries_;
    QCPGraph* convexSeries_ = nullptr;
    QTimer replotTimer_;
    QElapsedTimer sinceReplot_;
    bool dirty_ = false;
    int replots_ = 0;
    double gLow_ = 0;
    double gHigh_ = 0;
    double xLow_ = 0;
    double xHigh_ = 1;
};

}  // namespace gui
