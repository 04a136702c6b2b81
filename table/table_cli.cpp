#include "table/table_cli.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <new>
#include <optional>
#include <utility>

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "0"
#endif

namespace table {
namespace {

struct Options {
    std::optional<std::string> L, D, Delta, Hs, step, density, unit, tank, certificate, separator,
        output, forVolume, forPercent, forMass;
};

using Member = std::optional<std::string> Options::*;

constexpr std::array<std::pair<std::string_view, Member>, 14> kOptions{{
    {"--L", &Options::L},
    {"--D", &Options::D},
    {"--Delta", &Options::Delta},
    {"--Hs", &Options::Hs},
    {"--step", &Options::step},
    {"--density", &Options::density},
    {"--unit", &Options::unit},
    {"--tank", &Options::tank},
    {"--certificate", &Options::certificate},
    {"--decimal-separator", &Options::separator},
    {"--output", &Options::output},
    {"--level-for-volume", &Options::forVolume},
    {"--level-for-percent", &Options::forPercent},
    {"--level-for-mass", &Options::forMass},
}};

struct Parsed {
    Options options;
    std::string error; // a usage error; empty when the arguments make sense
};

Parsed Parse(std::span<const std::string_view> args) {
    Parsed p;
    for (std::size_t i = 0; i < args.size() && p.error.empty(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            p.error = "多余的参数：" + std::string(arg);
            break;
        }
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const auto* option = std::find_if(kOptions.begin(), kOptions.end(),
                                          [&](const auto& o) { return o.first == name; });
        if (option == kOptions.end()) {
            p.error = "未知选项：" + std::string(name);
            break;
        }
        if (!value) {
            // A value never starts with "--"; a negative number starts with one "-".
            if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
                p.error = "选项缺少取值：" + std::string(name);
                break;
            }
            value = args[++i];
        }
        std::optional<std::string>& slot = p.options.*(option->second);
        if (slot) {
            p.error = "选项重复：" + std::string(name);
            break;
        }
        slot = std::string(*value);
    }
    return p;
}

// A separator must not be mistaken for any other part of a number.
bool IsSeparator(std::string_view s) {
    return !s.empty() && std::none_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' || c == ' ' ||
               c == '\t';
    });
}

enum class Format { Csv, Xlsx, Pdf, Unknown };

Format FormatOf(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    if (ext == ".csv") {
        return Format::Csv;
    }
    if (ext == ".xlsx") {
        return Format::Xlsx;
    }
    if (ext == ".pdf") {
        return Format::Pdf;
    }
    return Format::Unknown;
}

int UsageError(std::ostream& err, const std::string& reason, bool withPdf) {
    err << reason << "\n\n" << UsageText(withPdf);
    return ExitUsage;
}

int Warn(std::ostream& err, std::string_view warning) {
    err << warning << '\n';
    return ExitWarning;
}

int Run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
        const TableHooks& hooks) {
    const bool withPdf = static_cast<bool>(hooks.writePdf);
    if (args.empty()) {
        if (hooks.openWindow) {
            return hooks.openWindow();
        }
        err << UsageText(withPdf);
        return ExitUsage;
    }
    // --help and --version win over everything else; neither can be an option's value.
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << UsageText(withPdf);
        return ExitOk;
    }
    if (std::find(args.begin(), args.end(), "--version") != args.end()) {
        out << "velmora-table " VELMORA_VERSION "\n";
        return ExitOk;
    }

    const Parsed parsed = Parse(args);
    if (!parsed.error.empty()) {
        return UsageError(err, parsed.error, withPdf);
    }
    const Options& o = parsed.options;
    for (const auto& [name, member] : kOptions) {
        if (member == &Options::step) {
            break; // the four dimensions come first in kOptions, and only they are required
        }
        if (!(o.*member)) {
            return UsageError(err, "缺少选项：" + std::string(name), withPdf);
        }
    }
    const int requests =
        (o.output ? 1 : 0) + (o.forVolume ? 1 : 0) + (o.forPercent ? 1 : 0) + (o.forMass ? 1 : 0);
    if (requests != 1) {
        return UsageError(err,
                          requests == 0
                              ? "需要 --output 或 --level-for-volume、--level-for-percent、"
                                "--level-for-mass 之一"
                              : "--output 与各个 --level-for- 选项只能给出一个",
                          withPdf);
    }
    if (o.separator && !IsSeparator(*o.separator)) {
        return UsageError(err, "不能用作小数点：" + *o.separator, withPdf);
    }
    Format format = Format::Unknown;
    if (o.output) {
        format = FormatOf(*o.output);
        if (format == Format::Unknown || (format == Format::Pdf && !withPdf)) {
            return UsageError(err, "不支持的输出文件类型：" + *o.output, withPdf);
        }
    }

    const calc::NumberLocale locale{o.separator.value_or(".")};
    const calc::TableInputs inputs{
        *o.L, *o.D, *o.Delta, *o.Hs, o.step.value_or("10"), o.density.value_or("")};
    const calc::TableOutcome made = calc::MakeLevelTable(inputs, locale);
    if (!made.warning.empty()) {
        return Warn(err, made.warning);
    }

    if (!o.output) {
        const auto [target, text] = o.forVolume    ? std::pair(calc::Target::Volume, *o.forVolume)
                                    : o.forPercent ? std::pair(calc::Target::Percent, *o.forPercent)
                                                   : std::pair(calc::Target::Mass, *o.forMass);
        const calc::LevelOutcome found = calc::LevelFor(made.table, target, text, locale);
        if (!found.warning.empty()) {
            return Warn(err, found.warning);
        }
        out << calc::NumberToText(found.level, locale) << '\n';
        return ExitOk;
    }

    const std::filesystem::path path(*o.output);
    const TableHeader header{o.unit.value_or(""), o.tank.value_or(""), o.certificate.value_or(""),
                             hooks.today ? hooks.today() : LocalDateText()};
    std::string failure;
    switch (format) {
    case Format::Csv:
        failure = WriteCsv(made.table, path);
        break;
    case Format::Xlsx:
        failure = WriteXlsx(made.table, header, path);
        break;
    case Format::Pdf:
        failure = WriteAtomically(path, [&](const std::filesystem::path& temp) {
            return hooks.writePdf(made.table, header, temp);
        });
        break;
    case Format::Unknown:
        break;
    }
    if (!failure.empty()) {
        return Warn(err, failure);
    }
    return ExitOk;
}

} // namespace

std::string UsageText(bool withPdf) {
    const std::string outputs = withPdf ? "表.csv | 表.xlsx | 表.pdf" : "表.csv | 表.xlsx";
    return "用法：\n"
           "  velmora-table --L 长度 --D 外径 --Delta 壁厚 --Hs 直边高度 [--step 液位间隔]\n"
           "                [--density 介质密度] [--unit 单位名称] [--tank 罐号]\n"
           "                [--certificate 证书编号] [--decimal-separator 小数点]\n"
           "                --output " +
           outputs +
           "\n"
           "  velmora-table --L ... --D ... --Delta ... --Hs ... --level-for-volume 容积\n"
           "                | --level-for-percent 充装率 | --level-for-mass 质量\n"
           "  velmora-table --help | --version\n"
           "\n"
           "卧式标准椭圆封头容器的容量表（液位高度与容积对照表），以及按容积、充装率或质量反查液位"
           "。\n"
           "  --L                   容器缝对缝长度(mm)\n"
           "  --D                   容器外径(mm)\n"
           "  --Delta               容器壁厚(mm)\n"
           "  --Hs                  封头直边高度(mm)\n"
           "  --step                液位间隔(mm)，默认 10\n"
           "  --density             介质密度(kg/m3)，给出时容量表加一列质量(t)\n"
           "  --unit、--tank、--certificate\n"
           "                        表头中的单位、罐号、证书编号\n"
           "  --decimal-separator   输入数值与反查结果所用的小数点，默认 \".\"\n"
           "  --output              写出容量表，格式由扩展名决定\n"
           "  --level-for-volume    容积(m3)对应的液位高度(mm)\n"
           "  --level-for-percent   充装率(%)对应的液位高度(mm)\n"
           "  --level-for-mass      质量(t)对应的液位高度(mm)，需要 --density\n"
           "出错时在标准错误输出上给出提示：输入值有误退出状态为 1，用法有误为 2。\n";
}

int RunTable(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
             const TableHooks& hooks) {
    try {
        return Run(args, out, err, hooks);
    } catch (const std::bad_alloc&) {
        return Warn(err, "内存不足!");
    }
}

} // namespace table
