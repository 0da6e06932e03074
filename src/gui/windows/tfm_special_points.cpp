#include "gui/windows/tfm_special_points.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace gui {

TfmSpecPoints::TfmSpecPoints(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("fmSpecPoints");
    setWindowTitle(tr("Координаты особых точек"));
    resize(540, 420);

    auto* groupBox1 = new QGroupBox(tr(" Ноды "), this);
    sgSpecPoints_ = new QTableWidget(1, 4, groupBox1);
    sgSpecPoints_->setObjectName("sgSpecPoints");
    sgSpecPoints_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgSpecPoints_->verticalHeader()->hide();
    sgSpecPoints_->horizontalHeader()->setDefaultSectionSize(120);
    sgSpecPoints_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sgSpecPoints_->horizontalHeader()->setSectionsClickable(false);

    auto* groupBox2 = new QGroupBox(tr(" Прочие особые точки  "), groupBox1);
    listBox1_ = new QListWidget(groupBox2);
    listBox1_->setObjectName("ListBox1");
    listBox1_->setUniformItemSizes(true);
    auto* otherLayout = new QVBoxLayout(groupBox2);
    otherLayout->addWidget(listBox1_);

    auto* nodesLayout = new QVBoxLayout(groupBox1);
    nodesLayout->addWidget(sgSpecPoints_, 1);
    nodesLayout->addWidget(groupBox2, 1);

    auto* close = new QPushButton(tr("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox1, 1);
    layout->addLayout(bottom);

    writeGrid({}, 0, results::NodeYFormat::Fixed, '.');
}

void TfmSpecPoints::fillNodes(const std::vector<results::TNode>& nodes, int yParameterIndex,
                              results::NodeYFormat yFormat, char decimalSeparator) {
    writeGrid(nodes, yParameterIndex, yFormat, decimalSeparator);
    show();
    raise();
}

void TfmSpecPoints::writeGrid(const std::vector<results::TNode>& nodes, int yParameterIndex,
                              results::NodeYFormat yFormat, char decimalSeparator) {
    const std::vector<results::NodeGridRow> grid = results::nodeGrid(nodes, yParameterIndex, yFormat, decimalSeparator);
    sgSpecPoints_->clearContents();
    sgSpecPoints_->setRowCount(static_cast<int>(grid.size()) - 1);
    QStringList headings;
    for (const std::string& heading : grid.front()) headings << QString::fromStdString(heading);
    sgSpecPoints_->setHorizontalHeaderLabels(headings);
    for (size_t r = 1; r < grid.size(); ++r)
        for (int c = 0; c < 4; ++c)
            sgSpecPoints_->setItem(static_cast<int>(r) - 1, c, new QTableWidgetItem(QString::fromStdString(grid[r][c])));
}

void TfmSpecPoints::showOtherPoints(const std::vector<results::SpecialPoints::OtherPoint>& points) {
    listBox1_->clear();
    for (const auto& point : points) listBox1_->addItem(QString::fromStdString(point.text));
}

int TfmSpecPoints::gridRowCount() const { return sgSpecPoints_->rowCount() + 1; }

QString TfmSpecPoints::gridText(int col, int row) const {
    if (row == 0) {
        const QTableWidgetItem* heading = sgSpecPoints_->horizontalHeaderItem(col);
        return heading ? heading->text() : QString();
    }
    const QTableWidgetItem* item = sgSpecPoints_->item(row - 1, col);
    return item ? item->text() : QString();
}

}  // namespace gui
