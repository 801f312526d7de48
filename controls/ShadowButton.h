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
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor)
    Q_PROPERTY(bool shadow READ shadow WRITE setShadow)
    Q_PROPERTY(ShapeType shape READ shape WRITE setShape)
    Q_PROPERTY(bool border READ border WRITE setBorder)
    Q_PROPERTY(kyt::ColorCode borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int deepth READ deepth WRITE setDeepth)
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont font READ font WRITE setFont)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor)

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

}  // namespace kyt
