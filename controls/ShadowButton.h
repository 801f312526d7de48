#pragma once
// TShadowButton: a push button of a chosen shape that stands on its own
// shadow. Pressed, the face sinks onto the shadow's place, Deepth pixels down
// and right; disabled, face and border turn to their grey values.

#include "Colors.h"

#include <QWidget>

namespace kyt {

class TShadowButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool Shadow READ Shadow WRITE setShadow)
    Q_PROPERTY(TShapeType Shape READ Shape WRITE setShape)
    Q_PROPERTY(bool Border READ Border WRITE setBorder)
    Q_PROPERTY(kyt::TColor BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int Deepth READ Deepth WRITE setDeepth)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(kyt::TColor FontColor READ FontColor WRITE setFontColor)

public:
    enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
    Q_ENUM(TShapeType)
    // TDeepth: 0 to 12.
    static constexpr int MaxDeepth = 12;

    explicit TShadowButton(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    TColor Color() const { return FColor; }
    bool Shadow() const { return FShadow; }
    TShapeType Shape() const { return FShape; }
    bool Border() const { return FBorder; }
    TColor BorderColor() const { return FBorderColor; }
    int Deepth() const { return FDeepth; }
    TColor FontColor() const { return FFontColor; }
    bool Pressed() const { return FPressed; }

    void setCaption(const QString& value);
    void setColor(TColor value);
    void setShadow(bool value);
    void setShape(TShapeType value);
    void setBorder(bool value);
    void setBorderColor(TColor value);
    // Kept within 0..12.
    void setDeepth(int value);
    void setFontColor(TColor value);

signals:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void drawShape(QPainter& p, int offset, int w, int h) const;

    QString FCaption = QStringLiteral("Shadow Button");
    TColor FColor = clLime;
    bool FShadow = true;
    TShapeType FShape = stRoundRect;
    bool FBorder = true;
    TColor FBorderColor = clBlack;
    int FDeepth = 3;
    TColor FFontColor = clWindowText;
    bool FPressed = false;
};

}  // namespace kyt
