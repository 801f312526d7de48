#pragma once
// Led: the desk's indicator lamp. Shows one of two pre-rendered images (lit
// or unlit) and blinks on its own timer while it is on and Blink is set.

#include "ClickTracker.h"
#include "Colors.h"

#include <QImage>
#include <QWidget>

class QTimer;

namespace kyt {

class Led : public QWidget {
    Q_OBJECT
public:
    enum LedStyle { LEDSmall, LEDLarge, LEDSqSmall, LEDSqLarge, LEDVertical, LEDHorizontal };
    Q_ENUM(LedStyle)

    Q_PROPERTY(kyt::ColorCode trueColor READ trueColor WRITE setTrueColor NOTIFY trueColorChanged)
    Q_PROPERTY(
        kyt::ColorCode falseColor READ falseColor WRITE setFalseColor NOTIFY falseColorChanged)
    Q_PROPERTY(bool blink READ blink WRITE setBlink NOTIFY blinkChanged)
    Q_PROPERTY(bool value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(int interval READ interval WRITE setInterval NOTIFY intervalChanged)
    Q_PROPERTY(LedStyle ledStyle READ ledStyle WRITE setLEDStyle NOTIFY ledStyleChanged)

    explicit Led(QWidget* parent = nullptr);
    ~Led() override;

    ColorCode trueColor() const { return trueColor_; }
    ColorCode falseColor() const { return falseColor_; }
    bool blink() const { return blink_; }
    bool value() const { return value_; }
    int interval() const { return interval_; }
    LedStyle ledStyle() const { return ledStyle_; }

    void setTrueColor(ColorCode c);
    void setFalseColor(ColorCode c);
    void setBlink(bool b);
    void setValue(bool v);
    void setInterval(int ms);
    void setLEDStyle(LedStyle s);

    // 0 while the lit image is on show, 1 while the unlit one is.
    int currentFrame() const { return frame_; }
    const QImage& litImage() const { return lit_; }
    const QImage& unlitImage() const { return unlit_; }
    // The blink timer; null while the lamp does not blink.
    const QTimer* blinkTimer() const { return timer_; }

    // Size of a style's control and image.
    static QSize styleSize(LedStyle s);

public slots:
    // One blink step: flips the frame, shows it at once, emits blinked().
    void blinkTick();

signals:
    void trueColorChanged(kyt::ColorCode trueColor);
    void falseColorChanged(kyt::ColorCode falseColor);
    void blinkChanged(bool blink);
    void valueChanged(bool value);
    void intervalChanged(int interval);
    void ledStyleChanged(LedStyle ledStyle);

    void blinked();
    void mouseEntered();
    void mouseLeft();
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void rebuildImages();
    // Shows a frame (0 lit, 1 unlit), repainting at once if it is another
    // one and paint is set.
    void showFrame(int frame, bool paint = true);
    void startBlinkTimer();
    void stopBlinkTimer();
    void setColor(ColorCode& field, ColorCode c, void (Led::*changed)(kyt::ColorCode));
    void restartBlinking(bool paint = true);

    QImage lit_;
    QImage unlit_;
    QTimer* timer_ = nullptr;
    ColorCode trueColor_ = clLime;
    ColorCode falseColor_ = clSilver;
    bool blink_ = true;
    LedStyle ledStyle_ = LEDSmall;
    int interval_ = 1000;
    bool value_ = false;
    int frame_ = 1;
    ClickTracker clicks_;
};

} // namespace kyt
