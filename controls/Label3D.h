#pragma once
// Label3D: a text label whose caption is drawn raised, lowered or with a
// drop shadow. Also home of the embossed-text drawing that the titled panel
// and the 3-D push button share.

#include "ClickTracker.h"
#include "Colors.h"

#include <QPointer>
#include <QWidget>

class QPainter;

namespace kyt {

// Kinds of embossed text.
enum class Emboss { None, Lowered, Raised, Shadow };

// The emboss of a control's Bevel value (bvNone, bvLowered, bvRaised, bvShadow).
template <typename Bevel>
Emboss embossOf(Bevel bevel)
{
    switch (bevel) {
    case Bevel::bvNone: return Emboss::None;
    case Bevel::bvLowered: return Emboss::Lowered;
    case Bevel::bvRaised: return Emboss::Raised;
    case Bevel::bvShadow: return Emboss::Shadow;
    }
    return Emboss::None;
}

// Draws text laid out in r with Qt text flags, embossed:
// - None: once in fontColor;
// - otherwise, with a transparent background: (1) unless Shadow and only
//   while enabled, a copy shifted by (-s, -s) in light (raised) or dark
//   (lowered); (2) a copy shifted by (+s, +s) in dark (raised, shadow) or
//   light (lowered); (3) the text at r in fontColor, or in clGrayText when
//   disabled.
void drawEmbossedText(QPainter& p, const QRect& r, int flags, const QString& text, Emboss kind,
    int s, ColorCode light, ColorCode dark, ColorCode fontColor, bool enabled);

// Colour a control fills its background with: its own colour, or, while it
// takes its parent's colour, the parent's background colour.
QColor backgroundOf(const QWidget* w, ColorCode ownColor, bool parentColor);

class Label3D : public QWidget {
    Q_OBJECT
    // The plain label's properties.
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(bool parentColor READ parentColor WRITE setParentColor NOTIFY parentColorChanged)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor NOTIFY fontColorChanged)
    Q_PROPERTY(Alignment alignment READ alignment WRITE setAlignment NOTIFY alignmentChanged)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize NOTIFY autoSizeChanged)
    Q_PROPERTY(bool transparent READ transparent WRITE setTransparent NOTIFY transparentChanged)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap NOTIFY wordWrapChanged)
    Q_PROPERTY(
        bool showAccelChar READ showAccelChar WRITE setShowAccelChar NOTIFY showAccelCharChanged)
    Q_PROPERTY(
        QWidget* focusControl READ focusControl WRITE setFocusControl NOTIFY focusControlChanged)
    // Its own.
    Q_PROPERTY(kyt::ColorCode highLightColor READ highLightColor WRITE setHighLightColor NOTIFY
            highLightColorChanged)
    Q_PROPERTY(
        kyt::ColorCode shadowColor READ shadowColor WRITE setShadowColor NOTIFY shadowColorChanged)
    Q_PROPERTY(Bevel bevel READ bevel WRITE setBevel NOTIFY bevelChanged)
    Q_PROPERTY(quint8 shadowSize READ shadowSize WRITE setShadowSize NOTIFY shadowSizeChanged)

public:
    enum Alignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(Alignment)
    enum Bevel { bvNone, bvLowered, bvRaised, bvShadow };
    Q_ENUM(Bevel)

    explicit Label3D(QWidget* parent = nullptr);
    explicit Label3D(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    ColorCode color() const { return color_; }
    bool parentColor() const { return parentColor_; }
    ColorCode fontColor() const { return fontColor_; }
    Alignment alignment() const { return alignment_; }
    bool autoSize() const { return autoSize_; }
    bool transparent() const { return transparent_; }
    bool wordWrap() const { return wordWrap_; }
    bool showAccelChar() const { return showAccelChar_; }
    QWidget* focusControl() const { return focusControl_; }
    ColorCode highLightColor() const { return highLightColor_; }
    ColorCode shadowColor() const { return shadowColor_; }
    Bevel bevel() const { return bevel_; }
    quint8 shadowSize() const { return shadowSize_; }

    void setCaption(const QString& value);
    // Setting a colour makes the label stop taking its parent's colour.
    void setColor(ColorCode value);
    void setParentColor(bool value);
    void setFontColor(ColorCode value);
    void setAlignment(Alignment value);
    void setAutoSize(bool value);
    void setTransparent(bool value);
    void setWordWrap(bool value);
    void setShowAccelChar(bool value);
    void setFocusControl(QWidget* value);
    void setHighLightColor(ColorCode value);
    void setShadowColor(ColorCode value);
    void setBevel(Bevel value);
    void setShadowSize(quint8 value);

    // Size the caption needs (what auto-size gives the label).
    QSize TextExtent() const;

    QSize sizeHint() const override { return TextExtent(); }

signals:
    void captionChanged(const QString& caption);
    void colorChanged(kyt::ColorCode color);
    void parentColorChanged(bool parentColor);
    void fontColorChanged(kyt::ColorCode fontColor);
    void alignmentChanged(Alignment alignment);
    void autoSizeChanged(bool autoSize);
    void transparentChanged(bool transparent);
    void wordWrapChanged(bool wordWrap);
    void showAccelCharChanged(bool showAccelChar);
    void focusControlChanged(QWidget* focusControl);
    void highLightColorChanged(kyt::ColorCode highLightColor);
    void shadowColorChanged(kyt::ColorCode shadowColor);
    void bevelChanged(Bevel bevel);
    void shadowSizeChanged(quint8 shadowSize);

    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int textFlags() const;
    void adjustBounds();
    void updateShortcut();

    QString caption_;
    ColorCode color_ = clBtnFace;
    bool parentColor_ = true;
    ColorCode fontColor_ = clWindowText;
    Alignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    QPointer<QWidget> focusControl_;
    ColorCode highLightColor_ = clBtnHighlight;
    ColorCode shadowColor_ = clBtnShadow;
    Bevel bevel_ = bvRaised;
    quint8 shadowSize_ = 1;
    int shortcutId_ = 0;
    ClickTracker clicks_ {ClickTracker::LeftButtonLast};
};

} // namespace kyt
