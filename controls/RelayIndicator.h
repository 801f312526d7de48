#pragma once
// RelayIndicator: the relay-state indicator. Draws its picture as many times as
// Value says, the last copy cut to the fraction, inside an optional sunken
// frame; picture pixels of the transparent colour show the background.

#include "ClickTracker.h"
#include "Colors.h"

#include <QImage>
#include <QWidget>

#include <stdexcept>

namespace kyt {

// A picture name that the program does not hold.
class ResourceNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class RelayIndicator : public QWidget {
    Q_OBJECT
public:
    Q_PROPERTY(QImage apple READ apple WRITE setApple NOTIFY appleChanged)
    Q_PROPERTY(bool border READ border WRITE setBorder NOTIFY borderChanged)
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(bool ctl3D READ ctl3D WRITE setCtl3D NOTIFY ctl3DChanged)
    Q_PROPERTY(bool lineWrap READ lineWrap WRITE setLineWrap NOTIFY lineWrapChanged)
    Q_PROPERTY(kyt::ColorCode transparentColor READ transparentColor WRITE setTransparentColor
            NOTIFY transparentColorChanged)
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)

    explicit RelayIndicator(QWidget* parent = nullptr);

    const QImage& apple() const { return apple_; }
    bool border() const { return border_; }
    ColorCode color() const { return color_; }
    bool ctl3D() const { return ctl3D_; }
    bool lineWrap() const { return lineWrap_; }
    ColorCode transparentColor() const { return transparentColor_; }
    double value() const { return value_; }

    // Takes a copy of b; a non-empty b also makes its top-left pixel colour
    // the transparent colour. Repaints at once.
    void setApple(const QImage& b);
    void setBorder(bool b);
    void setColor(ColorCode c);
    void setCtl3D(bool b);
    void setLineWrap(bool b);
    void setTransparentColor(ColorCode c);
    void setValue(double x);

    // Shows a relay look: the picture (as setApple takes it) drawn value
    // times. What changes is announced as by the single setters, and the
    // control repaints once, before returning, only if anything changed.
    void setLook(const QImage& picture, double value);

    // Loads the named picture (case does not matter) into the held picture
    // without repainting and without touching TransparentColor: the control
    // shows it at its next repaint. Throws ResourceNotFound, keeping the held
    // picture, if there is no such picture.
    void loadApple(const QString& name);

    // What the control shows. It is composed when first needed after a
    // change (at the next paint at the latest), not at every change: a
    // control being built has its properties set one after another.
    const QImage& face() const;

signals:
    void appleChanged(const QImage& apple);
    void borderChanged(bool border);
    void colorChanged(kyt::ColorCode color);
    void ctl3DChanged(bool ctl3D);
    void lineWrapChanged(bool lineWrap);
    void transparentColorChanged(kyt::ColorCode transparentColor);
    void valueChanged(double value);

    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    // Marks the face for composing anew.
    void compose() { faceStale_ = true; }
    void composeFace() const;
    void refresh();
    // Holds b as setApple does, announcing what changes; returns whether
    // anything did.
    bool takeApple(const QImage& b);

    QImage apple_;
    bool border_ = true;
    ColorCode color_ = clWindow;
    bool ctl3D_ = true;
    bool lineWrap_ = false;
    ColorCode transparentColor_ = clOlive;
    double value_ = 0;

    mutable QImage face_;
    mutable bool faceStale_ = true;
    ClickTracker clicks_;
};

} // namespace kyt
