#pragma once

// The vessel drawn to scale: its side view (shell, the straight flanges, the two elliptical heads
// of depth Di/4) and its end view, with the liquid up to a level and the level and the volume
// written beside it. Both views share one scale, so the drawing keeps the vessel's proportions at
// any widget size. It draws what it is given and computes no volume.

#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>

#include "calc/vessel.h"

class VesselDrawing : public QWidget {
    Q_OBJECT

  public:
    explicit VesselDrawing(QWidget* parent = nullptr);

    // The inner geometry and the straight-flange height Hs (mm); the caption goes under the views.
    void setVessel(const calc::VesselGeometry& geometry, double Hs, const QString& caption);
    // The liquid level (mm) and the two texts written beside the liquid line.
    void setLiquid(double level, const QString& levelText, const QString& volumeText);

    [[nodiscard]] std::optional<double> liquidLevel() const { return level_; }
    // Where the inner outline of each view lies in the widget, at its current size.
    [[nodiscard]] QRectF sideViewRect() const;
    [[nodiscard]] QRectF endViewRect() const;

    QSize sizeHint() const override { return {640, 220}; }
    QSize minimumSizeHint() const override { return {360, 140}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Frame {
        double scale; // pixels per mm
        QRectF side, end;
    };
    [[nodiscard]] Frame frame() const;

    std::optional<calc::VesselGeometry> geometry_;
    double Hs_ = 0;
    QString caption_;
    std::optional<double> level_;
    QString levelText_, volumeText_;
};
