#pragma once
// TALed: the desk's indicator lamp. Shows one of two pre-rendered images (lit
// or unlit) and blinks on its own timer while it is on and Blink is set.

#include "Colors.h"

#include <QImage>
#include <QWidget>

class QTimer;

namespace kyt {

class TALed : public QWidget {
    Q_OBJECT
public:
    enum TLEDStyle { LEDSmall, LEDLarge, LEDSqSmall, LEDSqLarge, LEDVertical, LEDHorizontal };
    Q_ENUM(TLEDStyle)

    Q_PROPERTY(kyt::TColor TrueColor READ TrueColor WRITE setTrueColor)
    Q_PROPERTY(kyt::TColor FalseColor READ FalseColor WRITE setFalseColor)
    Q_PROPERTY(bool Blink READ Blink WRITE setBlink)
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)
    Q_PROPERTY(TLEDStyle LEDStyle READ LEDStyle WRITE setLEDStyle)

    explicit TALed(QWidget* parent = nullptr);
    ~TALed() override;

    TColor TrueColor() const { return trueColor_; }
    TColor FalseColor() const { return falseColor_; }
    bool Blink() const { return blink_; }
    bool Value() const { return value_; }
    int Interval() const { return interval_; }
    TLEDStyle LEDStyle() const { return ledStyle_; }

    void setTrueColor(TColor c);
    void setFalseColor(TColor c);
    void setBlink(bool b);
    void setValue(bool v);
    void setInterval(int ms);
    void setLEDStyle(TLEDStyle s);

    // 0 while the lit image is on show, 1 while the unlit one is.
    int currentFrame() const { return frame_; }
    const QImage& litImage() const { return lit_; }
    const QImage& unlitImage() const { return unlit_; }
    // The blink timer; null while the lamp does not blink.
    const QTimer* blinkTimer() const { return timer_; }

    // Size of a style's control and image.
    static QSize styleSize(TLEDStyle s);

public slots:
    // One blink step: flips the frame, shows it at once, fires OnTimer.
    void blinkTick();

signals:
    void OnTimer(QObject* Sender);
    void OnMouseEnter(QObject* Sender);
    void OnMouseLeave(QObject* Sender);
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void rebuildImages();
    void showFrame(int frame);
    void startBlinkTimer();
    void stopBlinkTimer();
    void setColor(TColor& field, TColor c);

    QImage lit_;
    QImage unlit_;
    QTimer* timer_ = nullptr;
    TColor trueColor_ = clLime;
    TColor falseColor_ = clSilver;
    bool blink_ = true;
    TLEDStyle ledStyle_ = LEDSmall;
    int interval_ = 1000;
    bool value_ = false;
    int frame_ = 1;
    bool pressed_ = false;
};

}  // namespace kyt
