#pragma once
// TButton3D: a push button that draws its own face: the classic raised
// frame, an embossed caption, a black outer line while it has the focus or is
// the default button, and a flat sunken look while pressed.

#include "Colors.h"

#include <QPushButton>

namespace kyt {

class TButton3D : public QPushButton {
    Q_OBJECT
    // The push button's properties.
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(kyt::TColor FontColor READ FontColor WRITE setFontColor)
    // Its own.
    Q_PROPERTY(kyt::TColor HighLightColor READ HighLightColor WRITE setHighLightColor)
    Q_PROPERTY(kyt::TColor ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(TButton3DBevel Bevel READ Bevel WRITE setBevel)
    Q_PROPERTY(quint8 ShadowSize READ ShadowSize WRITE setShadowSize)
    Q_PROPERTY(TButton3DPressState PressState READ PressState WRITE setPressState)

public:
    enum TButton3DBevel { bvNone, bvLowered, bvRaised, bvShadow };
    Q_ENUM(TButton3DBevel)
    enum TButton3DPressState { bvNonePress, bvPress };
    Q_ENUM(TButton3DPressState)

    explicit TButton3D(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    int ModalResult() const { return FModalResult; }
    TColor FontColor() const { return FFontColor; }
    TColor HighLightColor() const { return FHighLightColor; }
    TColor ShadowColor() const { return FShadowColor; }
    TButton3DBevel Bevel() const { return FBevel; }
    quint8 ShadowSize() const { return FShadowSize; }
    TButton3DPressState PressState() const { return FPressState; }

    void setCaption(const QString& value);
    void setModalResult(int value) { FModalResult = value; }
    void setFontColor(TColor value);
    void setHighLightColor(TColor value);
    void setShadowColor(TColor value);
    void setBevel(TButton3DBevel value);
    void setShadowSize(quint8 value);
    void setPressState(TButton3DPressState value);

signals:
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FModalResult = 0;
    TColor FFontColor = clWindowText;
    TColor FHighLightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    TButton3DBevel FBevel = bvRaised;
    quint8 FShadowSize = 1;
    TButton3DPressState FPressState = bvNonePress;
};

}  // namespace kyt
