#pragma once

// The rows of a level table for a QTableView: level, volume, fill percentage and, when the table
// has a density, mass. Every text comes from the calculation's number writers, in the user's
// decimal separator; the model itself formats nothing.

#include <QAbstractTableModel>
#include <QString>

#include "calc/level_table.h"
#include "calc/number_text.h"

class LevelTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { LevelColumn, VolumeColumn, PercentColumn, MassColumn };

    explicit LevelTableModel(calc::NumberLocale locale, QObject* parent = nullptr);

    void setTable(calc::LevelTable table);
    [[nodiscard]] bool hasTable() const { return !table_.rows.empty(); }
    [[nodiscard]] const calc::LevelTable& table() const { return table_; }
    [[nodiscard]] const calc::NumberLocale& locale() const { return locale_; }

    // The cell's text as shown, and the whole table, header line first, as tab-separated lines
    // (what spreadsheets paste as cells).
    [[nodiscard]] QString cellText(int row, int column) const;
    [[nodiscard]] QString tabSeparatedText() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    calc::NumberLocale locale_;
    calc::LevelTable table_{};
};
