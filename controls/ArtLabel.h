#pragma once
// TArtLabel: a label for large decorative captions: 3-D raised or sunk
// letters, a drop shadow, an outline, or letters filled with a picture or a
// gradient. The caption is composed off-screen whenever something that shows
// changes; a transparent label lays only its letters, their shadow and their
// edges over the parent.

#include "Colors.h"
#include "Gradient.h"

#include <QImage>
#include <QWidget>

namespace kyt {

class TArtLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TArtStyle ArtStyle READ ArtStyle WRITE setArtStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(kyt::TColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)
    Q_PROPERTY(QImage Bitmap READ Bitmap WRITE setBitmap)
    Q_PROPERTY(kyt::TColor ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(kyt::TColor OutlineColor READ OutlineColor WRITE setOutlineColor)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(qint32 ShadowLength READ ShadowLength WRITE setShadowLength)
    Q_PROPERTY(kyt::TGradient* Gradient READ Gradient WRITE setGradient)
    Q_PROPERTY(TAlignment TextAlign READ TextAlign WRITE setTextAlign)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)

public:
    enum TArtStyleItem {
        as3DSunk = 1,
        as3DRaise = 2,
        asShadow = 4,
        asBitmap = 8,
        asOutlined = 16,
        asBitmapFit = 32,
        asGradient = 64
    };
    Q_DECLARE_FLAGS(TArtStyle, TArtStyleItem)
    Q_FLAG(TArtStyle)
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    explicit TArtLabel(QWidget* parent = nullptr);

    TArtStyle ArtStyle() const { return FArtStyle; }
    QString Caption() const { return FCaption; }
    TColor FontColor() const { return FFontColor; }
    bool Transparent() const { return FTransparent; }
    TColor Color() const { return FColor; }
    QImage Bitmap() const { return FBitmap; }
    TColor ShadowColor() const { return FShadowColor; }
    TColor OutlineColor() const { return FOutlineColor; }
    bool AutoSize() const { return FAutoSize; }
    qint32 ShadowLength() const { return FShadowLength; }
    TGradient* Gradient() const { return FGradient; }
    TAlignment TextAlign() const { return FTextAlign; }

    void setArtStyle(TArtStyle value);
    void setCaption(const QString& value);
    void setFontColor(TColor value);
    void setTransparent(bool value);
    void setColor(TColor value);
    void setBitmap(const QImage& value);
    void setShadowColor(TColor value);
    void setOutlineColor(TColor value);
    void setAutoSize(bool value);
    void setShadowLength(qint32 value);
    // Copies the settings of value (the label keeps its own gradient).
    void setGradient(TGradient* value);
    void setTextAlign(TAlignment value);

    // Where the caption's top-left corner goes.
    QPoint TextOrigin() const;
    // The composed caption over Color, of the client size.
    const QImage& Composition() const { return FComposition; }
    // Black where the label covers its parent when transparent, white elsewhere.
    const QImage& Mask() const { return FMask; }
    // What is drawn on the control (transparent outside the mask when Transparent).
    const QImage& Output() const { return FOutput; }
    const QImage& GradientImage() const { return FGradientImage; }

    QSize sizeHint() const override;

signals:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void adjustSize();
    void compose();
    void refresh();
    void gradientChanged();

    QImage FComposition;
    QImage FGradientImage;
    QImage FMask;
    QImage FOutput;
    TArtStyle FArtStyle = TArtStyle(as3DRaise | asShadow);
    TAlignment FTextAlign = taLeftJustify;
    QString FCaption = QStringLiteral("Art Label");
    bool FAutoSize = false;
    bool FTransparent = false;
    TColor FColor = clBtnFace;
    TColor FFontColor = clWindowText;
    QImage FBitmap;
    TColor FShadowColor = clGray;
    TColor FOutlineColor = clWhite;
    qint32 FShadowLength = 3;
    TGradient* FGradient;
    bool FGradientChanged = true;
    bool FPressed = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TArtLabel::TArtStyle)

}  // namespace kyt
