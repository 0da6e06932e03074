// Pictures of the diagram: the files other programs open must parse and hold the series and labels.
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "gui/plot/diagram_export.h"
#include "gui/plot/diagram_plot.h"
#include "gui/plot/render_diagram.h"
#include "util/errors.h"

namespace {

results::DiagramContent content() {
    using Kind = results::DiagramSeriesKind;
    results::DiagramContent c;
    c.title = "T, K";
    c.foot = "x(Sn)";
    c.series = {{Kind::Boundaries, "Границы фаз", {0.1, 0.2, 0.3, 0.7}, {500, 480, 456, 456}},
                {Kind::SpecialPoints, "Особые точки", {0.2, 0.6, 0.9}, {456, 456, 456}},
                {Kind::NodeLine, "Нода при 456K", {0.2, 0.9}, {456, 456}},
                {Kind::Experiment, "Экспериментальные данные", {0.5, 0.6, 0.65}, {470, 460, 500}}};
    return c;
}

struct SvgFacts {
    QString error;
    QStringList description;
    QStringList texts;
};

SvgFacts readSvg(const QByteArray& bytes) {
    SvgFacts facts;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("desc"))
            facts.description = xml.readElementText().split('\n', Qt::SkipEmptyParts);
        else if (xml.name() == QLatin1String("text"))
            facts.texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    if (xml.hasError()) facts.error = xml.errorString();
    return facts;
}

}  // namespace

class DiagramExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    plot::DiagramPlot chart;

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        chart.resize(800, 600);
        chart.setContent(content());
        chart.setTitleText("T, K");
        chart.setFootText("x(Sn)");
        chart.replot();
        chart.addRegionLabel(QPoint(300, 200), "L+Sn", QFont("DejaVu Sans", 10), Qt::black);
    }

    void svgIsXmlWithEverySeriesAndTheLabels() {
        const QString path = dir.filePath("diagram.svg");
        plot::savePicture(chart, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const SvgFacts svg = readSvg(file.readAll());
        QCOMPARE(svg.error, QString());
        QCOMPARE(svg.description,
                 QStringList({"Границы фаз", "Особые точки", "Нода при 456K", "Экспериментальные данные"}));
        QVERIFY(svg.texts.contains("L+Sn"));
        QVERIFY(svg.texts.contains("x(Sn)"));
    }

    void pdfAndPngHaveTheirSignaturesAndSizes() {
        const QString pdf = dir.filePath("diagram.pdf");
        plot::savePicture(chart, pdf);
        QFile pdfFile(pdf);
        QVERIFY(pdfFile.open(QIODevice::ReadOnly));
        const QByteArray pdfBytes = pdfFile.readAll();
        QVERIFY(pdfBytes.startsWith("%PDF-"));
        QVERIFY(pdfBytes.trimmed().endsWith("%%EOF"));
        QVERIFY(pdfBytes.size() > 2000);

        struct Case {
            int dpi;
            QSize size;
        };
        for (const Case& c : {Case{300, QSize(2500, 1875)}, Case{96, QSize(800, 600)}}) {
            const QString png = dir.filePath(QString("diagram%1.png").arg(c.dpi));
            plot::savePicture(chart, png, c.dpi);
            QFile pngFile(png);
            QVERIFY(pngFile.open(QIODevice::ReadOnly));
            QVERIFY(pngFile.read(8) == QByteArray("\x89PNG\r\n\x1a\n"));
            const QImage image(png);
            QCOMPARE(image.size(), c.size);
            QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), c.dpi);
        }
    }

    void csvAndTheOffscreenRendererShareTheChart() {
        const QString csv = dir.filePath("points.csv");
        plot::savePicture(chart, csv);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 1 + 4 + 3 + 2 + 3 + 1);  // header, points, nothing after the last CR LF
        QCOMPARE(lines[1], QByteArray("\xC3\xF0\xE0\xED\xE8\xF6\xFB \xF4\xE0\xE7,0.1,500\r"));

        const std::string png = dir.filePath("rendered.png").toStdString();
        plot::renderDiagramFile(content(), results::ChartSettings{}, png, {640, 480, 150});
        QCOMPARE(QImage(QString::fromStdString(png)).size(), QSize(1000, 750));

        QString error;
        try {
            plot::savePicture(chart, dir.filePath("diagram.bmp"));
        } catch (const util::Error& e) {
            error = e.what();
        }
        QVERIFY(error.startsWith("Unknown picture type"));
        QVERIFY(!QFile::exists(dir.filePath("diagram.bmp")));
    }
};

QTEST_MAIN(DiagramExportTest)
#include "diagram_export_test.moc"
