#pragma once
// TGradient: the settings of a multi-colour gradient fill, and its painting.
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

class TGradient : public QObject {
    Q_OBJECT
    Q_PROPERTY(TGradientStyle GradientStyle READ GradientStyle WRITE setGradientStyle)
    Q_PROPERTY(qint32 LineSize READ LineSize WRITE setLineSize)
    Q_PROPERTY(kyt::TColor Color1 READ Color1 WRITE setColor1)
    Q_PROPERTY(kyt::TColor Color2 READ Color2 WRITE setColor2)
    Q_PROPERTY(kyt::TColor Color3 READ Color3 WRITE setColor3)
    Q_PROPERTY(kyt::TColor Color4 READ Color4 WRITE setColor4)
    Q_PROPERTY(kyt::TColor Color5 READ Color5 WRITE setColor5)
    Q_PROPERTY(int ColorCount READ ColorCount WRITE setColorCount)
    Q_PROPERTY(TDirection LineDirection READ LineDirection WRITE setLineDirection)

public:
    enum TGradientStyle { gsLine, gsEllipse, gsRect, gsCustomRect };
    Q_ENUM(TGradientStyle)
    enum TDirection { diHorizonal, diVertical };
    Q_ENUM(TDirection)
    // TColorCount: 1 to 4.
    static constexpr int MinColorCount = 1;
    static constexpr int MaxColorCount = 4;

    // Given the band number, the number of bands and the whole rectangle,
    // returns the rectangle that band fills.
    using TDrawRectEvent = std::function<QRect(int index, int count, const QRect& bounds)>;

    explicit TGradient(QObject* parent = nullptr);

    TGradientStyle GradientStyle() const { return FGradientStyle; }
    qint32 LineSize() const { return FLineSize; }
    TColor Color1() const { return FColors[0]; }
    TColor Color2() const { return FColors[1]; }
    TColor Color3() const { return FColors[2]; }
    TColor Color4() const { return FColors[3]; }
    TColor Color5() const { return FColors[4]; }
    TColor ColorAt(int n) const { return FColors[qBound(0, n, 4)]; }
    int ColorCount() const { return FColorCount; }
    TDirection LineDirection() const { return FLineDirection; }
    const TDrawRectEvent& OnDrawRect() const { return FOnDrawRect; }

    void setGradientStyle(TGradientStyle value);
    // A band is at least one pixel: smaller sizes count as 1.
    void setLineSize(qint32 value);
    void setColor1(TColor value) { setColor(0, value); }
    void setColor2(TColor value) { setColor(1, value); }
    void setColor3(TColor value) { setColor(2, value); }
    void setColor4(TColor value) { setColor(3, value); }
    void setColor5(TColor value) { setColor(4, value); }
    // Kept within 1..4.
    void setColorCount(int value);
    void setLineDirection(TDirection value);
    void setOnDrawRect(TDrawRectEvent value);

    // Copies style, line size, the five colours, colour count and direction;
    // announces one change.
    void Assign(const TGradient& source);

    // Colour of band k of n.
    TColor BandColor(int k, int n) const;
    // Paints the gradient over r.
    void Paint(QPainter& p, const QRect& r) const;

signals:
    void OnChange(QObject* Sender);

private:
    void setColor(int n, TColor value);

    TGradientStyle FGradientStyle = gsLine;
    qint32 FLineSize = 2;
    // Colours 4 and 5 are used only with more colours than the default three.
    TColor FColors[5] = {clSilver, clGray, clBlack, clBlack, clBlack};
    int FColorCount = 3;
    TDirection FLineDirection = diHorizonal;
    TDrawRectEvent FOnDrawRect;
};

}  // namespace kyt
