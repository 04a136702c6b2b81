#include "ui/table_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include <algorithm>

#include "table/table_files.h"
#include "ui/sun_icon.h"
#include "ui/warning_box.h"

namespace {

constexpr int kPresetPercents[] = {80, 85, 90, 95};

// The inverse field's choices, in the order of calc::Target.
const QString kTargetNames[] = {QStringLiteral("容积(m³)"), QStringLiteral("充装率(%)"),
                                QStringLiteral("质量(t)")};

QString StandardSavePath(QWidget* parent, const QString& caption, const QString& path,
                         const QString& filter, const QString& suffix) {
    QFileDialog dialog(parent, caption, QFileInfo(path).absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(QFileInfo(path).fileName());
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

// A titled section of the window. Not a QGroupBox: the Fusion style draws a group box's frame from
// an image file, and loading the first image makes Qt load every image-format plugin, which costs
// the window's first paint more than all its widgets together.
QWidget* Section(const QString& title) {
    auto* section = new QFrame;
    section->setFrameShape(QFrame::StyledPanel);
    // The title in the window's own face and weight: a bold face would be one more CJK font to
    // load before the first paint.
    auto* caption = new QLabel(title, section);
    caption->setForegroundRole(QPalette::Highlight);
    auto* column = new QVBoxLayout(section);
    column->addWidget(caption);
    return section;
}

// The section's content goes under its title.
template <typename Layout> Layout* Content(QWidget* section) {
    auto* layout = new Layout;
    qobject_cast<QVBoxLayout*>(section->layout())->addLayout(layout);
    return layout;
}

void ShowWriteFailure(QWidget* parent, const QString& path, const QString& reason) {
    QString message = FromUtf8(table::FileWriteMessage) + QDir::toNativeSeparators(path);
    if (!reason.isEmpty()) {
        message += QLatin1Char('\n') + reason;
    }
    ShowWarning(parent, message);
}

} // namespace

TableWindow::TableWindow(QWidget* parent)
    : QWidget(parent), locale{QLocale::system().decimalPoint().toStdString()}, tableModel(locale) {
    setObjectName(QStringLiteral("TableWindow"));
    setWindowTitle(QStringLiteral("标准椭圆封头容器容量表"));
    // The window's icon for title bar and task switcher; the menu and docks take the 256 px one
    // from the icon theme, so the window need not convert and send it to the display at start.
    setWindowIcon(SunIcon({16, 32, 48}));

    // Inputs: the calculator's captions for the dimensions, then the table's own fields.
    QWidget* dimensions = Section(QStringLiteral("容器尺寸"));
    auto* dimensionForm = Content<QFormLayout>(dimensions);
    QWidget* header = Section(QStringLiteral("表头（可选）"));
    auto* headerForm = Content<QFormLayout>(header);
    struct Field {
        QLineEdit& edit;
        const char* name;
        QString caption;
        QFormLayout* form;
    };
    for (const Field& f : {
             Field{L, "L", QStringLiteral("容器缝对缝长度(mm)："), dimensionForm},
             Field{D, "D", QStringLiteral("容器外径(mm)："), dimensionForm},
             Field{Delta, "Delta", QStringLiteral("容器壁厚(mm):"), dimensionForm},
             Field{Hs, "Hs", QStringLiteral("封头直边高度(mm):"), dimensionForm},
             Field{Step, "Step", QStringLiteral("液位间隔(mm)："), dimensionForm},
             Field{Density, "Density", QStringLiteral("介质密度(kg/m³)："), dimensionForm},
             Field{Unit, "Unit", QStringLiteral("单位："), headerForm},
             Field{Tank, "Tank", QStringLiteral("罐号："), headerForm},
             Field{Certificate, "Certificate", QStringLiteral("证书编号："), headerForm},
         }) {
        f.edit.setObjectName(QLatin1String(f.name));
        f.form->addRow(f.caption, &f.edit);
    }
    Step.setText(FromUtf8(calc::NumberToText(10, locale)));
    Density.setPlaceholderText(QStringLiteral("不填则不计质量"));
    for (QLineEdit* edit : {&L, &D, &Delta, &Hs, &Step, &Density}) {
        connect(edit, &QLineEdit::returnPressed, this, &TableWindow::Generate_Click);
    }

    Generate.setObjectName(QStringLiteral("Generate"));
    Generate.setText(QStringLiteral("生成容量表"));
    connect(&Generate, &QPushButton::clicked, this, &TableWindow::Generate_Click);

    // The inverse: a target and its kind, the level found, and the common filling limits.
    QWidget* inverse = Section(QStringLiteral("反查液位"));
    auto* inverseLayout = Content<QGridLayout>(inverse);
    InverseKind.setObjectName(QStringLiteral("InverseKind"));
    for (const QString& name : kTargetNames) {
        InverseKind.addItem(name);
    }
    InverseValue.setObjectName(QStringLiteral("InverseValue"));
    InverseValue.setPlaceholderText(QStringLiteral("输入数值"));
    Inverse.setObjectName(QStringLiteral("Inverse"));
    Inverse.setText(QStringLiteral("反查"));
    InverseLevel.setObjectName(QStringLiteral("InverseLevel"));
    InverseLevel.setText(QStringLiteral("液位："));
    InverseLevel.setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(&Inverse, &QPushButton::clicked, this, &TableWindow::Inverse_Click);
    connect(&InverseValue, &QLineEdit::returnPressed, this, &TableWindow::Inverse_Click);
    inverseLayout->addWidget(&InverseKind, 0, 0);
    inverseLayout->addWidget(&InverseValue, 0, 1, 1, 2);
    inverseLayout->addWidget(&Inverse, 0, 3);
    inverseLayout->addWidget(&InverseLevel, 1, 0, 1, 4);
    for (int i = 0; i < 4; ++i) {
        const int percent = kPresetPercents[i];
        QPushButton& button = Presets[i];
        const QString text = FromUtf8(calc::NumberToText(percent, locale)) + QLatin1Char('%');
        button.setObjectName(QStringLiteral("Preset") + text.chopped(1));
        button.setText(text);
        button.setToolTip(QStringLiteral("充装率 ") + text + QStringLiteral(" 时的液位"));
        connect(&button, &QPushButton::clicked, this, [this, percent] { Preset_Click(percent); });
        inverseLayout->addWidget(&button, 2, i);
    }

    QWidget* output = Section(QStringLiteral("输出"));
    auto* outputLayout = Content<QGridLayout>(output);
    struct Action {
        QPushButton& button;
        const char* name;
        QString text;
        void (TableWindow::*slot)();
    };
    int position = 0;
    for (const Action& a : {
             Action{ExportExcel, "ExportExcel", QStringLiteral("导出Excel"),
                    &TableWindow::ExportExcel_Click},
             Action{ExportPdf, "ExportPdf", QStringLiteral("导出PDF"),
                    &TableWindow::ExportPdf_Click},
             Action{Print, "Print", QStringLiteral("打印"), &TableWindow::Print_Click},
             Action{Copy, "Copy", QStringLiteral("复制"), &TableWindow::Copy_Click},
         }) {
        a.button.setObjectName(QLatin1String(a.name));
        a.button.setText(a.text);
        connect(&a.button, &QPushButton::clicked, this, a.slot);
        outputLayout->addWidget(&a.button, position / 2, position % 2);
        ++position;
    }
    Copy.setToolTip(QStringLiteral("把整张表复制到剪贴板，可直接粘贴到 Excel 或 WPS"));

    auto* left = new QVBoxLayout;
    left->addWidget(dimensions);
    left->addWidget(header);
    left->addWidget(&Generate);
    left->addWidget(inverse);
    left->addWidget(output);
    left->addStretch(1);

    // The summary beside the table.
    QWidget* summary = Section(QStringLiteral("容器参数"));
    auto* summaryForm = Content<QFormLayout>(summary);
    struct Value {
        QLabel& label;
        const char* name;
        QString caption;
    };
    for (const Value& v : {
             Value{Di, "Di", QStringLiteral("内径 Di：")},
             Value{Vt, "Vt", QStringLiteral("总容积 Vt：")},
             Value{Cylinder, "Cylinder", QStringLiteral("筒体(含直边)：")},
             Value{Heads, "Heads", QStringLiteral("两封头：")},
             Value{Rows, "Rows", QStringLiteral("行数：")},
         }) {
        v.label.setObjectName(QLatin1String(v.name));
        v.label.setTextInteractionFlags(Qt::TextSelectableByMouse);
        v.label.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        summaryForm->addRow(v.caption, &v.label);
    }

    Table.setObjectName(QStringLiteral("Table"));
    Table.setModel(&tableModel);
    Table.setSelectionBehavior(QAbstractItemView::SelectRows);
    Table.setSelectionMode(QAbstractItemView::SingleSelection);
    Table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table.setAlternatingRowColors(true);
    Table.setWordWrap(false);
    Table.verticalHeader()->hide();
    // Fixed row heights and stretched columns: nothing measures all rows, so 100,000 rows scroll
    // as fast as ten.
    Table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Table.verticalHeader()->setMinimumSectionSize(1);
    Table.verticalHeader()->setDefaultSectionSize(Table.fontMetrics().height() + 6);
    Table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Table.setMinimumWidth(320);
    connect(Table.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TableWindow::RowSelected);

    auto* below = new QHBoxLayout;
    below->addWidget(&Table, 1);
    auto* summaryColumn = new QVBoxLayout;
    summaryColumn->addWidget(summary);
    summaryColumn->addStretch(1);
    below->addLayout(summaryColumn);

    auto* right = new QVBoxLayout;
    right->addWidget(&Drawing, 2);
    right->addLayout(below, 5);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    SetOutputsEnabled(false);
    resize(1120, 740);
    L.setFocus();

    askSavePath = [this](const QString& caption, const QString& name, const QString& filter) {
        return StandardSavePath(this, caption, QDir::home().filePath(name), filter,
                                QFileInfo(name).suffix());
    };
}

void TableWindow::SetOutputsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{&Inverse, &InverseValue, &ExportExcel,
                                                      &ExportPdf, &Print, &Copy}) {
        w->setEnabled(enabled);
    }
    for (QPushButton& b : Presets) {
        b.setEnabled(enabled);
    }
}

void TableWindow::Generate_Click() {
    const calc::TableInputs inputs{L.text().toStdString(),     D.text().toStdString(),
                                   Delta.text().toStdString(), Hs.text().toStdString(),
                                   Step.text().toStdString(),  Density.text().toStdString()};
    calc::TableOutcome made = calc::MakeLevelTable(inputs, locale);
    if (!made.warning.empty()) {
        // The table on show, if any, stays: it still matches its own summary and drawing.
        ShowWarning(this, FromUtf8(made.warning));
        return;
    }
    tableModel.setTable(std::move(made.table));
    const calc::LevelTable& t = tableModel.table();

    auto number = [this](double x) { return FromUtf8(calc::NumberToText(x, locale)); };
    auto volume = [this](double x) { return FromUtf8(calc::FixedText(x, 3, locale)); };
    const calc::VesselGeometry& g = t.vessel.geometry;
    Di.setText(number(g.Di) + QStringLiteral(" mm"));
    Vt.setText(number(t.vessel.Vt) + QStringLiteral(" m³"));
    Cylinder.setText(volume(t.cylinderVolume) + QStringLiteral(" m³"));
    Heads.setText(volume(t.headsVolume) + QStringLiteral(" m³"));
    Rows.setText(number(static_cast<double>(t.rows.size())));
    InverseLevel.setText(QStringLiteral("液位："));

    Drawing.setVessel(
        g, t.dimensions.Hs,
        QStringLiteral("按比例绘制　内径 Di %1 mm　筒体(含直边) %2 mm　封头深度 %3 mm")
            .arg(number(g.Di), number(g.Lt), number(g.h1)));
    SetOutputsEnabled(true);
    Table.setFocus();
    Table.selectRow(0);
}

void TableWindow::RowSelected(const QModelIndex& current) {
    if (!current.isValid() || !tableModel.hasTable()) {
        return;
    }
    const calc::TableRow& row = tableModel.table().rows.at(static_cast<std::size_t>(current.row()));
    Drawing.setLiquid(row.level,
                      QStringLiteral("液位 ") +
                          tableModel.cellText(current.row(), LevelTableModel::LevelColumn) +
                          QStringLiteral(" mm"),
                      QStringLiteral("容积 ") +
                          tableModel.cellText(current.row(), LevelTableModel::VolumeColumn) +
                          QStringLiteral(" m³"));
}

void TableWindow::ShowLevel(double level) {
    const std::vector<calc::TableRow>& rows = tableModel.table().rows;
    // The first row at or above the level: the row to read the level off in the table.
    const auto it = std::lower_bound(rows.begin(), rows.end(), level,
                                     [](const calc::TableRow& r, double h) { return r.level < h; });
    const int row = static_cast<int>(
        std::min<std::ptrdiff_t>(it - rows.begin(), static_cast<std::ptrdiff_t>(rows.size()) - 1));
    Table.selectRow(row);
    Table.scrollTo(tableModel.index(row, 0), QAbstractItemView::PositionAtCenter);

    const calc::VolumeOutcome volume = calc::VolumeAtLevel(tableModel.table().vessel, level);
    Drawing.setLiquid(level,
                      QStringLiteral("液位 ") + FromUtf8(calc::NumberToText(level, locale)) +
                          QStringLiteral(" mm"),
                      QStringLiteral("容积 ") + FromUtf8(calc::FixedText(volume.Vl, 3, locale)) +
                          QStringLiteral(" m³"));
}

void TableWindow::Inverse_Click() {
    if (!tableModel.hasTable()) {
        return;
    }
    const auto target = static_cast<calc::Target>(InverseKind.currentIndex());
    const calc::LevelOutcome found =
        calc::LevelFor(tableModel.table(), target, InverseValue.text().toStdString(), locale);
    if (!found.warning.empty()) {
        ShowWarning(this, FromUtf8(found.warning));
        return;
    }
    InverseLevel.setText(QStringLiteral("液位：") +
                         FromUtf8(calc::NumberToText(found.level, locale)) + QStringLiteral(" mm"));
    ShowLevel(found.level);
}

void TableWindow::Preset_Click(int percent) {
    InverseKind.setCurrentIndex(static_cast<int>(calc::Target::Percent));
    InverseValue.setText(FromUtf8(calc::NumberToText(percent, locale)));
    Inverse_Click();
}

TableDocument TableWindow::Document() const {
    return {tableModel.table(),
            {Unit.text().toStdString(), Tank.text().toStdString(), Certificate.text().toStdString(),
             table::LocalDateText()},
            locale};
}

QString TableWindow::SuggestedName(const QString& extension) const {
    QString tank = Tank.text().trimmed();
    for (QChar c : {u'/', u'\\', u':', u'*', u'?', u'"', u'<', u'>', u'|'}) {
        tank.replace(c, u'-');
    }
    return tank + QStringLiteral("容量表.") + extension;
}

void TableWindow::ExportExcel_Click() {
    if (!tableModel.hasTable()) {
        return;
    }
    const QString path =
        askSavePath(QStringLiteral("导出Excel"), SuggestedName(QStringLiteral("xlsx")),
                    QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty()) {
        return;
    }
    const TableDocument document = Document();
    const std::string failure =
        table::WriteXlsx(document.table, document.header, QFile::encodeName(path).toStdString());
    if (!failure.empty()) {
        ShowWarning(this, FromUtf8(failure)); // names the file
    }
}

void TableWindow::ExportPdf_Click() {
    if (!tableModel.hasTable()) {
        return;
    }
    const QString path =
        askSavePath(QStringLiteral("导出PDF"), SuggestedName(QStringLiteral("pdf")),
                    QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    if (const QString failure = WriteTablePdf(Document(), path); !failure.isEmpty()) {
        ShowWriteFailure(this, path, failure);
    }
}

void TableWindow::Print_Click() {
    if (!tableModel.hasTable()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    SetUpPage(printer);
    printer.setDocName(SuggestedName(QStringLiteral("pdf")).chopped(4));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印容量表"));
    // Every page is printed: the pages are laid out only when printing starts.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowWarning(this, QStringLiteral("无法打印：") + printer.printerName());
        return;
    }
    PaintTableDocument(Document(), painter, printer);
}

void TableWindow::Copy_Click() {
    if (!tableModel.hasTable()) {
        return;
    }
    QGuiApplication::clipboard()->setText(tableModel.tabSeparatedText());
}
