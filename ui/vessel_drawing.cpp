#include "ui/vessel_drawing.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr double kMargin = 12;       // px around the views
constexpr double kCaptionSpace = 22; // px under the views for the caption
constexpr double kGapInDiameters = 0.25;

const QColor kShell(60, 64, 72);
const QColor kInside(250, 250, 247);
const QColor kLiquid(70, 140, 210, 200);
const QColor kLevelLine(200, 40, 40);

// The inner outline of the side view in rect: the cylinder of length Lt between the heads'
// tangent lines, and two half ellipses of depth h1 and h2.
QPainterPath SideOutline(const QRectF& rect, double h1px, double h2px) {
    QPainterPath path;
    const double left = rect.left() + h1px;
    const double right = rect.right() - h2px;
    path.moveTo(left, rect.top());
    path.lineTo(right, rect.top());
    path.arcTo(QRectF(right - h2px, rect.top(), 2 * h2px, rect.height()), 90, -180);
    path.lineTo(left, rect.bottom());
    path.arcTo(QRectF(rect.left(), rect.top(), 2 * h1px, rect.height()), 270, -180);
    path.closeSubpath();
    return path;
}

} // namespace

VesselDrawing::VesselDrawing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("drawing"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VesselDrawing::setVessel(const calc::VesselGeometry& geometry, double Hs,
                              const QString& caption) {
    geometry_ = geometry;
    Hs_ = Hs;
    caption_ = caption;
    level_.reset();
    update();
}

void VesselDrawing::setLiquid(double level, const QString& levelText, const QString& volumeText) {
    level_ = level;
    levelText_ = levelText;
    volumeText_ = volumeText;
    update();
}

VesselDrawing::Frame VesselDrawing::frame() const {
    if (!geometry_ || !(geometry_->Di > 0)) {
        return {0, {}, {}};
    }
    const calc::VesselGeometry& g = *geometry_;
    // Room on the right for the level and volume texts, at least as wide as they are.
    const QFontMetricsF metrics(font());
    const double textWidth =
        std::max({metrics.horizontalAdvance(levelText_), metrics.horizontalAdvance(volumeText_),
                  metrics.horizontalAdvance(QStringLiteral("容积 00.000 m³"))}) +
        2 * kMargin;
    const double sideLength = g.h1 + g.Lt + g.h2;
    const double widthMm = sideLength + kGapInDiameters * g.Di + g.Di;
    const double availableWidth = width() - kMargin - textWidth;
    const double availableHeight = height() - 2 * kMargin - kCaptionSpace;
    const double scale = std::max(0.0, std::min(availableWidth / widthMm, availableHeight / g.Di));

    const double drawnWidth = widthMm * scale;
    const double left = kMargin + std::max(0.0, (availableWidth - drawnWidth) / 2);
    const double top = kMargin + std::max(0.0, (availableHeight - g.Di * scale) / 2);
    const QRectF side(left, top, sideLength * scale, g.Di * scale);
    const QRectF end(side.right() + kGapInDiameters * g.Di * scale, top, g.Di * scale,
                     g.Di * scale);
    return {scale, side, end};
}

QRectF VesselDrawing::sideViewRect() const {
    return frame().side;
}
QRectF VesselDrawing::endViewRect() const {
    return frame().end;
}

void VesselDrawing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const Frame f = frame();
    if (!geometry_ || f.scale <= 0) {
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    const calc::VesselGeometry& g = *geometry_;

    const QPainterPath side = SideOutline(f.side, g.h1 * f.scale, g.h2 * f.scale);
    const QPainterPath end = [&f] {
        QPainterPath path;
        path.addEllipse(f.end);
        return path;
    }();

    for (const QPainterPath* outline : {&side, &end}) {
        p.fillPath(*outline, kInside);
    }
    // The liquid: everything in each outline below the level.
    std::optional<double> levelY;
    if (level_) {
        const double y = f.side.bottom() - std::clamp(*level_, 0.0, g.Di) * f.scale;
        levelY = y;
        QPainterPath below;
        below.addRect(QRectF(0, y, width(), f.side.bottom() - y + 1));
        for (const QPainterPath* outline : {&side, &end}) {
            p.fillPath(outline->intersected(below), kLiquid);
        }
    }

    // The heads' tangent lines and the seams between straight flanges and shell, thin.
    p.setPen(QPen(kShell, 1, Qt::DashLine));
    const double tangentLeft = f.side.left() + g.h1 * f.scale;
    const double tangentRight = f.side.right() - g.h2 * f.scale;
    const double flange = std::min(Hs_, g.Lt / 2) * f.scale;
    for (double x : {tangentLeft, tangentRight}) {
        p.drawLine(QPointF(x, f.side.top()), QPointF(x, f.side.bottom()));
    }
    p.setPen(QPen(kShell, 1));
    if (flange > 0) {
        for (double x : {tangentLeft + flange, tangentRight - flange}) {
            p.drawLine(QPointF(x, f.side.top()), QPointF(x, f.side.bottom()));
        }
    }
    p.setPen(QPen(kShell, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(side);
    p.drawPath(end);
    // The end view's centre lines.
    p.setPen(QPen(kShell, 1, Qt::DashDotLine));
    p.drawLine(QPointF(f.end.center().x(), f.end.top() - 4),
               QPointF(f.end.center().x(), f.end.bottom() + 4));
    p.drawLine(QPointF(f.end.left() - 4, f.end.center().y()),
               QPointF(f.end.right() + 4, f.end.center().y()));

    if (levelY) {
        p.setPen(QPen(kLevelLine, 1.5));
        p.drawLine(QPointF(f.side.left() - 4, *levelY), QPointF(f.end.right() + 8, *levelY));
        const QFontMetricsF metrics(p.fontMetrics());
        const double x = f.end.right() + kMargin;
        // The texts sit above and below the line, kept inside the widget.
        const double above = std::clamp(*levelY - metrics.descent() - 2, metrics.ascent(),
                                        height() - metrics.height() - metrics.descent());
        p.drawText(QPointF(x, above), levelText_);
        p.drawText(QPointF(x, above + metrics.height()), volumeText_);
    }

    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRectF(0, f.side.bottom() + 4, width(), kCaptionSpace),
               Qt::AlignHCenter | Qt::AlignTop, caption_);
}
