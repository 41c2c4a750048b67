#include "diagrampainter.h"

#include "diagrammath.h"
#include "diagramscene.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

// Camera 1, camera 2, texts and axes, grid.
const QColor PenColours[4] = {QColor(0, 127, 0), QColor(0, 0, 127), QColor(0, 0, 0),
                              QColor(200, 200, 200)};

// Sharp zones and legend boxes are the camera's colour at this alpha.
constexpr int ShadeAlpha = 20;

// The space of a legend line in a box that has not grown.
constexpr int LegendLineWidth = 244;

const char *const ProductName = "Vorel";

// One pixel whatever the device, as Qt 4's default pen was.
QPen cosmeticPen(const QColor &colour)
{
    QPen pen(colour);
    pen.setWidth(0);
    return pen;
}

void drawLine(QPainter &painter, int x1, int y1, int x2, int y2)
{
    const QLine l(x1, y1, x2, y2);
    painter.drawLines(&l, 1);
}

void drawRect(QPainter &painter, int x, int y, int w, int h)
{
    const QRect r(x, y, w, h);
    painter.drawRects(&r, 1);
}

} // namespace

DiagramPainter::DiagramPainter()
    : smallFont(QStringLiteral("Arial"), 8), titleFont(QStringLiteral("Arial"), 10)
{
    for (int i = 0; i < 4; ++i)
        pens[i] = cosmeticPen(PenColours[i]);
}

std::vector<DiagramPainter::Legend> DiagramPainter::draw(QPainter &painter, const QSize &size,
                                                         const DiagramScene &scene) const
{
    using namespace DiagramMath;

    const int W = size.width();
    const int H = size.height();
    const int L = LeftMargin;
    const int R = RightMargin;
    const int T = TopMargin;
    const int B = BottomMargin;
    const int PW = W - L - R;
    const int PH = H - T - B;
    const int Y0 = H - B;
    const int S = 51 - scene.xscale;
    const int K = scene.yscale;
    // The spin box holds at most 99999 m, so millimetres fit easily.
    const qint64 LB = static_cast<qint64>(scene.leftBorder * 1000);
    const bool fromCamera = scene.fromCamera;
    std::vector<Legend> legends;

    // Axis titles, with a lowered z between the two spaces of "U  [-]".
    painter.setFont(smallFont);
    painter.drawText(QPointF(2, 12), tr("U  [-]"));
    painter.drawText(QPointF(9, 14), tr("z"));
    painter.drawText(QPointF(W - 62, H - 12), tr("Distance [m]"));

    // Title with its first letter in camera 2's colour.
    const QString name = QString::fromLatin1(ProductName);
    painter.setFont(titleFont);
    painter.setPen(pens[1]);
    painter.drawText(QPointF(W / 2 - 10, 12), name.left(1));
    painter.setPen(pens[2]);
    painter.drawText(QPointF(W / 2 - 2, 12), name.mid(1));

    painter.setFont(smallFont);

    // Horizontal grid with the blur labels.
    if (K > 0) {
        const double step = gridStep(K);
        const double uMax = PH * 0.94 / K;
        if (uMax > 0) {
            for (double u = 0; u < uMax; u += step) {
                const int yp = static_cast<int>(Y0 - K * u);
                painter.setPen(pens[3]);
                drawLine(painter, L - 3, yp, W - R - 5, yp);
                painter.setPen(pens[2]);
                painter.drawText(QRect(5, yp - 8, L - 8, 8), Qt::AlignRight | Qt::AlignVCenter,
                                 QString::number(u, 'g', 6));
            }
        }
    }

    // Vertical grid with the distance labels; they depend on the left border
    // and the scale only, never on the camera mode.
    if (PW > 1) {
        const DistanceGrid grid = distanceGrid(S);
        for (int i = 1; i < PW; ++i) {
            const qint64 prev = LB + qint64(i - 1) * S;
            const qint64 cur = LB + qint64(i) * S;
            if (!hasGridLine(prev, cur, grid.period))
                continue;
            painter.setPen(pens[3]);
            drawLine(painter, L + i, Y0 + 3, L + i, T + 10);
            // Keep the last labels clear of the axis title.
            if (isLabelled(cur, grid.divisor) && L + i - 15 < PW - 45) {
                painter.setPen(pens[2]);
                painter.drawText(QRect(L + i - 15, Y0 + 5, 30, 12),
                                 Qt::AlignHCenter | Qt::AlignVCenter,
                                 distanceLabel(cur, grid.divisor));
            }
        }
    }

    // Axes with their arrowheads, and the line U = 1.
    painter.setPen(pens[2]);
    drawLine(painter, L, Y0, W - R, Y0);
    drawLine(painter, W - R, Y0, W - R - 10, Y0 - 5);
    drawLine(painter, W - R, Y0, W - R - 10, Y0 + 5);
    drawLine(painter, L, Y0, L, T);
    drawLine(painter, L, T, L - 5, T + 10);
    drawLine(painter, L, T, L + 5, T + 10);
    drawLine(painter, L, Y0 - K, W - R - 5, Y0 - K);

    const QPen noPen = cosmeticPen(QColor(0, 0, 0, 0));
    const QPen boxPen = cosmeticPen(QColor(0, 0, 0, 255));

    std::vector<double> samples;
    for (int index = 0; index < 2; ++index) {
        const DiagramScene::Camera &cam = scene.cameras[index];
        if (!cam.shown)
            continue;
        const LensModel &lens = cam.lens;
        const int withDiffraction = cam.diffraction ? 1 : 0;
        painter.setPen(pens[index]);

        // One sample per column; the first stands for the band even when the
        // plot has no width.
        const int columns = PW > 1 ? PW : 1;
        samples.resize(columns);
        for (int c = 0; c < columns; ++c) {
            const double offset = static_cast<double>(c) * S;
            const double d = fromCamera ? static_cast<double>(LB) + offset
                                        : std::trunc(lens.getFdist() - LB + offset);
            samples[c] = lens.blur(d, withDiffraction);
        }
        int previousRow = pixelRow(Y0, K, samples[0], H);
        for (int c = 1; c < PW; ++c) {
            const int row = pixelRow(Y0, K, samples[c], H);
            drawLine(painter, L + c - 1, previousRow, L + c, row);
            previousRow = row;
        }

        const QColor shade(PenColours[index].red(), PenColours[index].green(),
                           PenColours[index].blue(), ShadeAlpha);
        const SharpZone zone = sharpZone(samples);
        if (zone.hasStart) {
            painter.setPen(noPen);
            painter.setBrush(QBrush(shade, Qt::SolidPattern));
            drawRect(painter, L + zone.start, T + 10, zone.end - zone.start, PH - 10);
        }

        const LensModel::Limits limits = lens.limits(withDiffraction != 0);
        const double uInf = shownBlurAtInfinity(lens.blur(LensModel::Infinity, withDiffraction));
        const QString title = cameraTitle(index + 1);
        const QString settings =
            settingsText(lens.getFlength(), lens.getApature(), lens.getFdist(), lens.getCoc());
        const QString limitsLine = limitsText(uInf, limits.nearLimit, limits.farLimit,
                                              shownScale(lens.getFdist(), lens.getFlength()));

        // The boxes stack when both cameras are shown, camera 1 on top.
        const int lt = (index == 1 && scene.cameras[0].shown) ? 42 : 5;
        const auto flags = Qt::AlignLeft | Qt::AlignVCenter;
        painter.setFont(smallFont);
        // A line too long for its space would be cut off at the right, so
        // the box grows to the left just enough for its longest line, as far
        // as the diagram reaches. A legend that fits keeps its place.
        int grow = 0;
        for (const QString &line : {settings, limitsLine}) {
            const QRect space(W - R - 260, lt + 12, LegendLineWidth, 20);
            grow = std::max(grow, painter.boundingRect(space, flags, line).width() - space.width());
        }
        grow = std::clamp(grow, 0, std::max(0, W - R - 320));

        painter.setPen(boxPen);
        painter.setBrush(QBrush(shade, Qt::SolidPattern));
        drawRect(painter, W - R - 320 - grow, lt + 12, 320 + grow, 32);

        painter.setPen(pens[2]);
        painter.drawText(QRect(W - R - 312 - grow, lt + 12, 304, 20), flags, title);
        painter.drawText(QRect(W - R - 260 - grow, lt + 12, LegendLineWidth + grow, 20), flags,
                         settings);
        painter.drawText(QRect(W - R - 260 - grow, lt + 26, LegendLineWidth + grow, 20), flags,
                         limitsLine);
        legends.push_back({title, settings, limitsLine});
    }
    return legends;
}
