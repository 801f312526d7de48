#pragma once
// TPanel3D: a panel with an embossed caption and an optional embossed title
// strip at its top edge. Its frame starts about half a title line below the
// top edge, whether or not there is a title.

#include "Colors.h"

#include <QWidget>

namespace kyt {

class TPanel3D : public QWidget {
    Q_OBJECT
    // The plain panel's properties.
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(TPanelBevel BevelOuter READ BevelOuter WRITE setBevelOuter)
    Q_PROPERTY(TPanelBevel BevelInner READ BevelInner WRITE setBevelInner)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(kyt::TColor FontColor READ FontColor WRITE setFontColor)
    // Its own.
    Q_PROPERTY(TAlignment AlignmentTitle READ AlignmentTitle WRITE setAlignmentTitle)
    Q_PROPERTY(TPanelText3DBevel BevelCaption READ BevelCaption WRITE setBevelCaption)
    Q_PROPERTY(TPanelText3DBevel BevelTitle READ BevelTitle WRITE setBevelTitle)
    Q_PROPERTY(TPanelBevel BorderTitle READ BorderTitle WRITE setBorderTitle)
    Q_PROPERTY(kyt::TColor ColorTitle READ ColorTitle WRITE setColorTitle)
    Q_PROPERTY(QFont FontTitle READ FontTitle WRITE setFontTitle)
    Q_PROPERTY(kyt::TColor FontTitleColor READ FontTitleColor WRITE setFontTitleColor)
    Q_PROPERTY(kyt::TColor HColorCaption READ HColorCaption WRITE setHColorCaption)
    Q_PROPERTY(kyt::TColor HColorTitle READ HColorTitle WRITE setHColorTitle)
    Q_PROPERTY(TPanel3DRePaintCT RePaintCT READ RePaintCT WRITE setRePaintCT)
    Q_PROPERTY(kyt::TColor SColorCaption READ SColorCaption WRITE setSColorCaption)
    Q_PROPERTY(kyt::TColor SColorTitle READ SColorTitle WRITE setSColorTitle)
    Q_PROPERTY(quint8 ShadowSizeCaption READ ShadowSizeCaption WRITE setShadowSizeCaption)
    Q_PROPERTY(quint8 ShadowSizeTitle READ ShadowSizeTitle WRITE setShadowSizeTitle)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(TPanel3DVertAlignment VertAlignment READ VertAlignment WRITE setVertAlignment)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TPanelBevel { bvNone, bvLowered, bvRaised };
    Q_ENUM(TPanelBevel)
    enum TPanelText3DBevel { bvNone3, bvLowered3, bvRaised3, bvShadow3 };
    Q_ENUM(TPanelText3DBevel)
    enum TPanel3DRePaintCT { rpAll, rpCaption, rpTitle };
    Q_ENUM(TPanel3DRePaintCT)
    enum TPanel3DVertAlignment { vaTop, vaCenter, vaBottom };
    Q_ENUM(TPanel3DVertAlignment)

    explicit TPanel3D(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    TAlignment Alignment() const { return FAlignment; }
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    TPanelBevel BevelInner() const { return FBevelInner; }
    int BevelWidth() const { return FBevelWidth; }
    int BorderWidth() const { return FBorderWidth; }
    TColor Color() const { return FColor; }
    TColor FontColor() const { return FFontColor; }
    TAlignment AlignmentTitle() const { return FAlignmentTitle; }
    TPanelText3DBevel BevelCaption() const { return FBevelCaption; }
    TPanelText3DBevel BevelTitle() const { return FBevelTitle; }
    TPanelBevel BorderTitle() const { return FBorderTitle; }
    TColor ColorTitle() const { return FColorTitle; }
    QFont FontTitle() const { return FFontTitle; }
    TColor FontTitleColor() const { return FFontTitleColor; }
    TColor HColorCaption() const { return FHColorCaption; }
    TColor HColorTitle() const { return FHColorTitle; }
    TPanel3DRePaintCT RePaintCT() const { return FRePaintCT; }
    TColor SColorCaption() const { return FSColorCaption; }
    TColor SColorTitle() const { return FSColorTitle; }
    quint8 ShadowSizeCaption() const { return FShadowSizeCaption; }
    quint8 ShadowSizeTitle() const { return FShadowSizeTitle; }
    QString Title() const { return FTitle; }
    TPanel3DVertAlignment VertAlignment() const { return FVertAlignment; }

    void setCaption(const QString& value);
    void setAlignment(TAlignment value);
    void setBevelOuter(TPanelBevel value);
    void setBevelInner(TPanelBevel value);
    // Widths below zero count as zero.
    void setBevelWidth(int value);
    void setBorderWidth(int value);
    void setColor(TColor value);
    void setFontColor(TColor value);
    void setAlignmentTitle(TAlignment value);
    void setBevelCaption(TPanelText3DBevel value);
    void setBevelTitle(TPanelText3DBevel value);
    void setBorderTitle(TPanelBevel value);
    void setColorTitle(TColor value);
    void setFontTitle(const QFont& value);
    void setFontTitleColor(TColor value);
    void setHColorCaption(TColor value);
    void setHColorTitle(TColor value);
    void setRePaintCT(TPanel3DRePaintCT value);
    void setSColorCaption(TColor value);
    void setSColorTitle(TColor value);
    void setShadowSizeCaption(quint8 value);
    void setShadowSizeTitle(quint8 value);
    void setTitle(const QString& value);
    void setVertAlignment(TPanel3DVertAlignment value);

    // Where the parts go in the client area (what the paint uses).
    // The rectangle inside the frame and its top before any bevel.
    QRect FrameRect() const;
    // The rectangle the caption is laid out in.
    QRect CaptionRect() const;
    // The title strip, widened by ShadowSizeTitle; empty without a title.
    QRect TitleStrip() const;

signals:
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect innerRect(QPainter* p) const;
    QRect titleText() const;
    int captionFlags() const;
    void setChanged();

    QString FCaption;
    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelOuter = bvRaised;
    TPanelBevel FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TColor FColor = clBtnFace;
    TColor FFontColor = clWindowText;
    TAlignment FAlignmentTitle = taLeftJustify;
    TPanelText3DBevel FBevelCaption = bvRaised3;
    TPanelText3DBevel FBevelTitle = bvRaised3;
    TPanelBevel FBorderTitle = bvNone;
    TColor FColorTitle = clBtnFace;
    QFont FFontTitle;
    TColor FFontTitleColor = clWindowText;
    TColor FHColorCaption = clBtnHighlight;
    TColor FHColorTitle = clBtnHighlight;
    TPanel3DRePaintCT FRePaintCT = rpAll;
    TColor FSColorCaption = clBtnShadow;
    TColor FSColorTitle = clBtnShadow;
    quint8 FShadowSizeCaption = 1;
    quint8 FShadowSizeTitle = 1;
    QString FTitle;
    TPanel3DVertAlignment FVertAlignment = vaCenter;
    bool FPressed = false;
};

}  // namespace kyt
