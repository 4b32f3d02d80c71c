// The rating chart of the largest table, 10 000 rows of two results,
// painted into an image of 1200 x 800 pixels as the dialog redraws it,
// once without and once with the row under the mouse. A redraw should take
// at most 16 ms (one frame).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>

#include "gui/rating/RatingChartPainter.h"

namespace {

using dralun::RatingTable;

// Q and v over the depth of a channel-like section, with a gap of refused
// rows in the middle so that the lines break once.
RatingTable LargestTable()
{
    RatingTable table;
    table.form = 143;
    table.varied = {1004, "t", "Wassertiefe t", "m"};
    table.columns = {{1018, "Q", "Q", "m³/s"}, {1016, "v", "v", "m/s"}};
    table.request.vary = 1004;
    table.request.from = 0.01;
    table.request.to = 3;
    table.request.rows = dralun::kMostRatingRows;
    table.current = 0.5;
    for (int i = 0; i < dralun::kMostRatingRows; ++i) {
        dralun::RatingRow row;
        row.input = 0.01 + (3 - 0.01) * i / (dralun::kMostRatingRows - 1);
        const double v = 0.8 * std::pow(row.input, 2.0 / 3.0);
        const double Q = v * (0.5 * row.input + 1.5 * row.input * row.input);
        char text[32];
        std::snprintf(text, sizeof text, "%.15g", row.input);
        row.inputText = text;
        if (i >= 4000 && i < 4010) {
            row.refused = "Unzulässige Eingabe!";
        } else {
            row.values = {Q, v};
            for (double value : row.values) {
                std::snprintf(text, sizeof text, "%.15g", value);
                row.texts.emplace_back(text);
            }
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

void Redraw(benchmark::State& state, bool hover)
{
    const RatingTable table = LargestTable();
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        dralun::PaintRatingChart(painter, QRectF(0, 0, 1200, 800), table,
                                 hover ? std::optional<int>(6000) : std::nullopt);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_RatingChart10000Rows(benchmark::State& state) { Redraw(state, false); }
void BM_RatingChart10000RowsWithHover(benchmark::State& state) { Redraw(state, true); }

} // namespace

BENCHMARK(BM_RatingChart10000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RatingChart10000RowsWithHover)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
