#pragma once
// Button3D: a push button that draws its own face: the classic raised
// frame, an embossed caption, a black outer line while it has the focus or is
// the default button, and a flat sunken look while pressed.

#include "Colors.h"
#include "PropertyHelpers.h"

#include <QPushButton>

namespace kyt {

class Button3D : public QPushButton {
    Q_OBJECT
    // The push button's properties.
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(int modalResult READ modalResult WRITE setModalResult NOTIFY modalResultChanged)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor NOTIFY fontColorChanged)
    // Its own.
    Q_PROPERTY(kyt::ColorCode highLightColor READ highLightColor WRITE setHighLightColor NOTIFY
            highLightColorChanged)
    Q_PROPERTY(
        kyt::ColorCode shadowColor READ shadowColor WRITE setShadowColor NOTIFY shadowColorChanged)
    Q_PROPERTY(Bevel bevel READ bevel WRITE setBevel NOTIFY bevelChanged)
    Q_PROPERTY(quint8 shadowSize READ shadowSize WRITE setShadowSize NOTIFY shadowSizeChanged)
    Q_PROPERTY(PressState pressState READ pressState WRITE setPressState NOTIFY pressStateChanged)

public:
    enum Bevel { bvNone, bvLowered, bvRaised, bvShadow };
    Q_ENUM(Bevel)
    enum PressState { bvNonePress, bvPress };
    Q_ENUM(PressState)

    explicit Button3D(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    int modalResult() const { return modalResult_; }
    ColorCode fontColor() const { return fontColor_; }
    ColorCode highLightColor() const { return highLightColor_; }
    ColorCode shadowColor() const { return shadowColor_; }
    Bevel bevel() const { return bevel_; }
    quint8 shadowSize() const { return shadowSize_; }
    PressState pressState() const { return pressState_; }

    void setCaption(const QString& value);
    void setModalResult(int value)
    {
        assign(this, modalResult_, value, &Button3D::modalResultChanged);
    }
    void setFontColor(ColorCode value);
    void setHighLightColor(ColorCode value);
    void setShadowColor(ColorCode value);
    void setBevel(Bevel value);
    void setShadowSize(quint8 value);
    void setPressState(PressState value);

signals:
    void captionChanged(const QString& caption);
    void modalResultChanged(int modalResult);
    void fontColorChanged(kyt::ColorCode fontColor);
    void highLightColorChanged(kyt::ColorCode highLightColor);
    void shadowColorChanged(kyt::ColorCode shadowColor);
    void bevelChanged(Bevel bevel);
    void shadowSizeChanged(quint8 shadowSize);
    void pressStateChanged(PressState pressState);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int modalResult_ = 0;
    ColorCode fontColor_ = clWindowText;
    ColorCode highLightColor_ = clBtnHighlight;
    ColorCode shadowColor_ = clBtnShadow;
    Bevel bevel_ = bvRaised;
    quint8 shadowSize_ = 1;
    PressState pressState_ = bvNonePress;
};

} // namespace kyt
