#pragma once
#include <QWidget>
#include <vector>

#include "results/node_grid.h"
#include "results/special_points.h"

class QListWidget;
class QTableWidget;

namespace gui {

// The special points window: the nodes of the last fill in a grid of numbers (Y, left, middle and
// right composition) and the other special points of the last search as lines of text. The grid
// is filled only on request (fillNodes); the list follows every search (showOtherPoints). Closing
// the window only hides it.
class TfmSpecPoints : public QWidget {
    Q_OBJECT
public:
    explicit TfmSpecPoints(QWidget* parent = nullptr);

    // Rewrites the whole node grid (headings, one row per node or one empty row) and shows the
    // window. yParameterIndex is the Y selector's item index (0: temperature).
    void fillNodes(const std::vector<results::TNode>& nodes, int yParameterIndex, results::NodeYFormat yFormat,
                   char decimalSeparator);
    // Replaces the list of other special points by the texts of the last search.
    void showOtherPoints(const std::vector<results::SpecialPoints::OtherPoint>& points);

    // The node grid as the user sees it: row 0 is the heading row.
    int gridRowCount() const;
    QString gridText(int col, int row) const;
    QListWidget* listBox1() const { return listBox1_; }

private:
    void writeGrid(const std::vector<results::TNode>& nodes, int yParameterIndex, results::NodeYFormat yFormat,
                   char decimalSeparator);

    QTableWidget* sgSpecPoints_;
    QListWidget* listBox1_;
};

}  // namespace gui
