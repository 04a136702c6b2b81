#include "ui/level_table_model.h"

#include "ui/warning_box.h"

LevelTableModel::LevelTableModel(calc::NumberLocale locale, QObject* parent)
    : QAbstractTableModel(parent), locale_(std::move(locale)) {}

void LevelTableModel::setTable(calc::LevelTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int LevelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int LevelTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !hasTable()) {
        return 0;
    }
    return table_.density ? 4 : 3;
}

QString LevelTableModel::cellText(int row, int column) const {
    const calc::TableRow& r = table_.rows.at(static_cast<std::size_t>(row));
    switch (column) {
    case LevelColumn:
        return FromUtf8(calc::NumberToText(r.level, locale_));
    case VolumeColumn:
        return FromUtf8(calc::FixedText(r.volume, 3, locale_));
    case PercentColumn:
        return FromUtf8(calc::FixedText(r.percent, 2, locale_));
    case MassColumn:
        return FromUtf8(calc::FixedText(r.mass, 3, locale_));
    default:
        return {};
    }
}

QVariant LevelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return cellText(index.row(), index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant LevelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case LevelColumn:
        return QStringLiteral("液位高度(mm)");
    case VolumeColumn:
        return QStringLiteral("容积(m³)");
    case PercentColumn:
        return QStringLiteral("充装率(%)");
    case MassColumn:
        return QStringLiteral("质量(t)");
    default:
        return {};
    }
}

QString LevelTableModel::tabSeparatedText() const {
    const int columns = columnCount();
    QString text;
    text.reserve(static_cast<qsizetype>(table_.rows.size()) * 32 + 64);
    for (int c = 0; c < columns; ++c) {
        text += (c ? QStringLiteral("\t") : QString()) +
                headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    text += QLatin1Char('\n');
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c) {
                text += QLatin1Char('\t');
            }
            text += cellText(r, c);
        }
        text += QLatin1Char('\n');
    }
    return text;
}
