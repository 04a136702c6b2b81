#pragma once

// The 容量表 written as files: CSV for scripts and spreadsheets, and an Excel workbook laid out for
// printing. Every writer replaces its target only with a complete new file (written beside it,
// then renamed over it) and leaves nothing behind when it fails; a failure is the warning
// FileWriteMessage followed by the target's name, success an empty text.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "calc/level_table.h"

namespace table {

inline constexpr std::string_view FileWriteMessage = "无法写入文件：";
inline constexpr std::string_view TableTitle = "卧式容器容量表";
inline constexpr std::string_view SheetName = "容量表";

// The texts of a table's header block, UTF-8; an empty one is left out.
struct TableHeader {
    std::string unit;        // 单位
    std::string tank;        // 罐号
    std::string certificate; // 证书编号
    std::string date;        // as LocalDateText writes it
};

// Today's date on this machine's clock and time zone, as "2024年5月1日".
std::string LocalDateText();

// The CSV file's bytes: a UTF-8 byte-order mark, the header line, one line per row, CRLF line
// ends; levels and volumes as the calculator writes them, percentages with two decimals and
// masses with three, always with ".".
std::string CsvText(const calc::LevelTable& table);

std::string WriteCsv(const calc::LevelTable& table, const std::filesystem::path& target);

// One sheet, SheetName: the title, the header block, then the table under a frozen header row
// that is repeated on every printed A4 page.
std::string WriteXlsx(const calc::LevelTable& table, const TableHeader& header,
                      const std::filesystem::path& target);

// Runs write on a new, empty temporary file beside target, then renames it over target. write
// returns false (or throws) when it could not write the whole file; the temporary file is then
// removed. Returns the warning, or an empty text when target now holds the new file.
std::string WriteAtomically(const std::filesystem::path& target,
                            const std::function<bool(const std::filesystem::path&)>& write);

} // namespace table
