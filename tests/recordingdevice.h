#ifndef RECORDINGDEVICE_H
#define RECORDINGDEVICE_H

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTextItem>

#include <vector>

// A paint device that keeps what is drawn on it (lines, rectangles and
// texts, each with the pen, brush and font it was drawn with), so tests can
// check a drawing primitive by primitive instead of by its pixels.
class RecordingEngine : public QPaintEngine
{
public:
    struct Line {
        QLine line;
        QPen pen;
    };
    struct Rect {
        QRect rect;
        QPen pen;
        QBrush brush;
    };
    struct Text {
        QPointF pos;
        QString text;
        QPen pen;
        QFont font;
        // The clipping in force, or a null rectangle for none.
        QRectF clip;
    };

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            pen = state.pen();
        if (state.state() & DirtyBrush)
            brush = state.brush();
        if (state.state() & DirtyFont)
            font = state.font();
    }
    void drawLines(const QLine *l, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines.push_back({l[i], pen});
    }
    void drawLines(const QLineF *l, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines.push_back({l[i].toLine(), pen});
    }
    void drawRects(const QRect *r, int count) override
    {
        for (int i = 0; i < count; ++i)
            rects.push_back({r[i], pen, brush});
    }
    void drawRects(const QRectF *r, int count) override
    {
        for (int i = 0; i < count; ++i)
            rects.push_back({r[i].toRect(), pen, brush});
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QPainter *p0 = painter();
        texts.push_back({p, item.text(), pen, font,
                         p0 && p0->hasClipping() ? p0->clipBoundingRect() : QRectF()});
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}

    std::vector<Line> lines;
    std::vector<Rect> rects;
    std::vector<Text> texts;

private:
    QPen pen;
    QBrush brush;
    QFont font;
};

class RecordingDevice : public QPaintDevice
{
public:
    RecordingDevice(int width, int height) : w(width), h(height) {}
    QPaintEngine *paintEngine() const override { return &engine; }

    RecordingEngine &record() { return engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return w;
        case PdmHeight:
            return h;
        case PdmWidthMM:
            return w * 254 / 960;
        case PdmHeightMM:
            return h * 254 / 960;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int w;
    int h;
    mutable RecordingEngine engine;
};

#endif // RECORDINGDEVICE_H
