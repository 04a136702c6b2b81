#pragma once

// The 容量表 window: the vessel's dimensions in, its level-to-volume table out, with a drawing of
// the vessel to scale, the inverse (the level for a volume, fill percentage or mass), and the
// table as an Excel file, a PDF, a print or the clipboard. Every number comes from the
// calculation; the window gathers texts and shows what comes back.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

#include <functional>

#include "ui/level_table_model.h"
#include "ui/table_document.h"
#include "ui/vessel_drawing.h"

class TableWindow : public QWidget {
    Q_OBJECT

  public:
    explicit TableWindow(QWidget* parent = nullptr);

    // Asks where to save a file: caption, suggested file name, filter; an empty answer cancels.
    // The standard save dialog unless replaced (tests answer it themselves).
    using SavePathQuestion =
        std::function<QString(const QString& caption, const QString& name, const QString& filter)>;
    void setSavePathQuestion(SavePathQuestion question) { askSavePath = std::move(question); }

    [[nodiscard]] const LevelTableModel& model() const { return tableModel; }

  private:
    void Generate_Click();
    void Inverse_Click();
    void Preset_Click(int percent);
    void RowSelected(const QModelIndex& current);
    void ExportExcel_Click();
    void ExportPdf_Click();
    void Print_Click();
    void Copy_Click();

    void ShowLevel(double level);
    QString SuggestedName(const QString& extension) const;
    // The table on show with the header fields as they are now.
    TableDocument Document() const;
    void SetOutputsEnabled(bool enabled);

    calc::NumberLocale locale;
    LevelTableModel tableModel;

    QLineEdit L, D, Delta, Hs, Step, Density, Unit, Tank, Certificate;
    QPushButton Generate;
    QLabel Di, Vt, Cylinder, Heads, Rows;
    QTableView Table;
    VesselDrawing Drawing;
    QComboBox InverseKind;
    QLineEdit InverseValue;
    QPushButton Inverse;
    QLabel InverseLevel;
    QPushButton Presets[4];
    QPushButton ExportExcel, ExportPdf, Print, Copy;

    SavePathQuestion askSavePath;
};
