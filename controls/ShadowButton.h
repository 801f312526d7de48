#pragma once
// ShadowButton: a push button of a chosen shape that stands on its own
// shadow. Pressed, the face sinks onto the shadow's place, Deepth pixels down
// and right; disabled, face and border turn to their grey values.

#include "ClickTracker.h"
#include "Colors.h"

#include <QWidget>

namespace kyt {

class ShadowButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(bool shadow READ shadow WRITE setShadow NOTIFY shadowChanged)
    Q_PROPERTY(ShapeType shape READ shape WRITE setShape NOTIFY shapeChanged)
    Q_PROPERTY(bool border READ border WRITE setBorder NOTIFY borderChanged)
    Q_PROPERTY(
        kyt::ColorCode borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(int deepth READ deepth WRITE setDeepth NOTIFY deepthChanged)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor NOTIFY fontColorChanged)

public:
    enum ShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
    Q_ENUM(ShapeType)
    // Depth: 0 to 12.
    static constexpr int MaxDeepth = 12;

    explicit ShadowButton(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    ColorCode color() const { return color_; }
    bool shadow() const { return shadow_; }
    ShapeType shape() const { return shape_; }
    bool border() const { return border_; }
    ColorCode borderColor() const { return borderColor_; }
    int deepth() const { return deepth_; }
    ColorCode fontColor() const { return fontColor_; }
    bool pressed() const { return clicks_.tracking(); }

    void setCaption(const QString& value);
    void setColor(ColorCode value);
    void setShadow(bool value);
    void setShape(ShapeType value);
    void setBorder(bool value);
    void setBorderColor(ColorCode value);
    // Kept within 0..12.
    void setDeepth(int value);
    void setFontColor(ColorCode value);

signals:
    void captionChanged(const QString& caption);
    void colorChanged(kyt::ColorCode color);
    void shadowChanged(bool shadow);
    void shapeChanged(ShapeType shape);
    void borderChanged(bool border);
    void borderColorChanged(kyt::ColorCode borderColor);
    void deepthChanged(int deepth);
    void fontColorChanged(kyt::ColorCode fontColor);

    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void drawShape(QPainter& p, int offset, int w, int h) const;

    QString caption_ = QStringLiteral("Shadow Button");
    ColorCode color_ = clLime;
    bool shadow_ = true;
    ShapeType shape_ = stRoundRect;
    bool border_ = true;
    ColorCode borderColor_ = clBlack;
    int deepth_ = 3;
    ColorCode fontColor_ = clWindowText;
    ClickTracker clicks_;
};

} // namespace kyt
