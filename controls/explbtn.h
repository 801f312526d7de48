#pragma once
// TExplorerButton: a flat button with an optional picture. It shows a thin
// raised edge only while the pointer is over it, a sunken edge with its
// content moved one pixel down and right while pressed or latched down, and
// its caption in UnselectedFontColor (its picture in grey with
// boMonoDisplay) while the pointer is elsewhere. It clicks on release over
// it, latches within a group, and can open a drop-down menu instead.

#include "Colors.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>



namespace kyt {

class TExplorerButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString About READ About WRITE setAbout)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(TBevelStyle BevelStyle READ BevelStyle WRITE setBevelStyle)
    Q_PROPERTY(QImage NoFocusBitmap READ NoFocusBitmap WRITE setNoFocusBitmap)
    Q_PROPERTY(QImage Bitmap READ Bitmap WRITE setBitmap)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(QImage DisabledBitmap READ DisabledBitmap WRITE setDisabledBitmap)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(QMenu* DropDownMenu READ DropDownMenu WRITE setDropDownMenu)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(TExplorerButtonLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(TExplorerButtonOptions Options READ Options WRITE setOptions)
    Q_PROPERTY(TShadingType ShadingType READ ShadingType WRITE setShadingType)
    Q_PROPERTY(bool ShowDownPattern READ ShowDownPattern WRITE setShowDownPattern)
    Q_PROPERTY(kyt::TColor UnselectedFontColor READ UnselectedFontColor WRITE setUnselectedFontColor)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(kyt::TColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TBevelStyle { bsLowered, bsRaised };
    Q_ENUM(TBevelStyle)
    enum TExplorerButtonLayout { blBitmapTop, blBitmapBottom, blBitmapLeft, blBitmapRight };
    Q_ENUM(TExplorerButtonLayout)
    enum TExplorerButtonOption { boMonoDisplay = 1, boIconOnly = 2, boPopupMark = 4 };
    Q_DECLARE_FLAGS(TExplorerButtonOptions, TExplorerButtonOption)
    Q_FLAG(TExplorerButtonOptions)
    enum TShadingType { stLight, stMedium, stDark };
    Q_ENUM(TShadingType)

    explicit TExplorerButton(QWidget* parent = nullptr);

    QString About() const { return FAbout; }
    TAlignment Alignment() const { return FAlignment; }
    bool AllowAllUp() const { return FAllowAllUp; }
    TBevelStyle BevelStyle() const { return FBevelStyle; }
    QImage NoFocusBitmap() const { return FNoFocusBitmap; }
    QImage Bitmap() const { return FBitmap; }
    QString Caption() const { return FCaption; }
    int GroupIndex() const { return FGroupIndex; }
    QImage DisabledBitmap() const { return FDisabledBitmap; }
    bool Down() const { return FDown; }
    QMenu* DropDownMenu() const { return FDropDownMenu; }
    TExplorerButtonLayout Layout() const { return FLayout; }
    TExplorerButtonOptions Options() const { return FOptions; }
    TShadingType ShadingType() const { return FShadingType; }
    bool ShowDownPattern() const { return FShowDownPattern; }
    TColor UnselectedFontColor() const { return FUnselectedFontColor; }
    bool WordWrap() const { return FWordWrap; }
    TColor FontColor() const { return FFontColor; }

    void setAbout(const QString& value) { FAbout = value; }
    void setAlignment(TAlignment value);
    void setAllowAllUp(bool value);
    void setBevelStyle(TBevelStyle value);
    void setNoFocusBitmap(const QImage& value);
    void setBitmap(const QImage& value);
    void setCaption(const QString& value);
    void setGroupIndex(int value);
    void setDisabledBitmap(const QImage& value);
    // Only a member of a group stays down; latching one releases the
    // others of its group on the same parent.
    void setDown(bool value);
    void setDropDownMenu(QMenu* value);
    void setLayout(TExplorerButtonLayout value);
    void setOptions(TExplorerButtonOptions value);
    void setShadingType(TShadingType value);
    void setShowDownPattern(bool value);
    void setUnselectedFontColor(TColor value);
    void setWordWrap(bool value);
    void setFontColor(TColor value);

    bool MouseInControl() const { return FMouseInside; }
    // Whether the button shows its sunken look now.
    bool Sunken() const { return FDown || (FPressing && FMouseInside); }

    // What a press and release over the button do.
    void Click();

signals:
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateShortcut();
    void releaseGroup();
    bool hasPopup() const;
    QImage shownBitmap() const;
    void rebuildImages();

    QString FAbout;
    TAlignment FAlignment = taCenter;
    bool FAllowAllUp = false;
    TBevelStyle FBevelStyle = bsRaised;
    QImage FNoFocusBitmap, FBitmap, FDisabledBitmap;
    QImage FGrayBitmap, FEngravedBitmap;  // made from Bitmap when needed
    QString FCaption;
    int FGroupIndex = 0;
    bool FDown = false;
    QPointer<QMenu> FDropDownMenu;
    TExplorerButtonLayout FLayout = blBitmapTop;
    TExplorerButtonOptions FOptions = TExplorerButtonOptions(boMonoDisplay | boPopupMark);
    TShadingType FShadingType = stMedium;
    bool FShowDownPattern = true;
    TColor FUnselectedFontColor = clWindowText;
    bool FWordWrap = false;
    TColor FFontColor = clWindowText;
    bool FMouseInside = false;
    bool FPressing = false;
    int FShortcutId = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TExplorerButton::TExplorerButtonOptions)

}  // namespace kyt
