#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

// A paint device that keeps the text drawn on it, with where it was drawn.
class TextRecorder final : public QPaintDevice {
public:
    struct Text {
        QString text;
        QPointF at;
    };

    QPaintEngine* paintEngine() const override { return &engine_; }
    const QList<Text>& texts() const { return engine_.texts; }
    QString allText() const
    {
        QString all;
        for (const Text& t : engine_.texts)
            all += t.text;
        return all;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 2480;
        case PdmHeight:
            return 3508;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 300;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    struct Engine final : QPaintEngine {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override { texts.append({item.text(), p}); }
        Type type() const override { return User; }
        QList<Text> texts;
    };
    mutable Engine engine_;
};
