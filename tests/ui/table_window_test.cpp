// The 容量表 window, driven headless. What the window adds to the calculation is tested here:
// that its table and summary show what the table calculation gives, its warnings, the inverse and
// its presets, the drawing following the selected level, the clipboard, and the files it writes.
// The table's numbers themselves are the calculation tests' business.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "calc/calculate.h"
#include "calc/level_table.h"
#include "tests/ui/answer_box.h"
#include "ui/form1.h"
#include "ui/table_document.h"
#include "ui/table_startup.h"
#include "ui/table_window.h"

namespace {

QString Sep() {
    return QLocale::system().decimalPoint();
}
calc::NumberLocale Locale() {
    return {Sep().toStdString()};
}
QString Text(const std::string& s) {
    return QString::fromStdString(s);
}
double Read(const QString& text) {
    return calc::ReadNumber(text.toStdString(), Locale()).value;
}

// Output of a poppler tool, which the test needs installed.
QString Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path) {
    const QString info = Poppler(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

class TableWindowTest : public QObject {
    Q_OBJECT

  private:
    TableWindow* window = nullptr;
    QTemporaryDir dir;
    QString askedName;
    QString answerPath;

    template <typename T> T* child(const char* name) {
        T* w = window->findChild<T*>(QLatin1String(name));
        if (!w) {
            qFatal("no child %s", name);
        }
        return w;
    }
    QTableView* table() { return child<QTableView>("Table"); }
    VesselDrawing* drawing() { return child<VesselDrawing>("drawing"); }

    // The dimensions, step and density, as typed.
    void fill(const QStringList& texts) {
        const char* names[] = {"L", "D", "Delta", "Hs", "Step", "Density"};
        for (int i = 0; i < 6; ++i) {
            child<QLineEdit>(names[i])->setText(texts.value(i));
        }
    }
    void fillReference(const QString& step = QStringLiteral("10"), const QString& density = {}) {
        fill({"5000", "2020", "10", "25", step, density});
    }

    BoxSeen generate() { return ClickAndAnswerBox(child<QPushButton>("Generate")); }

    static void verifyWarningBox(const BoxSeen& seen, const QString& message) {
        QVERIFY2(seen.found, "no warning box appeared");
        QCOMPARE(seen.title, QStringLiteral("错误提示"));
        QCOMPARE(seen.text, message);
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.buttonText, QStringLiteral("确定"));
    }

    // The liquid's colour is blue; the empty vessel and the background are not.
    static bool IsLiquid(const QColor& c) { return c.blue() > 150 && c.red() < 150; }

  private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void init() {
        window = new TableWindow;
        window->setSavePathQuestion([this](const QString&, const QString& name, const QString&) {
            askedName = name;
            return answerPath;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() {
        delete window;
        window = nullptr;
    }

    void windowLooksRight() {
        QCOMPARE(window->windowTitle(), QStringLiteral("标准椭圆封头容器容量表"));
        // The calculator's sun, pixel for pixel.
        const QIcon icon = window->windowIcon();
        Form1 calculator;
        for (const int side : {16, 32, 48}) {
            QVERIFY(icon.availableSizes().contains(QSize(side, side)));
            QCOMPARE(icon.pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32),
                     calculator.windowIcon().pixmap(side).toImage().convertToFormat(
                         QImage::Format_ARGB32));
        }
        // Resizable, laid out, and small enough for a 1024 x 768 screen at its minimum.
        QCOMPARE(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        QVERIFY(window->layout());
        const QSize minimum = window->minimumSizeHint();
        QVERIFY2(minimum.width() <= 1000 && minimum.height() <= 700,
                 qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
        QCOMPARE(child<QLineEdit>("Step")->text(), QStringLiteral("10"));
        // Nothing to invert or write before there is a table.
        for (const char* name :
             {"Inverse", "Preset90", "ExportExcel", "ExportPdf", "Print", "Copy"}) {
            QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
        }
    }

    void startUpNamesTheProgramAfterItsEntry() {
        SetUpTableApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.velmora.VelmoraTable"));
    }

    // Every row says what the calculator says for its level, in the user's separator.
    void rowsAgreeWithTheCalculator() {
        fillReference(QStringLiteral("10"), QStringLiteral("850"));
        QVERIFY(!generate().found);
        const LevelTableModel& model = window->model();
        QCOMPARE(model.rowCount(), 201);
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(child<QLabel>("Rows")->text(), QStringLiteral("201"));
        QCOMPARE(child<QLabel>("Vt")->text(), "17" + Sep() + "95 m³");
        QCOMPARE(child<QLabel>("Di")->text(), QStringLiteral("2000 mm"));
        const QString prefix = Text(std::string(calc::ResultPrefix));
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString level = model.cellText(row, LevelTableModel::LevelColumn);
            QCOMPARE(level, Text(calc::NumberToText(row * 10.0, Locale())));
            const calc::CalcOutcome shown =
                calc::Calculate({"5000", "2020", "10", "25", level.toStdString()}, Locale());
            QCOMPARE(shown.kind, calc::OutcomeKind::Result);
            const QString label = Text(shown.labelText);
            const QString calculated =
                label.mid(prefix.size(), label.indexOf("m3") - prefix.size());
            const QString volume = model.cellText(row, LevelTableModel::VolumeColumn);
            QCOMPARE(Read(volume), Read(calculated));
            // Three decimals always, so that the column lines up.
            QCOMPARE(volume.size() - volume.indexOf(Sep()), 4);
            QCOMPARE(model.data(model.index(row, 1), Qt::TextAlignmentRole).toInt() &
                         Qt::AlignRight,
                     int(Qt::AlignRight));
        }
        QCOMPARE(model.cellText(200, LevelTableModel::PercentColumn), "100" + Sep() + "00");
        QCOMPARE(model.cellText(200, LevelTableModel::MassColumn), "15" + Sep() + "258");
        QCOMPARE(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("质量(t)"));
    }

    void warnings_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::addRow("a dimension empty")
            << QStringList{"5000", "2020", "", "25", "10"} << "输入值不能为空!";
        QTest::addRow("inner diameter not positive")
            << QStringList{"5000", "20", "10", "25", "10"} << "容器内径不能小于0!";
        QTest::addRow("negative wall")
            << QStringList{"5000", "2020", "-1", "25", "10"} << "输入值不能为负数!";
        QTest::addRow("not a number")
            << QStringList{"5000", "2020", "10", "x", "10"} << "输入值必须为数字!";
        QTest::addRow("step zero")
            << QStringList{"5000", "2020", "10", "25", "0"} << Text(std::string(calc::StepMessage));
        QTest::addRow("density zero") << QStringList{"5000", "2020", "10", "25", "10", "0"}
                                      << Text(std::string(calc::DensityMessage));
        QTest::addRow("too many rows")
            << QStringList{"5000", "2020", "10", "25", "0" + Sep() + "01"}
            << Text(std::string(calc::TooManyRowsMessage));
    }
    void warnings() {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        fillReference(QStringLiteral("500"));
        QVERIFY(!generate().found);
        const QString Vt = child<QLabel>("Vt")->text();

        fill(fields);
        verifyWarningBox(generate(), message);
        // The previous table, its summary and drawing stay.
        QCOMPARE(window->model().rowCount(), 5);
        QCOMPARE(child<QLabel>("Vt")->text(), Vt);
        QVERIFY(drawing()->liquidLevel().has_value());
        QVERIFY(child<QPushButton>("Copy")->isEnabled());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void inverse_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("level");
        QTest::addRow("volume just above the middle row") << 0 << "8" + Sep() + "976"
                                                          << "1001";
        QTest::addRow("half full") << 1 << "50"
                                   << "1000";
        QTest::addRow("empty") << 0 << "0"
                               << "0";
        QTest::addRow("full, found by the calculation") << 1 << "100" << QString();
        QTest::addRow("mass, found by the calculation") << 2 << "7" + Sep() + "6295" << QString();
    }
    void inverse() {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(QString, level);
        fillReference(QStringLiteral("10"), QStringLiteral("850"));
        QVERIFY(!generate().found);
        child<QComboBox>("InverseKind")->setCurrentIndex(kind);
        child<QLineEdit>("InverseValue")->setText(value);
        if (level.isEmpty()) {
            level =
                Text(calc::NumberToText(calc::LevelFor(window->model().table(), calc::Target(kind),
                                                       value.toStdString(), Locale())
                                            .level,
                                        Locale()));
        }
        QVERIFY(!ClickAndAnswerBox(child<QPushButton>("Inverse")).found);
        QCOMPARE(child<QLabel>("InverseLevel")->text(), "液位：" + level + " mm");
        QCOMPARE(drawing()->liquidLevel().value_or(-1), Read(level));
        // The table shows the row at or just above the level.
        const int row = table()->currentIndex().row();
        QVERIFY(window->model().table().rows.at(std::size_t(row)).level >= Read(level));
        QVERIFY(row == 0 ||
                window->model().table().rows.at(std::size_t(row - 1)).level < Read(level));
    }

    void inverseWarnings_data() {
        QTest::addColumn<QString>("density");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addRow("above the capacity") << "" << 0 << "18";
        QTest::addRow("below zero") << "" << 1 << "-1";
        QTest::addRow("not a number") << "" << 0 << "abc";
        QTest::addRow("mass without a density") << "" << 2 << "1";
    }
    void inverseWarnings() {
        QFETCH(QString, density);
        QFETCH(int, kind);
        QFETCH(QString, value);
        fillReference(QStringLiteral("10"), density);
        QVERIFY(!generate().found);
        child<QPushButton>("Preset90")->click();
        const QString before = child<QLabel>("InverseLevel")->text();
        child<QComboBox>("InverseKind")->setCurrentIndex(kind);
        child<QLineEdit>("InverseValue")->setText(value);
        const calc::LevelOutcome expected = calc::LevelFor(
            window->model().table(), calc::Target(kind), value.toStdString(), Locale());
        QVERIFY(!expected.warning.empty());
        verifyWarningBox(ClickAndAnswerBox(child<QPushButton>("Inverse")),
                         Text(std::string(expected.warning)));
        QCOMPARE(child<QLabel>("InverseLevel")->text(), before);
    }

    void presetsFindTheFillingLimits() {
        fillReference();
        QVERIFY(!generate().found);
        for (int percent : {80, 85, 90, 95}) {
            child<QPushButton>(qPrintable(QStringLiteral("Preset%1").arg(percent)))->click();
            const calc::LevelOutcome expected =
                calc::LevelFor(window->model().table(), calc::Target::Percent, percent);
            QVERIFY(expected.warning.empty());
            QCOMPARE(child<QComboBox>("InverseKind")->currentText(), QStringLiteral("充装率(%)"));
            QCOMPARE(child<QLineEdit>("InverseValue")->text(),
                     Text(calc::NumberToText(percent, Locale())));
            QCOMPARE(child<QLabel>("InverseLevel")->text(),
                     "液位：" + Text(calc::NumberToText(expected.level, Locale())) + " mm");
            QCOMPARE(drawing()->liquidLevel().value_or(-1), expected.level);
            // The row shown is in view.
            const QRect rowRect = table()->visualRect(table()->currentIndex());
            QVERIFY(table()->viewport()->rect().contains(rowRect));
        }
    }

    void selectedRowMovesTheLiquid() {
        fillReference(QStringLiteral("500"));
        QVERIFY(!generate().found);
        QCOMPARE(drawing()->liquidLevel().value_or(-1), 0.0); // the first row, selected at once
        for (int row : {1, 3}) { // 500 mm and 1500 mm in a 2000 mm vessel
            table()->selectRow(row);
            const double level = window->model().table().rows.at(std::size_t(row)).level;
            QCOMPARE(drawing()->liquidLevel().value_or(-1), level);
            const QImage image = drawing()->grab().toImage();
            const QRectF end = drawing()->endViewRect();
            const double y = end.bottom() - level / 2000 * end.height();
            const int x = int(end.center().x()) + 3; // beside the centre line
            QVERIFY2(IsLiquid(image.pixelColor(x, int(y + 4))), "no liquid below the level");
            QVERIFY2(!IsLiquid(image.pixelColor(x, int(y - 4))), "liquid above the level");
        }
    }

    void drawingKeepsItsProportions() {
        fillReference();
        QVERIFY(!generate().found);
        const calc::VesselGeometry g = window->model().table().vessel.geometry;
        const double ratio = (g.h1 + g.Lt + g.h2) / g.Di;
        for (const QSize size : {QSize(900, 300), QSize(500, 400), QSize(1600, 250)}) {
            drawing()->resize(size);
            const QRectF side = drawing()->sideViewRect();
            const QRectF end = drawing()->endViewRect();
            QVERIFY(QRectF(drawing()->rect()).contains(side) &&
                    QRectF(drawing()->rect()).contains(end));
            QVERIFY(qAbs(side.width() / side.height() - ratio) < 1e-9);
            QVERIFY(qAbs(end.width() - end.height()) < 1e-9);
            QVERIFY(qAbs(end.height() - side.height()) < 1e-9);
        }
    }

    void copyPutsTheTableOnTheClipboard() {
        fillReference(QStringLiteral("500"), QStringLiteral("850"));
        QVERIFY(!generate().found);
        child<QPushButton>("Copy")->click();
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 7); // the header, five rows, and the final line end
        QCOMPARE(lines[0], QStringLiteral("液位高度(mm)\t容积(m³)\t充装率(%)\t质量(t)"));
        QCOMPARE(lines[1], "0\t0" + Sep() + "000\t0" + Sep() + "00\t0" + Sep() + "000");
        QCOMPARE(lines[5], "2000\t17" + Sep() + "950\t100" + Sep() + "00\t15" + Sep() + "258");
        QCOMPARE(lines[6], QString());
    }

    void pdfIsWrittenWhereTheUserSays() {
        fillReference();
        child<QLineEdit>("Tank")->setText(QStringLiteral("T-101"));
        child<QLineEdit>("Unit")->setText(QStringLiteral("某某石化公司"));
        QVERIFY(!generate().found);
        answerPath = dir.filePath(QStringLiteral("out.pdf"));
        QVERIFY(!ClickAndAnswerBox(child<QPushButton>("ExportPdf")).found);
        QCOMPARE(askedName, QStringLiteral("T-101容量表.pdf"));
        QCOMPARE(PdfPages(answerPath), 2); // 201 rows and 表结束 in three columns of 43
        // pdftotext keeps the words but not always the narrow blanks between them.
        const QString text = Poppler(QStringLiteral("pdftotext"), {answerPath, "-"})
                                 .remove(QRegularExpression(QStringLiteral("\\s")));
        for (const QString& expected :
             {QStringLiteral("卧式容器容量表"), QStringLiteral("单位：某某石化公司"),
              QStringLiteral("罐号：T-101"), QStringLiteral("第1页共2页"),
              QStringLiteral("第2页共2页"), QStringLiteral("表结束"), "17" + Sep() + "950",
              "总容积Vt：17" + Sep() + "95m³", QStringLiteral("π取3.14")}) {
            QVERIFY2(text.contains(expected), qPrintable(expected));
        }
    }

    void aFailedWriteNamesTheFile() {
        fillReference();
        QVERIFY(!generate().found);
        answerPath = dir.filePath(QStringLiteral("no such folder/out.pdf"));
        const BoxSeen seen = ClickAndAnswerBox(child<QPushButton>("ExportPdf"));
        QVERIFY(seen.found);
        QCOMPARE(seen.title, QStringLiteral("错误提示"));
        QVERIFY2(seen.text.startsWith("无法写入文件：" + answerPath), qPrintable(seen.text));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QVERIFY(!QFile::exists(answerPath));

        // A cancelled dialog writes nothing and says nothing.
        answerPath.clear();
        QVERIFY(!ClickAndAnswerBox(child<QPushButton>("ExportPdf")).found);
        QCOMPARE(askedName, QStringLiteral("容量表.pdf"));
    }

    void excelIsWrittenWhereTheUserSays() {
        fillReference();
        QVERIFY(!generate().found);
        answerPath = dir.filePath(QStringLiteral("out.xlsx"));
        QVERIFY(!ClickAndAnswerBox(child<QPushButton>("ExportExcel")).found);
        QCOMPARE(askedName, QStringLiteral("容量表.xlsx"));
        QFile file(answerPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("PK")); // a workbook is a zip archive

        answerPath = dir.filePath(QStringLiteral("no such folder/out.xlsx"));
        const BoxSeen seen = ClickAndAnswerBox(child<QPushButton>("ExportExcel"));
        QVERIFY(seen.found);
        QVERIFY2(seen.text.startsWith(QStringLiteral("无法写入文件：")) &&
                     seen.text.contains(QStringLiteral("out.xlsx")),
                 qPrintable(seen.text));
    }

    // velmora-table writes the same document without a window, and with no display at all.
    void pdfFromTheCommandLine() {
        const QString path = dir.filePath(QStringLiteral("cli.pdf"));
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QLatin1String(name));
        }
        program.setProcessEnvironment(env);
        const QStringList reference = {"--L", "5000", "--D", "2020", "--Delta", "10", "--Hs", "25"};
        program.start(QStringLiteral(VELMORA_TABLE_PROGRAM),
                      reference + QStringList{"--step", "1", "--tank", "T-7", "--output", path});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(PdfPages(path), (2001 + 1 + 128) / 129);
        const QString text = Poppler(QStringLiteral("pdftotext"), {path, "-"})
                                 .remove(QRegularExpression(QStringLiteral("\\s")));
        for (const QString& expected :
             {QStringLiteral("卧式容器容量表"), QStringLiteral("罐号：T-7"),
              QStringLiteral("第16页共16页"), QStringLiteral("表结束"),
              QStringLiteral("液位间隔：1mm"), QStringLiteral("10008.975"),
              QStringLiteral("200017.950")}) {
            QVERIFY2(text.contains(expected), qPrintable(expected));
        }
        // Every face embedded, none drawn as outlines (a Type 3 font).
        const QStringList fonts =
            Poppler(QStringLiteral("pdffonts"), {path}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts) {
            QVERIFY2(font.contains(QStringLiteral(" yes ")) && !font.contains("Type 3"),
                     qPrintable(font));
        }

        // A file that cannot be written is a warning, and nothing is left behind.
        const QString bad = dir.filePath(QStringLiteral("no such folder/cli.pdf"));
        program.start(QStringLiteral(VELMORA_TABLE_PROGRAM),
                      reference + QStringList{"--output", bad});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains("无法写入文件：" + bad));
        QVERIFY(!QFile::exists(bad));
    }

    // The printer gets the same pages as the PDF file.
    void printerAndPdfShareTheLayout() {
        const calc::TableOutcome made =
            calc::MakeLevelTable({"5000", "4020", "10", "25", "1", ""}, Locale());
        QVERIFY(made.warning.empty());
        const TableDocument document{made.table, {"", "", "", "2026年1月2日"}, Locale()};
        const QString pdf = dir.filePath(QStringLiteral("writer.pdf"));
        QCOMPARE(WriteTablePdf(document, pdf), QString());

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString printed = dir.filePath(QStringLiteral("printer.pdf"));
        printer.setOutputFileName(printed);
        SetUpPage(printer);
        QPainter painter(&printer);
        PaintTableDocument(document, painter, printer);
        painter.end();

        const int pages = PdfPages(pdf);
        QCOMPARE(pages, (4001 + 1 + 128) / 129);
        QCOMPARE(PdfPages(printed), pages);
        QCOMPARE(Poppler("pdftotext", {"-f", "32", printed, "-"}).simplified(),
                 Poppler("pdftotext", {"-f", "32", pdf, "-"}).simplified());
    }
};

QTEST_MAIN(TableWindowTest)
#include "table_window_test.moc"
