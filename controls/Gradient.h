#pragma once
// Gradient: the settings of a multi-colour gradient fill, and its painting.
// The fill runs from Color1 through to colour number ColorCount + 1 in bands
// of LineSize pixels: straight bands (gsLine), concentric ellipses
// (gsEllipse), concentric rectangles (gsRect), or rectangles given by
// OnDrawRect (gsCustomRect; as gsRect while it is not set).

#include "Colors.h"

#include <QObject>
#include <QRect>
#include <functional>

class QPainter;

namespace kyt {

class Gradient : public QObject {
    Q_OBJECT
    Q_PROPERTY(
        Style gradientStyle READ gradientStyle WRITE setGradientStyle NOTIFY gradientStyleChanged)
    Q_PROPERTY(qint32 lineSize READ lineSize WRITE setLineSize NOTIFY lineSizeChanged)
    Q_PROPERTY(kyt::ColorCode color1 READ color1 WRITE setColor1 NOTIFY color1Changed)
    Q_PROPERTY(kyt::ColorCode color2 READ color2 WRITE setColor2 NOTIFY color2Changed)
    Q_PROPERTY(kyt::ColorCode color3 READ color3 WRITE setColor3 NOTIFY color3Changed)
    Q_PROPERTY(kyt::ColorCode color4 READ color4 WRITE setColor4 NOTIFY color4Changed)
    Q_PROPERTY(kyt::ColorCode color5 READ color5 WRITE setColor5 NOTIFY color5Changed)
    Q_PROPERTY(int colorCount READ colorCount WRITE setColorCount NOTIFY colorCountChanged)
    Q_PROPERTY(Direction lineDirection READ lineDirection WRITE setLineDirection NOTIFY
            lineDirectionChanged)

public:
    enum Style { gsLine, gsEllipse, gsRect, gsCustomRect };
    Q_ENUM(Style)
    enum Direction { diHorizonal, diVertical };
    Q_ENUM(Direction)
    // ColorCount: 1 to 4.
    static constexpr int MinColorCount = 1;
    static constexpr int MaxColorCount = 4;

    // Given the band number, the number of bands and the whole rectangle,
    // returns the rectangle that band fills.
    using DrawRectHandler = std::function<QRect(int index, int count, const QRect& bounds)>;

    explicit Gradient(QObject* parent = nullptr);

    Style gradientStyle() const { return gradientStyle_; }
    qint32 lineSize() const { return lineSize_; }
    ColorCode color1() const { return FColors[0]; }
    ColorCode color2() const { return FColors[1]; }
    ColorCode color3() const { return FColors[2]; }
    ColorCode color4() const { return FColors[3]; }
    ColorCode color5() const { return FColors[4]; }
    ColorCode ColorAt(int n) const { return FColors[qBound(0, n, 4)]; }
    int colorCount() const { return colorCount_; }
    Direction lineDirection() const { return lineDirection_; }
    const DrawRectHandler& OnDrawRect() const { return onDrawRect_; }

    void setGradientStyle(Style value);
    // A band is at least one pixel: smaller sizes count as 1.
    void setLineSize(qint32 value);
    void setColor1(ColorCode value) { setColor(0, value); }
    void setColor2(ColorCode value) { setColor(1, value); }
    void setColor3(ColorCode value) { setColor(2, value); }
    void setColor4(ColorCode value) { setColor(3, value); }
    void setColor5(ColorCode value) { setColor(4, value); }
    // Kept within 1..4.
    void setColorCount(int value);
    void setLineDirection(Direction value);
    void setOnDrawRect(DrawRectHandler value);

    // Copies style, line size, the five colours, colour count and direction;
    // announces one change.
    void Assign(const Gradient& source);

    // Colour of band k of n.
    ColorCode BandColor(int k, int n) const;
    // Paints the gradient over r.
    void Paint(QPainter& p, const QRect& r) const;

signals:
    void gradientStyleChanged(Style gradientStyle);
    void lineSizeChanged(qint32 lineSize);
    void color1Changed(kyt::ColorCode color1);
    void color2Changed(kyt::ColorCode color2);
    void color3Changed(kyt::ColorCode color3);
    void color4Changed(kyt::ColorCode color4);
    void color5Changed(kyt::ColorCode color5);
    void colorCountChanged(int colorCount);
    void lineDirectionChanged(Direction lineDirection);

    void changed();

private:
    void setColor(int n, ColorCode value);

    Style gradientStyle_ = gsLine;
    qint32 lineSize_ = 2;
    // Colours 4 and 5 are used only with more colours than the default three.
    ColorCode FColors[5] = {clSilver, clGray, clBlack, clBlack, clBlack};
    int colorCount_ = 3;
    Direction lineDirection_ = diHorizonal;
    DrawRectHandler onDrawRect_;
};

} // namespace kyt
