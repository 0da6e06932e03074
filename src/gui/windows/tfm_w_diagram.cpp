#include "gui/windows/tfm_w_diagram.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

#include "util/number_format.h"

namespace gui {

namespace {

// G of a composition outside a phase's window is a huge marker value; the chart still receives
// it, but the axis range follows the finite curve so the curves near the hull stay readable.
constexpr double kOutsideWindowG = 1e29;
constexpr int kReplotIntervalMs = 33;

// Bottom axis labels as "#,##0.##" at a fixed step.
class FixedStepTicker : public QCPAxisTickerFixed {
protected:
    QString getTickLabel(double tick, const QLocale& locale, QChar, int) override {
        const char separator = locale.decimalPoint().isEmpty() ? '.' : locale.decimalPoint().at(0).toLatin1();
        const char group = locale.groupSeparator().isEmpty() ? ' ' : locale.groupSeparator().at(0).toLatin1();
        return QString::fromStdString(util::formatPicture(tick, "#,##0.##", separator ? separator : '.',
                                                          group ? group : ' '));
    }
};

// The distinct colours a new series takes in turn.
const QColor kSeriesColours[] = {
    QColor(255, 0, 0),   QColor(0, 128, 0),   QColor(0, 0, 255),   QColor(255, 128, 0),
    QColor(128, 128, 128), QColor(255, 0, 255), QColor(0, 128, 128),
    QColor(0, 0, 128),   QColor(128, 0, 0),   QColor(0, 255, 0),   QColor(128, 0, 128),
};

}  // namespace

TfmWDiagram::TfmWDiagram(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("fmWDiagram");
    setWindowTitle(tr("Рабочая диаграмма"));
    resize(600, 450);

    chart_ = new QCustomPlot(this);
    chart_->setObjectName("Chart1");
    chart_->plotLayout()->insertRow(0);
    auto* title = new QCPTextElement(chart_, "       G", QFont(font().family(), font().pointSize(), -1, true));
    title->setTextColor(Qt::black);
    title->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    chart_->plotLayout()->addElement(0, 0, title);
    chart_->plotLayout()->addElement(2, 0, [this] {
        auto* foot = new QCPTextElement(chart_, "x");
        foot->setTextColor(Qt::black);
        foot->setTextFlags(Qt::AlignRight | Qt::AlignVCenter);
        return foot;
    }());
    const QPen dotted(QColor(128, 128, 128), 0, Qt::DotLine);
    for (QCPAxis* axis : {chart_->xAxis, chart_->yAxis}) axis->grid()->setPen(dotted);
    chart_->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new FixedStepTicker));
    setBottomAxisIncrement(0.1);
    chart_->axisRect()->setBackground(Qt::NoBrush);

    close_ = new QPushButton(tr("Закрыть"), this);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addLayout(bottom);

    replotTimer_.setSingleShot(true);
    connect(&replotTimer_, &QTimer::timeout, this, &TfmWDiagram::replotNow);
    sinceReplot_.start();
}

void TfmWDiagram::setBottomAxisIncrement(double step) {
    auto ticker = chart_->xAxis->ticker().dynamicCast<QCPAxisTickerFixed>();
    if (ticker && step > 0 && std::isfinite(step)) ticker->setTickStep(step);
}

void TfmWDiagram::resetChart(const std::vector<std::string>& solutionPhases) {
    chart_->clearGraphs();
    phaseSeries_.clear();
    convexSeries_ = nullptr;
    for (const std::string& name : solutionPhases) {
        QCPGraph* series = chart_->addGraph();
        series->setName(QString::fromStdString(name));
        series->setPen(QPen(kSeriesColours[phaseSeries_.size() % std::size(kSeriesColours)], 1));
        phaseSeries_.push_back(series);
    }
    dirty_ = true;
    replotNow();
}

void TfmWDiagram::addConvexSeries() {
    convexSeries_ = chart_->addGraph();
    convexSeries_->setName("Convex");
    const size_t n = phaseSeries_.size();
    convexSeries_->setPen(QPen(kSeriesColours[n % std::size(kSeriesColours)], 1));
}

void TfmWDiagram::showRow(const std::vector<Curve>& curves, const std::vector<double>& hullX,
                          const std::vector<double>& hullG) {
    double gLow = HUGE_VAL;
    double gHigh = -HUGE_VAL;
    double xLow = HUGE_VAL;
    double xHigh = -HUGE_VAL;
    auto extend = [&](const std::vector<double>& x, const std::vector<double>& g) {
        for (size_t i = 0; i < x.size() && i < g.size(); ++i) {
            xLow = std::min(xLow, x[i]);
            xHigh = std::max(xHigh, x[i]);
            if (std::isfinite(g[i]) && std::fabs(g[i]) < kOutsideWindowG) {
                gLow = std::min(gLow, g[i]);
                gHigh = std::max(gHigh, g[i]);
            }
        }
    };
    auto fill = [](QCPGraph* series, const std::vector<double>& x, const std::vector<double>& g) {
        const qsizetype n = static_cast<qsizetype>(std::min(x.size(), g.size()));
        series->setData(QVector<double>(x.begin(), x.begin() + n), QVector<double>(g.begin(), g.begin() + n));
    };
    for (size_t i = 0; i < phaseSeries_.size(); ++i) {
        if (i < curves.size()) {
            fill(phaseSeries_[i], curves[i].x, curves[i].g);
            extend(curves[i].x, curves[i].g);
        } else {
            phaseSeries_[i]->data()->clear();
        }
    }
    if (convexSeries_) {
        fill(convexSeries_, hullX, hullG);
        extend(hullX, hullG);
    }
    if (gLow <= gHigh) {
        const double margin = gHigh > gLow ? (gHigh - gLow) * 0.05 : std::max(1.0, std::fabs(gLow) * 0.05);
        gLow_ = gLow - margin;
        gHigh_ = gHigh + margin;
    }
    if (xLow < xHigh) {
        xLow_ = xLow;
        xHigh_ = xHigh;
    }
    dirty_ = true;
    const qint64 elapsed = sinceReplot_.elapsed();
    if (elapsed >= kReplotIntervalMs) {
        replotNow();
    } else if (!replotTimer_.isActive()) {
        replotTimer_.start(static_cast<int>(kReplotIntervalMs - elapsed));
    }
}

void TfmWDiagram::flush() {
    if (dirty_) replotNow();
}

void TfmWDiagram::replotNow() {
    replotTimer_.stop();
    if (!dirty_) return;
    dirty_ = false;
    chart_->xAxis->setRange(xLow_, xHigh_);
    if (gLow_ < gHigh_) chart_->yAxis->setRange(gLow_, gHigh_);
    if (isVisible()) chart_->replot(QCustomPlot::rpQueuedReplot);
    ++replots_;
    sinceReplot_.restart();
}

}  // namespace gui
