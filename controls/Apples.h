#pragma once
// TApples: the relay-state indicator. Draws its picture as many times as
// Value says, the last copy cut to the fraction, inside an optional sunken
// frame; picture pixels of the transparent colour show the background.

#include "Colors.h"

#include <QImage>
#include <QWidget>

#include <stdexcept>

namespace kyt {

// A picture name that the program does not hold.
class EResNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TApples : public QWidget {
    Q_OBJECT
public:
    Q_PROPERTY(QImage Apple READ Apple WRITE setApple)
    Q_PROPERTY(bool Border READ Border WRITE setBorder)
    Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE setCtl3D)
    Q_PROPERTY(bool LineWrap READ LineWrap WRITE setLineWrap)
    Q_PROPERTY(kyt::TColor TransparentColor READ TransparentColor WRITE setTransparentColor)
    Q_PROPERTY(double Value READ Value WRITE setValue)

    explicit TApples(QWidget* parent = nullptr);

    const QImage& Apple() const { return apple_; }
    bool Border() const { return border_; }
    TColor Color() const { return color_; }
    bool Ctl3D() const { return ctl3D_; }
    bool LineWrap() const { return lineWrap_; }
    TColor TransparentColor() const { return transparentColor_; }
    double Value() const { return value_; }

    // Takes a copy of b; a non-empty b also makes its top-left pixel colour
    // the transparent colour. Repaints at once.
    void setApple(const QImage& b);
    void setBorder(bool b);
    void setColor(TColor c);
    void setCtl3D(bool b);
    void setLineWrap(bool b);
    void setTransparentColor(TColor c);
    void setValue(double x);

    // Loads the named picture (case does not matter) into the held picture
    // without repainting and without touching TransparentColor: the control
    // shows it at its next repaint. Throws EResNotFound, keeping the held
    // picture, if there is no such picture.
    void loadApple(const QString& name);

    // What the control shows, composed at the last change.
    const QImage& face() const { return face_; }

signals:
    void OnClick(QObject* Sender);
    void OnDblClick(QObject* Sender);
    void OnMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void compose();
    void refresh();

    QImage apple_;
    bool border_ = true;
    TColor color_ = clWindow;
    bool ctl3D_ = true;
    bool lineWrap_ = false;
    TColor transparentColor_ = clOlive;
    double value_ = 0;

    QImage face_;
    bool pressed_ = false;
};

}  // namespace kyt
