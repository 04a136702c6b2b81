#include "table/table_files.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <random>
#include <system_error>
#include <vector>

namespace table {
namespace {

const calc::NumberLocale kPoint{"."};

std::string WriteFailure(const std::filesystem::path& target) {
    return std::string(FileWriteMessage) + target.string();
}

// Columns a text takes in a spreadsheet cell: two for a CJK character (three bytes in UTF-8),
// one for ASCII.
double DisplayWidth(std::string_view text) {
    double width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            width += 1;
        } else if (byte >= 0xE0) {
            width += 2;
        }
    }
    return width;
}

const char* const kLevelHeader = "液位高度(mm)";
const char* const kVolumeHeader = "容积(m3)";
const char* const kPercentHeader = "充装率(%)";
const char* const kMassHeader = "质量(t)";

// The sheet's contents, written cell by cell; false on the first cell libxlsxwriter refuses.
class SheetWriter {
  public:
    SheetWriter(lxw_workbook* book, lxw_worksheet* sheet) : book_(book), sheet_(sheet) {}

    lxw_format* Format(const char* numFormat, bool bold = false, double size = 0,
                       bool border = false) {
        lxw_format* f = workbook_add_format(book_);
        if (numFormat != nullptr) {
            format_set_num_format(f, numFormat);
        }
        if (bold) {
            format_set_bold(f);
        }
        if (size > 0) {
            format_set_font_size(f, size);
        }
        if (border) {
            format_set_border(f, LXW_BORDER_THIN);
            format_set_align(f, LXW_ALIGN_CENTER);
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        }
        return f;
    }

    void Check(lxw_error e) { ok_ = ok_ && e == LXW_NO_ERROR; }
    [[nodiscard]] bool ok() const { return ok_; }
    lxw_worksheet* sheet() { return sheet_; }

  private:
    lxw_workbook* book_;
    lxw_worksheet* sheet_;
    bool ok_ = true;
};

bool FillSheet(lxw_workbook* book, lxw_worksheet* sheet, const calc::LevelTable& table,
               const TableHeader& header) {
    SheetWriter w(book, sheet);
    const bool withMass = table.density.has_value();
    const auto lastCol = static_cast<lxw_col_t>(withMass ? 3 : 2);

    lxw_format* title = w.Format(nullptr, true, 16);
    format_set_align(title, LXW_ALIGN_CENTER);
    lxw_format* label = w.Format(nullptr);
    lxw_format* general = w.Format(nullptr);
    format_set_align(general, LXW_ALIGN_LEFT);
    lxw_format* volumeHead = w.Format("0.000");
    format_set_align(volumeHead, LXW_ALIGN_LEFT);
    lxw_format* columnHead = w.Format(nullptr, true, 0, true);
    format_set_text_wrap(columnHead);
    lxw_format* levelCell = w.Format(nullptr, false, 0, true);
    lxw_format* volumeCell = w.Format("0.000", false, 0, true);
    lxw_format* percentCell = w.Format("0.00", false, 0, true);
    lxw_format* massCell = w.Format("0.000", false, 0, true);
    for (lxw_format* f : {levelCell, volumeCell, percentCell, massCell}) {
        format_set_align(f, LXW_ALIGN_RIGHT);
    }

    lxw_row_t row = 0;
    w.Check(worksheet_merge_range(sheet, row, 0, row, lastCol, TableTitle.data(), title));
    w.Check(worksheet_set_row(sheet, row, 24, nullptr));
    row += 2;

    // The header block: a label over the first two columns, its value in the third.
    double labelWidth = 0;
    const auto text = [&](const char* name, const std::string& value) {
        if (value.empty()) {
            return;
        }
        w.Check(worksheet_merge_range(sheet, row, 0, row, 1, name, label));
        w.Check(worksheet_write_string(sheet, row, 2, value.c_str(), general));
        labelWidth = std::max(labelWidth, DisplayWidth(name));
        ++row;
    };
    const auto number = [&](const char* name, double value, lxw_format* format) {
        w.Check(worksheet_merge_range(sheet, row, 0, row, 1, name, label));
        w.Check(worksheet_write_number(sheet, row, 2, value, format));
        labelWidth = std::max(labelWidth, DisplayWidth(name));
        ++row;
    };
    text("单位", header.unit);
    text("罐号", header.tank);
    text("证书编号", header.certificate);
    number("容器缝对缝长度(mm)", table.dimensions.L, general);
    number("容器外径(mm)", table.dimensions.D, general);
    number("容器壁厚(mm)", table.dimensions.Delta, general);
    number("封头直边高度(mm)", table.dimensions.Hs, general);
    number("容器内径 Di(mm)", table.vessel.geometry.Di, general);
    number("总容积 Vt(m3)", table.vessel.Vt, volumeHead);
    number("筒体容积(含两直边)(m3)", table.cylinderVolume, volumeHead);
    number("两封头容积(m3)", table.headsVolume, volumeHead);
    number("液位间隔(mm)", table.step, general);
    if (withMass) {
        number("介质密度(kg/m3)", *table.density, general);
    }
    text("计算依据", "标准椭圆封头，封头深度为内径的1/4，π取3.14");
    text("日期", header.date);
    ++row;

    const lxw_row_t headRow = row;
    std::vector<const char*> heads = {kLevelHeader, kVolumeHeader, kPercentHeader};
    if (withMass) {
        heads.push_back(kMassHeader);
    }
    for (std::size_t c = 0; c < heads.size(); ++c) {
        w.Check(worksheet_write_string(sheet, headRow, static_cast<lxw_col_t>(c), heads[c],
                                       columnHead));
    }
    row = headRow + 1;
    for (const calc::TableRow& r : table.rows) {
        w.Check(worksheet_write_number(sheet, row, 0, r.level, levelCell));
        w.Check(worksheet_write_number(sheet, row, 1, r.volume, volumeCell));
        w.Check(worksheet_write_number(sheet, row, 2, r.percent, percentCell));
        if (withMass) {
            w.Check(worksheet_write_number(sheet, row, 3, r.mass, massCell));
        }
        ++row;
    }

    // Widths: each column fits its header and its numbers, the first two together the labels.
    std::array<double, 4> widths{};
    for (std::size_t c = 0; c < heads.size(); ++c) {
        widths[c] = std::max(DisplayWidth(heads[c]), 10.0) + 2;
    }
    if (widths[0] + widths[1] < labelWidth + 2) {
        widths[1] = labelWidth + 2 - widths[0];
    }
    for (std::size_t c = 0; c < heads.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        w.Check(worksheet_set_column(sheet, col, col, widths[c], nullptr));
    }

    worksheet_freeze_panes(sheet, headRow + 1, 0);
    w.Check(worksheet_repeat_rows(sheet, headRow, headRow));
    worksheet_set_paper(sheet, 9); // A4
    worksheet_set_portrait(sheet);
    worksheet_center_horizontally(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
    w.Check(worksheet_set_footer(sheet, "&C第 &P 页 共 &N 页"));
    return w.ok();
}

bool WriteXlsxFile(const calc::LevelTable& table, const TableHeader& header,
                   const std::filesystem::path& path) {
    const std::string name = path.string();
    lxw_workbook* book = workbook_new(name.c_str());
    if (book == nullptr) {
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, SheetName.data());
    const bool filled = sheet != nullptr && FillSheet(book, sheet, table, header);
    const lxw_error closed = workbook_close(book); // frees the workbook in every case
    return filled && closed == LXW_NO_ERROR;
}

} // namespace

std::string LocalDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return std::to_string(local.tm_year + 1900) + "年" + std::to_string(local.tm_mon + 1) + "月" +
           std::to_string(local.tm_mday) + "日";
}

std::string CsvText(const calc::LevelTable& table) {
    const bool withMass = table.density.has_value();
    std::string csv;
    csv.reserve(64 + table.rows.size() * 40);
    csv += "\xEF\xBB\xBF";
    csv += kLevelHeader;
    csv += ',';
    csv += kVolumeHeader;
    csv += ',';
    csv += kPercentHeader;
    if (withMass) {
        csv += ',';
        csv += kMassHeader;
    }
    csv += "\r\n";
    for (const calc::TableRow& r : table.rows) {
        csv += calc::NumberToText(r.level, kPoint);
        csv += ',';
        csv += calc::NumberToText(r.volume, kPoint);
        csv += ',';
        csv += calc::FixedText(r.percent, 2, kPoint);
        if (withMass) {
            csv += ',';
            csv += calc::FixedText(r.mass, 3, kPoint);
        }
        csv += "\r\n";
    }
    return csv;
}

std::string WriteCsv(const calc::LevelTable& table, const std::filesystem::path& target) {
    const std::string csv = CsvText(table);
    return WriteAtomically(target, [&](const std::filesystem::path& path) {
        std::FILE* f = std::fopen(path.string().c_str(), "wb");
        if (f == nullptr) {
            return false;
        }
        const bool written = std::fwrite(csv.data(), 1, csv.size(), f) == csv.size();
        return std::fclose(f) == 0 && written;
    });
}

std::string WriteXlsx(const calc::LevelTable& table, const TableHeader& header,
                      const std::filesystem::path& target) {
    return WriteAtomically(target, [&](const std::filesystem::path& path) {
        return WriteXlsxFile(table, header, path);
    });
}

std::string WriteAtomically(const std::filesystem::path& target,
                            const std::function<bool(const std::filesystem::path&)>& write) {
    // A hidden name in the target's own directory, so that the rename stays on one file system.
    std::random_device random;
    std::filesystem::path temp;
    bool created = false;
    for (int attempt = 0; attempt < 16 && !created; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += '.';
        name += std::to_string(random());
        name += ".tmp";
        temp = target;
        temp.replace_filename(name);
        // "x": fails rather than opens a file that is already there.
        if (std::FILE* f = std::fopen(temp.string().c_str(), "wbx")) {
            created = std::fclose(f) == 0;
            if (!created) {
                std::error_code ignored;
                std::filesystem::remove(temp, ignored);
            }
        } else if (std::error_code ignored; !std::filesystem::exists(temp, ignored)) {
            break; // not a clash of names: the directory is missing or not writable
        }
    }
    if (!created) {
        return WriteFailure(target);
    }

    bool written = false;
    try {
        written = write(temp);
    } catch (...) {
        written = false;
    }
    std::error_code ec;
    if (written) {
        std::filesystem::rename(temp, target, ec);
    }
    if (!written || ec) {
        std::filesystem::remove(temp, ec);
        return WriteFailure(target);
    }
    return {};
}

} // namespace table
