#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "results/chart_settings.h"

namespace gui {

// The modal editor of the diagram's appearance ("Ред. график"): title and foot texts, the two
// axis ranges (automatic or fixed), the grid, and for each kind of series its visibility, colour,
// marker and marker size. It edits a copy; the caller applies settings() when exec() accepted.
class ChartEditor : public QDialog {
    Q_OBJECT
public:
    explicit ChartEditor(const results::ChartSettings& settings, QWidget* parent = nullptr);
    results::ChartSettings settings() const;

    struct AxisControls {
        QCheckBox* automatic = nullptr;
        QDoubleSpinBox* min = nullptr;
        QDoubleSpinBox* max = nullptr;
    };
    struct SeriesControls {
        QCheckBox* visible = nullptr;
        QPushButton* color = nullptr;
        QComboBox* marker = nullptr;
        QDoubleSpinBox* size = nullptr;
    };

    QLineEdit* edTitle = nullptr;
    QLineEdit* edFoot = nullptr;
    AxisControls bottom;
    AxisControls left;
    QCheckBox* chbGrid = nullptr;
    std::array<SeriesControls, 4> series;  // by results::DiagramSeriesKind

public slots:
    void accept() override;

private:
    void chooseColor(size_t index);
    void showColor(size_t index);

    results::ChartSettings settings_;
};

}  // namespace gui
