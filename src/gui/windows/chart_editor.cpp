#include "gui/windows/chart_editor.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace gui {

namespace {

QColor colorOf(std::uint32_t rgb) { return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

const char* const kMarkerNames[] = {QT_TRANSLATE_NOOP("gui::ChartEditor", "нет"),
                                    QT_TRANSLATE_NOOP("gui::ChartEditor", "круг"),
                                    QT_TRANSLATE_NOOP("gui::ChartEditor", "квадрат"),
                                    QT_TRANSLATE_NOOP("gui::ChartEditor", "треугольник"),
                                    QT_TRANSLATE_NOOP("gui::ChartEditor", "ромб"),
                                    QT_TRANSLATE_NOOP("gui::ChartEditor", "крест"),
                                    QT_TRANSLATE_NOOP("gui::ChartEditor", "плюс")};

}  // namespace

ChartEditor::ChartEditor(const results::ChartSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(tr("Ред. график"));
    auto* layout = new QVBoxLayout(this);

    auto* texts = new QFormLayout;
    edTitle = new QLineEdit(QString::fromStdString(settings.title));
    edFoot = new QLineEdit(QString::fromStdString(settings.foot));
    texts->addRow(tr("Заголовок (ось Y):"), edTitle);
    texts->addRow(tr("Подпись внизу (ось X):"), edFoot);
    layout->addLayout(texts);

    auto* axes = new QGroupBox(tr("Оси"));
    auto* axesGrid = new QGridLayout(axes);
    axesGrid->addWidget(new QLabel(tr("от")), 0, 2);
    axesGrid->addWidget(new QLabel(tr("до")), 0, 3);
    auto addAxis = [&](AxisControls& controls, const results::AxisRange& range, const QString& name, int row) {
        controls.automatic = new QCheckBox(tr("автоматически"));
        controls.min = new QDoubleSpinBox;
        controls.max = new QDoubleSpinBox;
        for (QDoubleSpinBox* box : {controls.min, controls.max}) {
            box->setRange(-1e12, 1e12);
            box->setDecimals(6);
        }
        controls.min->setValue(range.min);
        controls.max->setValue(range.max);
        controls.automatic->setChecked(range.automatic);
        auto enable = [controls](bool automatic) {
            controls.min->setEnabled(!automatic);
            controls.max->setEnabled(!automatic);
        };
        enable(range.automatic);
        connect(controls.automatic, &QCheckBox::toggled, this, enable);
        axesGrid->addWidget(new QLabel(name), row, 0);
        axesGrid->addWidget(controls.automatic, row, 1);
        axesGrid->addWidget(controls.min, row, 2);
        axesGrid->addWidget(controls.max, row, 3);
    };
    addAxis(bottom, settings.bottom, tr("Ось X"), 1);
    addAxis(left, settings.left, tr("Ось Y"), 2);
    chbGrid = new QCheckBox(tr("Сетка"));
    chbGrid->setChecked(settings.grid);
    axesGrid->addWidget(chbGrid, 3, 0, 1, 2);
    layout->addWidget(axes);

    auto* seriesBox = new QGroupBox(tr("Серии"));
    auto* seriesGrid = new QGridLayout(seriesBox);
    const QString names[] = {tr("Границы фаз"), tr("Особые точки"), tr("Ноды"), tr("Экспериментальные данные")};
    seriesGrid->addWidget(new QLabel(tr("Маркер")), 0, 3);
    seriesGrid->addWidget(new QLabel(tr("Размер")), 0, 4);
    for (size_t i = 0; i < series.size(); ++i) {
        const results::SeriesStyle& style = settings.styles[i];
        SeriesControls& controls = series[i];
        const int row = static_cast<int>(i) + 1;
        controls.visible = new QCheckBox(names[i]);
        controls.visible->setChecked(style.visible);
        controls.color = new QPushButton;
        controls.color->setToolTip(tr("Цвет"));
        controls.marker = new QComboBox;
        for (const char* marker : kMarkerNames) controls.marker->addItem(tr(marker));
        controls.marker->setCurrentIndex(static_cast<int>(style.marker));
        controls.size = new QDoubleSpinBox;
        controls.size->setRange(1, 30);
        controls.size->setDecimals(1);
        controls.size->setValue(style.size);
        connect(controls.color, &QPushButton::clicked, this, [this, i] { chooseColor(i); });
        seriesGrid->addWidget(controls.visible, row, 0);
        seriesGrid->addWidget(controls.color, row, 2);
        seriesGrid->addWidget(controls.marker, row, 3);
        seriesGrid->addWidget(controls.size, row, 4);
        showColor(i);
    }
    layout->addWidget(seriesBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ChartEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ChartEditor::reject);
    layout->addWidget(buttons);
}

void ChartEditor::showColor(size_t index) {
    const QColor color = colorOf(settings_.styles[index].rgb);
    series[index].color->setText(color.name());
    series[index].color->setStyleSheet(QString("background-color: %1; color: %2")
                                           .arg(color.name(), color.lightness() < 128 ? "white" : "black"));
}

void ChartEditor::chooseColor(size_t index) {
    const QColor color = QColorDialog::getColor(colorOf(settings_.styles[index].rgb), this, tr("Цвет"));
    if (!color.isValid()) return;
    settings_.styles[index].rgb = static_cast<std::uint32_t>(color.rgb() & 0xFFFFFF);
    showColor(index);
}

results::ChartSettings ChartEditor::settings() const {
    results::ChartSettings result = settings_;
    result.title = edTitle->text().toStdString();
    result.foot = edFoot->text().toStdString();
    auto range = [](const AxisControls& controls) {
        return results::AxisRange{controls.automatic->isChecked(), controls.min->value(), controls.max->value()};
    };
    result.bottom = range(bottom);
    result.left = range(left);
    result.grid = chbGrid->isChecked();
    for (size_t i = 0; i < series.size(); ++i) {
        results::SeriesStyle& style = result.styles[i];
        style.visible = series[i].visible->isChecked();
        style.marker = static_cast<results::MarkerShape>(series[i].marker->currentIndex());
        style.size = series[i].size->value();
    }
    return result;
}

void ChartEditor::accept() {
    for (const AxisControls* axis : {&bottom, &left}) {
        if (!axis->automatic->isChecked() && !(axis->min->value() < axis->max->value())) {
            QMessageBox::warning(this, windowTitle(), tr("Начало оси должно быть меньше ее конца"));
            return;
        }
    }
    QDialog::accept();
}

}  // namespace gui
