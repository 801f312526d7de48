#pragma once
// TLabel3D: a text label whose caption is drawn raised, lowered or with a
// drop shadow. Also home of the embossed-text drawing that the titled panel
// and the 3-D push button share.

#include "Colors.h"

#include <QPointer>
#include <QWidget>

class QPainter;

namespace kyt {

// Kinds of embossed text.
enum class Emboss { None, Lowered, Raised, Shadow };

// Draws text laid out in r with Qt text flags, embossed:
// - None: once in fontColor;
// - otherwise, with a transparent background: (1) unless Shadow and only
//   while enabled, a copy shifted by (-s, -s) in light (raised) or dark
//   (lowered); (2) a copy shifted by (+s, +s) in dark (raised, shadow) or
//   light (lowered); (3) the text at r in fontColor, or in clGrayText when
//   disabled.
void drawEmbossedText(QPainter& p, const QRect& r, int flags, const QString& text,
                      Emboss kind, int s, TColor light, TColor dark, TColor fontColor,
                      bool enabled);

// Colour a control fills its background with: its own colour, or, while it
// takes its parent's colour, the parent's background colour.
QColor backgroundOf(const QWidget* w, TColor ownColor, bool parentColor);

class TLabel3D : public QWidget {
    Q_OBJECT
    // The plain label's properties.
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(kyt::TColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE setShowAccelChar)
    Q_PROPERTY(QWidget* FocusControl READ FocusControl WRITE setFocusControl)
    // Its own.
    Q_PROPERTY(kyt::TColor HighLightColor READ HighLightColor WRITE setHighLightColor)
    Q_PROPERTY(kyt::TColor ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(TLabel3DBevel Bevel READ Bevel WRITE setBevel)
    Q_PROPERTY(quint8 ShadowSize READ ShadowSize WRITE setShadowSize)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TLabel3DBevel { bvNone, bvLowered, bvRaised, bvShadow };
    Q_ENUM(TLabel3DBevel)

    explicit TLabel3D(QWidget* parent = nullptr);
    explicit TLabel3D(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    TColor Color() const { return FColor; }
    bool ParentColor() const { return FParentColor; }
    TColor FontColor() const { return FFontColor; }
    TAlignment Alignment() const { return FAlignment; }
    bool AutoSize() const { return FAutoSize; }
    bool Transparent() const { return FTransparent; }
    bool WordWrap() const { return FWordWrap; }
    bool ShowAccelChar() const { return FShowAccelChar; }
    QWidget* FocusControl() const { return FFocusControl; }
    TColor HighLightColor() const { return FHighLightColor; }
    TColor ShadowColor() const { return FShadowColor; }
    TLabel3DBevel Bevel() const { return FBevel; }
    quint8 ShadowSize() const { return FShadowSize; }

    void setCaption(const QString& value);
    // Setting a colour makes the label stop taking its parent's colour.
    void setColor(TColor value);
    void setParentColor(bool value);
    void setFontColor(TColor value);
    void setAlignment(TAlignment value);
    void setAutoSize(bool value);
    void setTransparent(bool value);
    void setWordWrap(bool value);
    void setShowAccelChar(bool value);
    void setFocusControl(QWidget* value);
    void setHighLightColor(TColor value);
    void setShadowColor(TColor value);
    void setBevel(TLabel3DBevel value);
    void setShadowSize(quint8 value);

    // Size the caption needs (what auto-size gives the label).
    QSize TextExtent() const;

    QSize sizeHint() const override { return TextExtent(); }

signals:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);

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

    QString FCaption;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    TColor FFontColor = clWindowText;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    QPointer<QWidget> FFocusControl;
    TColor FHighLightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    TLabel3DBevel FBevel = bvRaised;
    quint8 FShadowSize = 1;
    int FShortcutId = 0;
    bool FPressed = false;
};

}  // namespace kyt
