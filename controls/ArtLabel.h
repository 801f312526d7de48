#pragma once
// ArtLabel: a label for large decorative captions: 3-D raised or sunk
// letters, a drop shadow, an outline, or letters filled with a picture or a
// gradient. The caption is composed off-screen whenever something that shows
// changes; a transparent label lays only its letters, their shadow and their
// edges over the parent.

#include "ClickTracker.h"
#include "Colors.h"
#include "Gradient.h"

#include <QImage>
#include <QWidget>

namespace kyt {

class ArtLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(ArtStyle artStyle READ artStyle WRITE setArtStyle NOTIFY artStyleChanged)
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor NOTIFY fontColorChanged)
    Q_PROPERTY(bool transparent READ transparent WRITE setTransparent NOTIFY transparentChanged)
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QImage bitmap READ bitmap WRITE setBitmap NOTIFY bitmapChanged)
    Q_PROPERTY(
        kyt::ColorCode shadowColor READ shadowColor WRITE setShadowColor NOTIFY shadowColorChanged)
    Q_PROPERTY(kyt::ColorCode outlineColor READ outlineColor WRITE setOutlineColor NOTIFY
            outlineColorChanged)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize NOTIFY autoSizeChanged)
    Q_PROPERTY(
        qint32 shadowLength READ shadowLength WRITE setShadowLength NOTIFY shadowLengthChanged)
    Q_PROPERTY(kyt::Gradient* gradient READ gradient WRITE setGradient)
    Q_PROPERTY(Alignment textAlign READ textAlign WRITE setTextAlign NOTIFY textAlignChanged)

public:
    enum ArtStyleItem {
        as3DSunk = 1,
        as3DRaise = 2,
        asShadow = 4,
        asBitmap = 8,
        asOutlined = 16,
        asBitmapFit = 32,
        asGradient = 64
    };
    Q_DECLARE_FLAGS(ArtStyle, ArtStyleItem)
    Q_FLAG(ArtStyle)
    enum Alignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(Alignment)

    explicit ArtLabel(QWidget* parent = nullptr);

    ArtStyle artStyle() const { return artStyle_; }
    QString caption() const { return caption_; }
    ColorCode fontColor() const { return fontColor_; }
    bool transparent() const { return transparent_; }
    ColorCode color() const { return color_; }
    QImage bitmap() const { return bitmap_; }
    ColorCode shadowColor() const { return shadowColor_; }
    ColorCode outlineColor() const { return outlineColor_; }
    bool autoSize() const { return autoSize_; }
    qint32 shadowLength() const { return shadowLength_; }
    Gradient* gradient() const { return gradient_; }
    Alignment textAlign() const { return textAlign_; }

    void setArtStyle(ArtStyle value);
    void setCaption(const QString& value);
    void setFontColor(ColorCode value);
    void setTransparent(bool value);
    void setColor(ColorCode value);
    void setBitmap(const QImage& value);
    void setShadowColor(ColorCode value);
    void setOutlineColor(ColorCode value);
    void setAutoSize(bool value);
    void setShadowLength(qint32 value);
    // Copies the settings of value (the label keeps its own gradient).
    void setGradient(Gradient* value);
    void setTextAlign(Alignment value);

    // Where the caption's top-left corner goes.
    QPoint TextOrigin() const;
    // The composed caption over Color, of the client size.
    // The pictures are composed when first needed after a change (at the
    // next paint at the latest), not at every change.
    const QImage& Composition() const { return composed().composition_; }
    // Black where the label covers its parent when transparent, white elsewhere.
    const QImage& Mask() const { return composed().mask_; }
    // What is drawn on the control (transparent outside the mask when Transparent).
    const QImage& Output() const { return composed().output_; }
    const QImage& GradientImage() const { return composed().gradientImage_; }

    QSize sizeHint() const override;

signals:
    void artStyleChanged(ArtStyle artStyle);
    void captionChanged(const QString& caption);
    void fontColorChanged(kyt::ColorCode fontColor);
    void transparentChanged(bool transparent);
    void colorChanged(kyt::ColorCode color);
    void bitmapChanged(const QImage& bitmap);
    void shadowColorChanged(kyt::ColorCode shadowColor);
    void outlineColorChanged(kyt::ColorCode outlineColor);
    void autoSizeChanged(bool autoSize);
    void shadowLengthChanged(qint32 shadowLength);
    void textAlignChanged(Alignment textAlign);

    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void adjustSize();
    // Marks the pictures out of date.
    void compose() { stale_ = true; }
    // The label with its pictures up to date.
    const ArtLabel& composed() const;
    void composeNow() const;
    void refresh();
    void gradientChanged();

    mutable QImage composition_;
    mutable QImage gradientImage_;
    mutable QImage mask_;
    mutable QImage output_;
    mutable bool stale_ = true;
    ArtStyle artStyle_ = ArtStyle(as3DRaise | asShadow);
    Alignment textAlign_ = taLeftJustify;
    QString caption_ = QStringLiteral("Art Label");
    bool autoSize_ = false;
    bool transparent_ = false;
    ColorCode color_ = clBtnFace;
    ColorCode fontColor_ = clWindowText;
    QImage bitmap_;
    ColorCode shadowColor_ = clGray;
    ColorCode outlineColor_ = clWhite;
    qint32 shadowLength_ = 3;
    Gradient* gradient_;
    mutable bool gradientChanged_ = true;
    ClickTracker clicks_ {ClickTracker::LeftButtonLast};
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ArtLabel::ArtStyle)

} // namespace kyt
