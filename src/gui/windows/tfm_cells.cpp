#include "gui/windows/tfm_cells.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "calc/phase_matrix.h"
#include "gui/models/phase_matrix_model.h"
#include "gui/widgets/matrix_cell_delegate.h"
#include "gui/widgets/matrix_header_view.h"
#include "results/matrix_cell.h"

namespace gui {

namespace {

// Draws the view's corner button as the fixed cell (0, 0) of the matrix (" Y/X").
class CornerPainter : public QObject {
public:
    CornerPainter(QAbstractButton* corner, const PhaseMatrixModel* model)
        : QObject(corner), corner_(corner), model_(model) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != corner_ || event->type() != QEvent::Paint) return false;
        QPainter painter(corner_);
        paintMatrixCell(&painter, corner_->rect(), model_->cornerText(), results::MatrixCellStyle::Header,
                        corner_->palette(), corner_->font());
        return true;
    }

private:
    QAbstractButton* corner_;
    const PhaseMatrixModel* model_;
};

// Puts the cursor back however the command ends.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TfmCells::TfmCells(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("fmCells");
    setWindowTitle(tr("Матричная форма представления фазовой диаграммы"));
    resize(700, 500);
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);

    model_ = new PhaseMatrixModel(this);
    sgCells_ = new QTableView(this);
    sgCells_->setObjectName("sgCells");
    sgCells_->setHorizontalHeader(new MatrixHeaderView(Qt::Horizontal, sgCells_));
    sgCells_->setVerticalHeader(new MatrixHeaderView(Qt::Vertical, sgCells_));
    sgCells_->setModel(model_);
    sgCells_->setItemDelegate(new MatrixCellDelegate(sgCells_));
    sgCells_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgCells_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sgCells_->setShowGrid(true);
    sgCells_->setWordWrap(false);
    sgCells_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    sgCells_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    sgCells_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgCells_->horizontalHeader()->setMinimumSectionSize(4);
    sgCells_->horizontalHeader()->setFixedHeight(kRowHeight);
    sgCells_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgCells_->verticalHeader()->setMinimumSectionSize(4);
    sgCells_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    sgCells_->verticalHeader()->setFixedWidth(kWideWidth);
    if (auto* corner = sgCells_->findChild<QAbstractButton*>())
        corner->installEventFilter(new CornerPainter(corner, model_));

    chbNarrowCells_ = new QCheckBox(tr("Сжать ячейки"), this);
    chbNarrowCells_->setObjectName("chbNarrowCells");
    connect(chbNarrowCells_, &QCheckBox::clicked, this, &TfmCells::chbNarrowCellsClick);
    bitBtn1_ = new QPushButton(tr("Закрыть"), this);
    connect(bitBtn1_, &QPushButton::clicked, this, &QWidget::close);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(50);
    auto* bottom = new QHBoxLayout(panel);
    bottom->addWidget(chbNarrowCells_);
    bottom->addStretch();
    bottom->addWidget(bitBtn1_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sgCells_, 1);
    layout->addWidget(panel);
}

void TfmCells::showMatrix(const calc::PhaseMatrix* matrix) {
    WaitCursor wait;
    if (matrix)
        model_->fill(*matrix);
    else
        model_->clear();
    chbNarrowCells_->setChecked(true);
    chbNarrowCellsClick();
    show();
    raise();
}

void TfmCells::chbNarrowCellsClick() {
    // Header section s shows matrix column s + 1; the matrix's column 0 is the vertical header.
    const bool narrow = chbNarrowCells_->isChecked();
    QHeaderView* header = sgCells_->horizontalHeader();
    header->setDefaultSectionSize(results::matrixColumnWidth(1, narrow).value_or(kWideWidth));
    for (int section = 0; section < header->count(); ++section)
        header->resizeSection(section, results::matrixColumnWidth(section + 1, narrow).value_or(kWideWidth));
}

}  // namespace gui
