// HemisphereButton: the round push button of the desk.
//
// HemisphereButton looks like a shaded dome inside bevelled rings. It is
// pressed in while the pointer holds it down on its face and reports clicked()
// when released over the face, still shown pressed while the handler runs.
// Buttons of the same parent with the same non-zero GroupIndex latch like
// radio buttons.
//
// Both looks (raised and pressed) are rendered into images whenever a
// property or the size changes; painting only copies the right one.
#pragma once

#include "ClickTracker.h"
#include "Colors.h"
#include "PropertyHelpers.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>

namespace kyt {

class HemisphereButton : public QWidget {
    Q_OBJECT
public:
    enum Bevel { hbNone, hbLowered, hbRaised };
    Q_ENUM(Bevel)
    enum BorderStyle { bsNone, bsSingle };
    Q_ENUM(BorderStyle)

    Q_PROPERTY(bool allowAllUp READ allowAllUp WRITE setAllowAllUp NOTIFY allowAllUpChanged)
    Q_PROPERTY(Bevel bevelInner READ bevelInner WRITE setBevelInner NOTIFY bevelInnerChanged)
    Q_PROPERTY(Bevel bevelOuter READ bevelOuter WRITE setBevelOuter NOTIFY bevelOuterChanged)
    Q_PROPERTY(int bevelWidth READ bevelWidth WRITE setBevelWidth NOTIFY bevelWidthChanged)
    Q_PROPERTY(
        kyt::ColorCode borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(
        BorderStyle borderStyle READ borderStyle WRITE setBorderStyle NOTIFY borderStyleChanged)
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(
        kyt::ColorCode colorBright READ colorBright WRITE setColorBright NOTIFY colorBrightChanged)
    Q_PROPERTY(kyt::ColorCode colorDark READ colorDark WRITE setColorDark NOTIFY colorDarkChanged)
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex NOTIFY groupIndexChanged)
    Q_PROPERTY(bool pressed READ pressed WRITE setPressed NOTIFY pressedChanged)

public:
    explicit HemisphereButton(QWidget* parent = nullptr);
    ~HemisphereButton() override;

    bool allowAllUp() const { return allowAllUp_; }
    Bevel bevelInner() const { return bevelInner_; }
    Bevel bevelOuter() const { return bevelOuter_; }
    int bevelWidth() const { return bevelWidth_; }
    ColorCode borderColor() const { return borderColor_; }
    BorderStyle borderStyle() const { return borderStyle_; }
    QString caption() const { return caption_; }
    ColorCode colorBright() const { return colorBright_; }
    ColorCode colorDark() const { return colorDark_; }
    int groupIndex() const { return groupIndex_; }
    bool pressed() const { return pressed_; }

    // Within a group (GroupIndex not 0, not loading) the value goes to every
    // button of the same parent and group.
    void setAllowAllUp(bool value);
    void setBevelInner(Bevel value);
    void setBevelOuter(Bevel value);
    // Widths of 0 or less are ignored.
    void setBevelWidth(int value);
    void setBorderColor(ColorCode value);
    void setBorderStyle(BorderStyle value);
    void setCaption(const QString& value);
    // The colours are stored and the face rendered again even when the value
    // is the one held.
    void setColorBright(ColorCode value);
    void setColorDark(ColorCode value);
    void setGroupIndex(int value)
    {
        assign(this, groupIndex_, value, &HemisphereButton::groupIndexChanged);
    }
    // Shows the pressed or raised look at once.
    void setPressed(bool value);

    // While the button is being set up from a stored layout nothing is
    // rendered; EndLoading renders the looks for the final properties.
    void BeginLoading() { loading_ = true; }
    void EndLoading();
    bool Loading() const { return loading_; }

    // Whether the point (control coordinates) lies on the face inside the
    // bevel rings.
    bool HitTest(int x, int y) const;

    // The rendered looks, raised and pressed, for the current size.
    const QImage& ImageOut();
    const QImage& ImageIn();

    QSize sizeHint() const override { return QSize(18, 17); }

signals:
    void allowAllUpChanged(bool allowAllUp);
    void bevelInnerChanged(Bevel bevelInner);
    void bevelOuterChanged(Bevel bevelOuter);
    void bevelWidthChanged(int bevelWidth);
    void borderColorChanged(kyt::ColorCode borderColor);
    void borderStyleChanged(BorderStyle borderStyle);
    void captionChanged(const QString& caption);
    void colorBrightChanged(kyt::ColorCode colorBright);
    void colorDarkChanged(kyt::ColorCode colorDark);
    void groupIndexChanged(int groupIndex);
    void pressedChanged(bool pressed);

    // Released over the face; the button still shows pressed meanwhile.
    void clicked();
    // The press of the second click of a double click.
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Press(QMouseEvent* event, bool doubleClick);
    void CheckSize();
    void Render(); // marks the looks for drawing at their next use
    void RenderIfStale();
    void Changed(); // render, then paint at once
    QImage RenderLook(bool convex) const;
    int RingCount() const;

    QImage imageOut_;
    QImage imageIn_;
    QRegion clip_; // the filled ellipse of the rendered size
    ColorCode colorDark_;
    ColorCode colorBright_;
    ClickTracker clicks_ {ClickTracker::AnyButton};
    bool wasPressed_ = false;
    bool pressed_ = false;
    bool stale_ = false; // the looks are to be drawn again before use
    int renderedWidth_ = -1;
    int renderedHeight_ = -1;
    QString caption_;
    int bevelWidth_ = 1;
    Bevel bevelOuter_ = hbLowered;
    Bevel bevelInner_ = hbNone;
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    BorderStyle borderStyle_ = bsNone;
    ColorCode borderColor_;
    bool loading_ = false;
};

} // namespace kyt
