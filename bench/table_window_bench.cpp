// The 容量表 window's two heavy moments, on Qt's offscreen platform: a 1 mm table of a vessel of
// Di 4000 (4,001 rows) made and shown (from the click on 生成容量表 to the window repainted with
// it), and a 40-page PDF written. Prints the medians; exits 1 when one is over its target.

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ui/table_document.h"
#include "ui/table_window.h"

namespace {

template <typename F> double MedianMs(int runs, F&& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TableWindow window;
    window.show();
    const char* names[] = {"L", "D", "Delta", "Hs", "Step"};
    const char* texts[] = {"5000", "4020", "10", "25", "1"};
    for (int i = 0; i < 5; ++i) {
        window.findChild<QLineEdit*>(QLatin1String(names[i]))->setText(QLatin1String(texts[i]));
    }
    auto* generate = window.findChild<QPushButton*>(QStringLiteral("Generate"));
    QApplication::processEvents();
    const double shown = MedianMs(21, [&] {
        generate->click();
        window.repaint(); // paints at once, table and drawing included
    });
    const bool shownOk = window.model().rowCount() == 4001 && shown <= 100;

    const calc::TableOutcome made =
        calc::MakeLevelTable({"5000", "5120", "10", "25", "1", ""}, {"."});
    const TableDocument document{made.table, {"示例单位", "T-1", "RL-1", "2026年1月1日"}, {"."}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.pdf"));
    QPdfWriter probe(dir.filePath(QStringLiteral("probe.pdf")));
    SetUpPage(probe);
    const int pages = PageCount(document, probe);
    bool written = true;
    const double pdf =
        MedianMs(5, [&] { written = written && WriteTablePdf(document, path).isEmpty(); });
    const bool pdfOk = written && pages == 40 && pdf <= 2000;

    std::printf(
        "1 mm table of Di 4000 (%d rows) made and shown, median of 21: %.1f ms (target 100 ms)\n",
        window.model().rowCount(), shown);
    std::printf("PDF of %d pages (%zu rows) written, median of 5: %.0f ms (target 2000 ms)\n",
                pages, made.table.rows.size(), pdf);
    if (!shownOk || !pdfOk) {
        std::printf("FAIL: %s\n", !shownOk ? "the table took too long" : "the PDF took too long");
        return 1;
    }
    std::printf("both within their targets\n");
    return 0;
}
