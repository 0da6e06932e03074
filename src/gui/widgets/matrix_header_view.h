#pragma once
#include <QHeaderView>

namespace gui {

// A header of the matrix view that draws its sections as the fixed cells of the matrix (button
// face, window text, the same text margins as the data cells) with the model's header texts.
class MatrixHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit MatrixHeaderView(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace gui
