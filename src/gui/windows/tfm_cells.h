#pragma once
#include <QWidget>

class QCheckBox;
class QPushButton;
class QTableView;

namespace calc { class PhaseMatrix; }

namespace gui {

class PhaseMatrixModel;

// The matrix view: the phase matrix of the last run, one column per composition and one row per
// Y value, two-phase cells marked. The matrix's header row and column are the view's fixed
// headers and stay in place while the data scrolls. The view shows the copy made by its last
// showMatrix(); a later run does not change it until the matrix is shown again.
class TfmCells : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNarrowWidth = 15;
    static constexpr int kWideWidth = 64;
    static constexpr int kRowHeight = 18;

    explicit TfmCells(QWidget* parent = nullptr);

    // The "Матрица" command: hourglass cursor while it works (restored on every exit), narrow
    // cells, the matrix copied (no matrix: a single empty cell), the window shown.
    void showMatrix(const calc::PhaseMatrix* matrix);

    // Data columns 15 pixels wide while "Сжать ячейки" is checked, 64 otherwise; the header
    // column keeps its width.
    void chbNarrowCellsClick();

    QTableView* sgCells() const { return sgCells_; }
    QCheckBox* chbNarrowCells() const { return chbNarrowCells_; }
    PhaseMatrixModel* model() const { return model_; }

private:
    QTableView* sgCells_;
    QCheckBox* chbNarrowCells_;
    QPushButton* bitBtn1_;
    PhaseMatrixModel* model_;
};

}  // namespace gui
