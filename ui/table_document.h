#pragma once

// The printed 容量表 of one vessel, as Chinese tank tables are laid out: A4 portrait, on every page
// a header block (title, 单位, 罐号, 证书编号, the dimensions, Di, Vt, the basis of calculation and
// the date) and the footer "第 N 页 共 M 页", the rows in three column pairs of 液位(mm) |
// 容积(m³), and "表结束" after the last row. The same painting serves the PDF file and the printer.
// Needs a QGuiApplication; draws Chinese in a TrueType CJK face, so that a PDF embeds the glyphs as
// text.

#include <QString>

#include "calc/level_table.h"
#include "calc/number_text.h"
#include "table/table_files.h"

class QPagedPaintDevice;
class QPainter;

// A table with its header texts, numbers written with the locale's separator.
struct TableDocument {
    const calc::LevelTable& table;
    table::TableHeader header;
    calc::NumberLocale locale;
};

// Pages the document takes on a device of that page size, and the painting of all of them onto
// an active painter on the device (which starts on the first page).
int PageCount(const TableDocument& document, const QPagedPaintDevice& device);
void PaintTableDocument(const TableDocument& document, QPainter& painter,
                        QPagedPaintDevice& device);

// Sets the document's page: A4 portrait, margins 15 mm.
void SetUpPage(QPagedPaintDevice& device);

// Writes the document as a PDF file, replacing the file only once it is complete. Returns an
// empty text on success, else what went wrong.
QString WriteTablePdf(const TableDocument& document, const QString& path);
