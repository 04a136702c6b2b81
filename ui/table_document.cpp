#include "ui/table_document.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <array>

#include "ui/warning_box.h"

namespace {

// Qt embeds a TrueType face in a PDF as text with its Unicode map; the WenQuanYi faces map every
// glyph back to the character drawn (a CFF CJK face may map 页 to the radical ⻚, and the text a
// reader copies or searches for comes out wrong). Screens use whichever face is there.
QFont DocumentFont(double points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

constexpr double kTitleHeight = 10; // mm
constexpr double kInfoLineHeight = 5.5;
constexpr int kInfoLines = 4;
constexpr double kHeaderGap = 3;
constexpr double kColumnHeaderHeight = 7;
constexpr double kRowHeight = 5;
constexpr double kFooterHeight = 8;
constexpr int kPairs = 3;
constexpr double kCellPadding = 2.5;

// The page in device pixels, with the table's rows per column.
struct PageGeometry {
    double mm; // device pixels per millimetre
    double width, height;
    double tableTop; // the column headers' top
    int rowsPerColumn;

    [[nodiscard]] int slotsPerPage() const { return rowsPerColumn * kPairs; }
};

PageGeometry Geometry(const QPagedPaintDevice& device) {
    PageGeometry g{};
    g.mm = device.logicalDpiY() / 25.4;
    g.width = device.width();
    g.height = device.height();
    g.tableTop = (kTitleHeight + kInfoLines * kInfoLineHeight + kHeaderGap) * g.mm;
    const double body = g.height - g.tableTop - (kColumnHeaderHeight + kFooterHeight) * g.mm;
    g.rowsPerColumn = std::max(1, static_cast<int>(body / (kRowHeight * g.mm)));
    return g;
}

// The table's rows and then the "表结束" slot.
int SlotCount(const TableDocument& document) {
    return static_cast<int>(document.table.rows.size()) + 1;
}

QString Number(double x, const TableDocument& d) {
    return FromUtf8(calc::NumberToText(x, d.locale));
}

void PaintHeader(const TableDocument& d, QPainter& p, const PageGeometry& g,
                 const std::array<QFont, 3>& fonts) {
    p.setFont(fonts[0]);
    p.drawText(QRectF(0, 0, g.width, kTitleHeight * g.mm), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("卧式容器容量表"));

    p.setFont(fonts[1]);
    const calc::LevelTable& t = d.table;
    const QString mm = QStringLiteral(" mm");
    const calc::VesselDimensions& v = t.dimensions;
    const std::array<std::array<QString, 4>, 3> lines = {{
        {QStringLiteral("单位：") + FromUtf8(d.header.unit),
         {},
         QStringLiteral("罐号：") + FromUtf8(d.header.tank),
         QStringLiteral("证书编号：") + FromUtf8(d.header.certificate)},
        {QStringLiteral("缝对缝长度 L：") + Number(v.L, d) + mm,
         QStringLiteral("外径 D：") + Number(v.D, d) + mm,
         QStringLiteral("壁厚 δ：") + Number(v.Delta, d) + mm,
         QStringLiteral("直边高度 Hs：") + Number(v.Hs, d) + mm},
        {QStringLiteral("内径 Di：") + Number(t.vessel.geometry.Di, d) + mm,
         QStringLiteral("总容积 Vt：") + Number(t.vessel.Vt, d) + QStringLiteral(" m³"),
         QStringLiteral("液位间隔：") + Number(t.step, d) + mm,
         t.density ? QStringLiteral("介质密度：") + Number(*t.density, d) + QStringLiteral(" kg/m³")
                   : QString()},
    }};
    double y = kTitleHeight * g.mm;
    const double line = kInfoLineHeight * g.mm;
    // Four columns; a text runs on over the next column when that one is empty (单位 is often
    // a long name).
    const double columnWidth = g.width / 4;
    for (const auto& texts : lines) {
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const double span = c + 1 < texts.size() && texts[c + 1].isEmpty() ? 2 : 1;
            p.drawText(QRectF(static_cast<double>(c) * columnWidth, y, span * columnWidth, line),
                       Qt::AlignLeft | Qt::AlignVCenter, texts[c]);
        }
        y += line;
    }
    p.drawText(QRectF(0, y, g.width, line), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("计算依据：标准椭圆封头，封头深度 Di/4；π 取 3.14"));
    p.drawText(QRectF(0, y, g.width, line), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("日期：") + FromUtf8(d.header.date));
    y += line + kHeaderGap * g.mm / 2;
    p.setPen(QPen(Qt::black, 0.3 * g.mm));
    p.drawLine(QPointF(0, y), QPointF(g.width, y));
}

void PaintRows(const TableDocument& d, QPainter& p, const PageGeometry& g, int page,
               const std::array<QFont, 3>& fonts) {
    const int first = page * g.slotsPerPage();
    const int slotTotal = SlotCount(d);
    const double pairWidth = g.width / kPairs;
    const double cellWidth = pairWidth / 2;
    const double headerHeight = kColumnHeaderHeight * g.mm;
    const double rowHeight = kRowHeight * g.mm;
    const double padding = kCellPadding * g.mm;
    const QPen thin(QColor(140, 140, 140), 0.1 * g.mm);
    const QPen frame(Qt::black, 0.25 * g.mm);

    for (int pair = 0; pair < kPairs; ++pair) {
        const int start = first + pair * g.rowsPerColumn;
        const int used = std::clamp(slotTotal - start, 0, g.rowsPerColumn);
        if (used == 0) {
            break;
        }
        const double x = pair * pairWidth;
        const double bodyTop = g.tableTop + headerHeight;
        const double bottom = bodyTop + used * rowHeight;

        p.setFont(fonts[1]);
        p.setPen(Qt::black);
        p.drawText(QRectF(x, g.tableTop, cellWidth, headerHeight), Qt::AlignCenter,
                   QStringLiteral("液位(mm)"));
        p.drawText(QRectF(x + cellWidth, g.tableTop, cellWidth, headerHeight), Qt::AlignCenter,
                   QStringLiteral("容积(m³)"));

        p.setPen(thin);
        for (int i = 1; i < used; ++i) {
            const double y = bodyTop + i * rowHeight;
            p.drawLine(QPointF(x, y), QPointF(x + pairWidth, y));
        }

        p.setFont(fonts[2]);
        p.setPen(Qt::black);
        for (int i = 0; i < used; ++i) {
            const int slot = start + i;
            const QRectF row(x, bodyTop + i * rowHeight, pairWidth, rowHeight);
            if (slot == slotTotal - 1) {
                p.drawText(row, Qt::AlignCenter, QStringLiteral("表结束"));
                continue;
            }
            const calc::TableRow& r = d.table.rows[static_cast<std::size_t>(slot)];
            p.drawText(QRectF(row.left(), row.top(), cellWidth - padding, rowHeight),
                       Qt::AlignRight | Qt::AlignVCenter, Number(r.level, d));
            p.drawText(QRectF(row.left() + cellWidth, row.top(), cellWidth - padding, rowHeight),
                       Qt::AlignRight | Qt::AlignVCenter,
                       FromUtf8(calc::FixedText(r.volume, 3, d.locale)));
        }

        p.setPen(frame);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(x, g.tableTop, pairWidth, bottom - g.tableTop));
        p.drawLine(QPointF(x, bodyTop), QPointF(x + pairWidth, bodyTop));
        p.drawLine(QPointF(x + cellWidth, g.tableTop), QPointF(x + cellWidth, bottom));
    }
}

} // namespace

void SetUpPage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

int PageCount(const TableDocument& document, const QPagedPaintDevice& device) {
    const int perPage = Geometry(device).slotsPerPage();
    return (SlotCount(document) + perPage - 1) / perPage;
}

void PaintTableDocument(const TableDocument& document, QPainter& painter,
                        QPagedPaintDevice& device) {
    const PageGeometry g = Geometry(device);
    const int pages = PageCount(document, device);
    const std::array<QFont, 3> fonts = {DocumentFont(16, true), DocumentFont(9.5), DocumentFont(9)};
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            device.newPage();
        }
        painter.save();
        PaintHeader(document, painter, g, fonts);
        PaintRows(document, painter, g, page, fonts);
        painter.setFont(fonts[1]);
        painter.setPen(Qt::black);
        // "第 N 页 共 M 页": page numbers are whole numbers, written as the calculation writes
        // them.
        painter.drawText(QRectF(0, g.height - kFooterHeight * g.mm, g.width, kFooterHeight * g.mm),
                         Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("第 %1 页 共 %2 页")
                             .arg(Number(page + 1, document), Number(pages, document)));
        painter.restore();
    }
}

QString WriteTablePdf(const TableDocument& document, const QString& path) {
    QSaveFile file(path);
    // Whatever went wrong is never an empty text.
    auto failure = [&file] {
        const QString reason = file.errorString();
        return reason.isEmpty() ? QStringLiteral("写入失败") : reason;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return failure();
    }
    {
        QPdfWriter writer(&file);
        SetUpPage(writer);
        writer.setTitle(QStringLiteral("卧式容器容量表"));
        writer.setCreator(QStringLiteral("Velmora"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return QStringLiteral("无法生成 PDF");
        }
        PaintTableDocument(document, painter, writer);
        painter.end();
    }
    if (!file.commit()) {
        return failure();
    }
    return {};
}
