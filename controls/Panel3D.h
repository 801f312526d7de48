#pragma once
// Panel3D: a panel with an embossed caption and an optional embossed title
// strip at its top edge. Its frame starts about half a title line below the
// top edge, whether or not there is a title.

#include "ClickTracker.h"
#include "Colors.h"

#include <QWidget>

namespace kyt {

class Panel3D : public QWidget {
    Q_OBJECT
    // The plain panel's properties.
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(Alignment alignment READ alignment WRITE setAlignment NOTIFY alignmentChanged)
    Q_PROPERTY(Bevel bevelOuter READ bevelOuter WRITE setBevelOuter NOTIFY bevelOuterChanged)
    Q_PROPERTY(Bevel bevelInner READ bevelInner WRITE setBevelInner NOTIFY bevelInnerChanged)
    Q_PROPERTY(int bevelWidth READ bevelWidth WRITE setBevelWidth NOTIFY bevelWidthChanged)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth NOTIFY borderWidthChanged)
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor NOTIFY fontColorChanged)
    // Its own.
    Q_PROPERTY(Alignment alignmentTitle READ alignmentTitle WRITE setAlignmentTitle NOTIFY
            alignmentTitleChanged)
    Q_PROPERTY(
        TextBevel bevelCaption READ bevelCaption WRITE setBevelCaption NOTIFY bevelCaptionChanged)
    Q_PROPERTY(TextBevel bevelTitle READ bevelTitle WRITE setBevelTitle NOTIFY bevelTitleChanged)
    Q_PROPERTY(Bevel borderTitle READ borderTitle WRITE setBorderTitle NOTIFY borderTitleChanged)
    Q_PROPERTY(
        kyt::ColorCode colorTitle READ colorTitle WRITE setColorTitle NOTIFY colorTitleChanged)
    Q_PROPERTY(QFont fontTitle READ fontTitle WRITE setFontTitle NOTIFY fontTitleChanged)
    Q_PROPERTY(kyt::ColorCode fontTitleColor READ fontTitleColor WRITE setFontTitleColor NOTIFY
            fontTitleColorChanged)
    Q_PROPERTY(kyt::ColorCode hColorCaption READ hColorCaption WRITE setHColorCaption NOTIFY
            hColorCaptionChanged)
    Q_PROPERTY(
        kyt::ColorCode hColorTitle READ hColorTitle WRITE setHColorTitle NOTIFY hColorTitleChanged)
    Q_PROPERTY(RepaintPart rePaintCT READ rePaintCT WRITE setRePaintCT NOTIFY rePaintCTChanged)
    Q_PROPERTY(kyt::ColorCode sColorCaption READ sColorCaption WRITE setSColorCaption NOTIFY
            sColorCaptionChanged)
    Q_PROPERTY(
        kyt::ColorCode sColorTitle READ sColorTitle WRITE setSColorTitle NOTIFY sColorTitleChanged)
    Q_PROPERTY(quint8 shadowSizeCaption READ shadowSizeCaption WRITE setShadowSizeCaption NOTIFY
            shadowSizeCaptionChanged)
    Q_PROPERTY(quint8 shadowSizeTitle READ shadowSizeTitle WRITE setShadowSizeTitle NOTIFY
            shadowSizeTitleChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(VerticalAlignment vertAlignment READ vertAlignment WRITE setVertAlignment NOTIFY
            vertAlignmentChanged)

public:
    enum Alignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(Alignment)
    enum Bevel { bvNone, bvLowered, bvRaised };
    Q_ENUM(Bevel)
    enum TextBevel { bvNone3, bvLowered3, bvRaised3, bvShadow3 };
    Q_ENUM(TextBevel)
    enum RepaintPart { rpAll, rpCaption, rpTitle };
    Q_ENUM(RepaintPart)
    enum VerticalAlignment { vaTop, vaCenter, vaBottom };
    Q_ENUM(VerticalAlignment)

    explicit Panel3D(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    Alignment alignment() const { return alignment_; }
    Bevel bevelOuter() const { return bevelOuter_; }
    Bevel bevelInner() const { return bevelInner_; }
    int bevelWidth() const { return bevelWidth_; }
    int borderWidth() const { return borderWidth_; }
    ColorCode color() const { return color_; }
    ColorCode fontColor() const { return fontColor_; }
    Alignment alignmentTitle() const { return alignmentTitle_; }
    TextBevel bevelCaption() const { return bevelCaption_; }
    TextBevel bevelTitle() const { return bevelTitle_; }
    Bevel borderTitle() const { return borderTitle_; }
    ColorCode colorTitle() const { return colorTitle_; }
    QFont fontTitle() const { return fontTitle_; }
    ColorCode fontTitleColor() const { return fontTitleColor_; }
    ColorCode hColorCaption() const { return hColorCaption_; }
    ColorCode hColorTitle() const { return hColorTitle_; }
    RepaintPart rePaintCT() const { return rePaintCT_; }
    ColorCode sColorCaption() const { return sColorCaption_; }
    ColorCode sColorTitle() const { return sColorTitle_; }
    quint8 shadowSizeCaption() const { return shadowSizeCaption_; }
    quint8 shadowSizeTitle() const { return shadowSizeTitle_; }
    QString title() const { return title_; }
    VerticalAlignment vertAlignment() const { return vertAlignment_; }

    void setCaption(const QString& value);
    void setAlignment(Alignment value);
    void setBevelOuter(Bevel value);
    void setBevelInner(Bevel value);
    // Widths below zero count as zero.
    void setBevelWidth(int value);
    void setBorderWidth(int value);
    void setColor(ColorCode value);
    void setFontColor(ColorCode value);
    void setAlignmentTitle(Alignment value);
    void setBevelCaption(TextBevel value);
    void setBevelTitle(TextBevel value);
    void setBorderTitle(Bevel value);
    void setColorTitle(ColorCode value);
    void setFontTitle(const QFont& value);
    void setFontTitleColor(ColorCode value);
    void setHColorCaption(ColorCode value);
    void setHColorTitle(ColorCode value);
    void setRePaintCT(RepaintPart value);
    void setSColorCaption(ColorCode value);
    void setSColorTitle(ColorCode value);
    void setShadowSizeCaption(quint8 value);
    void setShadowSizeTitle(quint8 value);
    void setTitle(const QString& value);
    void setVertAlignment(VerticalAlignment value);

    // Where the parts go in the client area (what the paint uses).
    // The rectangle inside the frame and its top before any bevel.
    QRect FrameRect() const;
    // The rectangle the caption is laid out in.
    QRect CaptionRect() const;
    // The title strip, widened by ShadowSizeTitle; empty without a title.
    QRect TitleStrip() const;

signals:
    void captionChanged(const QString& caption);
    void alignmentChanged(Alignment alignment);
    void bevelOuterChanged(Bevel bevelOuter);
    void bevelInnerChanged(Bevel bevelInner);
    void bevelWidthChanged(int bevelWidth);
    void borderWidthChanged(int borderWidth);
    void colorChanged(kyt::ColorCode color);
    void fontColorChanged(kyt::ColorCode fontColor);
    void alignmentTitleChanged(Alignment alignmentTitle);
    void bevelCaptionChanged(TextBevel bevelCaption);
    void bevelTitleChanged(TextBevel bevelTitle);
    void borderTitleChanged(Bevel borderTitle);
    void colorTitleChanged(kyt::ColorCode colorTitle);
    void fontTitleChanged(const QFont& fontTitle);
    void fontTitleColorChanged(kyt::ColorCode fontTitleColor);
    void hColorCaptionChanged(kyt::ColorCode hColorCaption);
    void hColorTitleChanged(kyt::ColorCode hColorTitle);
    void rePaintCTChanged(RepaintPart rePaintCT);
    void sColorCaptionChanged(kyt::ColorCode sColorCaption);
    void sColorTitleChanged(kyt::ColorCode sColorTitle);
    void shadowSizeCaptionChanged(quint8 shadowSizeCaption);
    void shadowSizeTitleChanged(quint8 shadowSizeTitle);
    void titleChanged(const QString& title);
    void vertAlignmentChanged(VerticalAlignment vertAlignment);

    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect innerRect(QPainter* p) const;
    QRect titleText() const;
    int captionFlags() const;
    void setChanged();

    QString caption_;
    Alignment alignment_ = taCenter;
    Bevel bevelOuter_ = bvRaised;
    Bevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    ColorCode color_ = clBtnFace;
    ColorCode fontColor_ = clWindowText;
    Alignment alignmentTitle_ = taLeftJustify;
    TextBevel bevelCaption_ = bvRaised3;
    TextBevel bevelTitle_ = bvRaised3;
    Bevel borderTitle_ = bvNone;
    ColorCode colorTitle_ = clBtnFace;
    QFont fontTitle_;
    ColorCode fontTitleColor_ = clWindowText;
    ColorCode hColorCaption_ = clBtnHighlight;
    ColorCode hColorTitle_ = clBtnHighlight;
    RepaintPart rePaintCT_ = rpAll;
    ColorCode sColorCaption_ = clBtnShadow;
    ColorCode sColorTitle_ = clBtnShadow;
    quint8 shadowSizeCaption_ = 1;
    quint8 shadowSizeTitle_ = 1;
    QString title_;
    VerticalAlignment vertAlignment_ = vaCenter;
    ClickTracker clicks_ {ClickTracker::LeftButtonLast};
};

} // namespace kyt
