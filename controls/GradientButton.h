#pragma once
// GradientButton: a flat push button whose face is a vertical gradient from
// GradColor at the top to FaceColor at the bottom, inside a black border and
// a 3-D bevel. Pressed, the face and caption move one pixel down and right
// and the bevel turns over. It behaves as a speed button: it clicks on
// release over it and can latch in a group (GroupIndex, Down, AllowAllUp).

#include "ClickTracker.h"
#include "Colors.h"

#include <QImage>
#include <QWidget>

namespace kyt {

class GradientButton : public QWidget {
    Q_OBJECT
    // The speed button's properties.
    Q_PROPERTY(bool allowAllUp READ allowAllUp WRITE setAllowAllUp NOTIFY allowAllUpChanged)
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex NOTIFY groupIndexChanged)
    Q_PROPERTY(bool down READ down WRITE setDown NOTIFY downChanged)
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor NOTIFY fontColorChanged)
    // Its own.
    Q_PROPERTY(kyt::ColorCode gradColor READ gradColor WRITE setGradColor NOTIFY gradColorChanged)
    Q_PROPERTY(kyt::ColorCode faceColor READ faceColor WRITE setFaceColor NOTIFY faceColorChanged)
    Q_PROPERTY(kyt::ColorCode highlightColor READ highlightColor WRITE setHighlightColor NOTIFY
            highlightColorChanged)
    Q_PROPERTY(
        kyt::ColorCode shadowColor READ shadowColor WRITE setShadowColor NOTIFY shadowColorChanged)
    Q_PROPERTY(qint32 bevelWidth READ bevelWidth WRITE setBevelWidth NOTIFY bevelWidthChanged)
    Q_PROPERTY(qint32 borderWidth READ borderWidth WRITE setBorderWidth NOTIFY borderWidthChanged)

public:
    enum ButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
    Q_ENUM(ButtonState)

    explicit GradientButton(QWidget* parent = nullptr);

    bool allowAllUp() const { return allowAllUp_; }
    int groupIndex() const { return groupIndex_; }
    bool down() const { return down_; }
    QString caption() const { return caption_; }
    ColorCode fontColor() const { return fontColor_; }
    ColorCode gradColor() const { return gradColor_; }
    ColorCode faceColor() const { return faceColor_; }
    ColorCode highlightColor() const { return highlightColor_; }
    ColorCode shadowColor() const { return shadowColor_; }
    qint32 bevelWidth() const { return bevelWidth_; }
    qint32 borderWidth() const { return borderWidth_; }

    void setAllowAllUp(bool value);
    void setGroupIndex(int value);
    // Without a group a button cannot stay down; a latched member of a group
    // goes up only when AllowAllUp allows it.
    void setDown(bool value);
    void setCaption(const QString& value);
    void setFontColor(ColorCode value);
    void setGradColor(ColorCode value);
    void setFaceColor(ColorCode value);
    void setHighlightColor(ColorCode value);
    void setShadowColor(ColorCode value);
    void setBevelWidth(qint32 value);
    void setBorderWidth(qint32 value);

    // Current look of the speed button.
    ButtonState State() const;
    // The gradient face, (Width - 2 BorderWidth) x (Height - 2 BorderWidth).
    const QImage& GradientImage() const { return gradient_; }

    // Simulates a click (as a release over the button would).
    void Click();

signals:
    void allowAllUpChanged(bool allowAllUp);
    void groupIndexChanged(int groupIndex);
    void downChanged(bool down);
    void captionChanged(const QString& caption);
    void fontColorChanged(kyt::ColorCode fontColor);
    void gradColorChanged(kyt::ColorCode gradColor);
    void faceColorChanged(kyt::ColorCode faceColor);
    void highlightColorChanged(kyt::ColorCode highlightColor);
    void shadowColorChanged(kyt::ColorCode shadowColor);
    void bevelWidthChanged(qint32 bevelWidth);
    void borderWidthChanged(qint32 borderWidth);

    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void makeGradient();
    void checkGradientSize();
    void releaseGroup();

    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    QString caption_ = QStringLiteral("GradientButton");
    ColorCode fontColor_ = clWhite;
    ColorCode gradColor_ = clBlue;
    ColorCode faceColor_ = clBlack;
    ColorCode highlightColor_ = clWhite;
    ColorCode shadowColor_ = clBlack;
    qint32 bevelWidth_ = 1;
    qint32 borderWidth_ = 1;
    ButtonState state_ = bsUp;
    ClickTracker clicks_;
    QImage gradient_;
};

// Fills img with the 256-step vertical gradient from top to bottom: row y
// takes step i = y * 255 / (h - 1), whose components are
// top + i * (bottom - top) / 255. The first row is exactly top, the last
// exactly bottom, whatever the height.
void fillGradient(QImage& img, ColorCode top, ColorCode bottom);

} // namespace kyt
