#pragma once
// ExplorerButton: a flat button with an optional picture. It shows a thin
// raised edge only while the pointer is over it, a sunken edge with its
// content moved one pixel down and right while pressed or latched down, and
// its caption in unselectedFontColor (its picture in grey with
// boMonoDisplay) while the pointer is elsewhere. It clicks on release over
// it, latches within a group, and can open a drop-down menu instead.

#include "ClickTracker.h"
#include "Colors.h"
#include "PropertyHelpers.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace kyt {

class ExplorerButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString about READ about WRITE setAbout NOTIFY aboutChanged)
    Q_PROPERTY(Alignment alignment READ alignment WRITE setAlignment NOTIFY alignmentChanged)
    Q_PROPERTY(bool allowAllUp READ allowAllUp WRITE setAllowAllUp NOTIFY allowAllUpChanged)
    Q_PROPERTY(BevelStyle bevelStyle READ bevelStyle WRITE setBevelStyle NOTIFY bevelStyleChanged)
    Q_PROPERTY(
        QImage noFocusBitmap READ noFocusBitmap WRITE setNoFocusBitmap NOTIFY noFocusBitmapChanged)
    Q_PROPERTY(QImage bitmap READ bitmap WRITE setBitmap NOTIFY bitmapChanged)
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex NOTIFY groupIndexChanged)
    Q_PROPERTY(QImage disabledBitmap READ disabledBitmap WRITE setDisabledBitmap NOTIFY
            disabledBitmapChanged)
    Q_PROPERTY(bool down READ down WRITE setDown NOTIFY downChanged)
    Q_PROPERTY(
        QMenu* dropDownMenu READ dropDownMenu WRITE setDropDownMenu NOTIFY dropDownMenuChanged)
    Q_PROPERTY(ButtonLayout layout READ layout WRITE setLayout NOTIFY layoutChanged)
    Q_PROPERTY(Options options READ options WRITE setOptions NOTIFY optionsChanged)
    Q_PROPERTY(
        ShadingType shadingType READ shadingType WRITE setShadingType NOTIFY shadingTypeChanged)
    Q_PROPERTY(bool showDownPattern READ showDownPattern WRITE setShowDownPattern NOTIFY
            showDownPatternChanged)
    Q_PROPERTY(kyt::ColorCode unselectedFontColor READ unselectedFontColor WRITE
            setUnselectedFontColor NOTIFY unselectedFontColorChanged)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap NOTIFY wordWrapChanged)
    Q_PROPERTY(kyt::ColorCode fontColor READ fontColor WRITE setFontColor NOTIFY fontColorChanged)

public:
    enum Alignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(Alignment)
    enum BevelStyle { bsLowered, bsRaised };
    Q_ENUM(BevelStyle)
    enum ButtonLayout { blBitmapTop, blBitmapBottom, blBitmapLeft, blBitmapRight };
    Q_ENUM(ButtonLayout)
    enum Option { boMonoDisplay = 1, boIconOnly = 2, boPopupMark = 4 };
    Q_DECLARE_FLAGS(Options, Option)
    Q_FLAG(Options)
    enum ShadingType { stLight, stMedium, stDark };
    Q_ENUM(ShadingType)

    explicit ExplorerButton(QWidget* parent = nullptr);

    QString about() const { return about_; }
    Alignment alignment() const { return alignment_; }
    bool allowAllUp() const { return allowAllUp_; }
    BevelStyle bevelStyle() const { return bevelStyle_; }
    QImage noFocusBitmap() const { return FNoFocusBitmap; }
    QImage bitmap() const { return bitmap_; }
    QString caption() const { return caption_; }
    int groupIndex() const { return groupIndex_; }
    QImage disabledBitmap() const { return disabledBitmap_; }
    bool down() const { return down_; }
    QMenu* dropDownMenu() const { return dropDownMenu_; }
    ButtonLayout layout() const { return layout_; }
    Options options() const { return options_; }
    ShadingType shadingType() const { return shadingType_; }
    bool showDownPattern() const { return showDownPattern_; }
    ColorCode unselectedFontColor() const { return unselectedFontColor_; }
    bool wordWrap() const { return wordWrap_; }
    ColorCode fontColor() const { return fontColor_; }

    void setAbout(const QString& value)
    {
        assign(this, about_, value, &ExplorerButton::aboutChanged);
    }
    void setAlignment(Alignment value);
    void setAllowAllUp(bool value);
    void setBevelStyle(BevelStyle value);
    void setNoFocusBitmap(const QImage& value);
    void setBitmap(const QImage& value);
    void setCaption(const QString& value);
    void setGroupIndex(int value);
    void setDisabledBitmap(const QImage& value);
    // Only a member of a group stays down; latching one releases the
    // others of its group on the same parent.
    void setDown(bool value);
    void setDropDownMenu(QMenu* value);
    void setLayout(ButtonLayout value);
    void setOptions(Options value);
    void setShadingType(ShadingType value);
    void setShowDownPattern(bool value);
    void setUnselectedFontColor(ColorCode value);
    void setWordWrap(bool value);
    void setFontColor(ColorCode value);

    bool MouseInControl() const { return mouseInside_; }
    // Whether the button shows its sunken look now.
    bool Sunken() const { return down_ || (clicks_.tracking() && mouseInside_); }

    // What a press and release over the button do.
    void Click();

signals:
    void aboutChanged(const QString& about);
    void alignmentChanged(Alignment alignment);
    void allowAllUpChanged(bool allowAllUp);
    void bevelStyleChanged(BevelStyle bevelStyle);
    void noFocusBitmapChanged(const QImage& noFocusBitmap);
    void bitmapChanged(const QImage& bitmap);
    void captionChanged(const QString& caption);
    void groupIndexChanged(int groupIndex);
    void disabledBitmapChanged(const QImage& disabledBitmap);
    void downChanged(bool down);
    void dropDownMenuChanged(QMenu* dropDownMenu);
    void layoutChanged(ButtonLayout layout);
    void optionsChanged(Options options);
    void shadingTypeChanged(ShadingType shadingType);
    void showDownPatternChanged(bool showDownPattern);
    void unselectedFontColorChanged(kyt::ColorCode unselectedFontColor);
    void wordWrapChanged(bool wordWrap);
    void fontColorChanged(kyt::ColorCode fontColor);

    void clicked();

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

    QString about_;
    Alignment alignment_ = taCenter;
    bool allowAllUp_ = false;
    BevelStyle bevelStyle_ = bsRaised;
    QImage FNoFocusBitmap, bitmap_, disabledBitmap_;
    QImage FGrayBitmap, engravedBitmap_; // made from Bitmap when needed
    QString caption_;
    int groupIndex_ = 0;
    bool down_ = false;
    QPointer<QMenu> dropDownMenu_;
    ButtonLayout layout_ = blBitmapTop;
    Options options_ = Options(boMonoDisplay | boPopupMark);
    ShadingType shadingType_ = stMedium;
    bool showDownPattern_ = true;
    ColorCode unselectedFontColor_ = clWindowText;
    bool wordWrap_ = false;
    ColorCode fontColor_ = clWindowText;
    bool mouseInside_ = false;
    ClickTracker clicks_;
    int shortcutId_ = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ExplorerButton::Options)

} // namespace kyt
