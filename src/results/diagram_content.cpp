#include "results/diagram_content.h"

#include <ostream>

#include "results/diagram_texts.h"
#include "results/node_grid.h"
#include "store/table.h"
#include "util/cp1251.h"
#include "util/number_format.h"

namespace results {

DiagramContent buildDiagramContent(const DiagramInputs& in) {
    DiagramContent content;
    content.title = diagramTitle(in.yCaption, in.yParameterIndex);
    content.foot = diagramFoot(in.xCaption, in.defaultFoot);
    content.gridXMin = in.gridXMin;
    content.gridXMax = in.gridXMax;
    content.gridYMin = in.gridYMin;
    content.gridYMax = in.gridYMax;

    DiagramSeries boundaries{DiagramSeriesKind::Boundaries, std::string(kBoundarySeriesTitle), {}, {}};
    boundaries.x.reserve(in.boundaries.size());
    boundaries.y.reserve(in.boundaries.size());
    for (const calc::TZPoint& p : in.boundaries) {
        boundaries.x.push_back(p.X);
        boundaries.y.push_back(p.Y);
    }
    content.series.push_back(std::move(boundaries));

    DiagramSeries special{DiagramSeriesKind::SpecialPoints, std::string(kSpecialPointSeriesTitle), {}, {}};
    if (in.special) {
        for (const SpecialPoints::ChartPoint& p : in.special->chartPoints()) {
            special.x.push_back(p.x);
            special.y.push_back(p.y);
        }
    }
    content.series.push_back(std::move(special));

    if (in.special) {
        for (const TNode& node : in.special->nodes())
            content.series.push_back({DiagramSeriesKind::NodeLine, nodeLineTitle(node.Y, in.decimalSeparator),
                                      {node.XLeft, node.XRight}, {node.Y, node.Y}});
    }

    if (!in.experiment.empty()) {
        DiagramSeries measured{DiagramSeriesKind::Experiment, std::string(kExperimentSeriesTitle), {}, {}};
        for (const ExperimentPoint& p : in.experiment) {
            measured.x.push_back(p.x);
            measured.y.push_back(p.y);
        }
        content.series.push_back(std::move(measured));
    }
    return content;
}

namespace {

double numberOf(const store::Value& value) {
    if (const double* d = std::get_if<double>(&value)) return *d;
    if (const std::int64_t* i = std::get_if<std::int64_t>(&value)) return static_cast<double>(*i);
    return 0;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::vector<ExperimentPoint> experimentPoints(const store::Table& table) {
    std::vector<ExperimentPoint> points;
    if (!table.active()) return points;
    const int xField = table.fieldIndex("X_value");
    const int yField = table.fieldIndex("Y_value");
    const int count = table.recordCount();
    points.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        points.push_back({numberOf(table.valueAt(row, xField)), numberOf(table.valueAt(row, yField))});
    return points;
}

void writeDiagramCsv(std::ostream& out, const DiagramContent& content) {
    out << "Series,X,Y\r\n";
    for (const DiagramSeries& series : content.series) {
        // Series titles are the program's own texts, all of which code page 1251 holds.
        const std::string title = csvField(util::utf8ToCp1251(series.title));
        for (size_t i = 0; i < series.x.size(); ++i)
            out << title << ',' << util::formatGeneral(series.x[i], '.') << ','
                << util::formatGeneral(series.y[i], '.') << "\r\n";
    }
}

}  // namespace results
