#pragma once
// TDigits: a number, a time of day or a date drawn with digit cells cut from
// one bitmap strip, like a mechanical counter drum, with an optional rolling
// animation when the clock steps.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <stdexcept>

class QDateTime;
class QTimer;

namespace kyt {

// A strip or sign bitmap of the wrong shape.
class EDigitsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bitmaps are QImages; a null image stands for an absent (or empty) one.
class TDigits : public QWidget {
    Q_OBJECT
public:
    enum TDigitsMode { dmCounter, dmTime, dmDate };
    Q_ENUM(TDigitsMode)

    Q_PROPERTY(QImage BmpDigits READ BmpDigits WRITE setBmpDigits)
    Q_PROPERTY(QImage BmpPosNegSign READ BmpPosNegSign WRITE setBmpPosNegSign)
    Q_PROPERTY(QImage BmpThousandsSeparator READ BmpThousandsSeparator WRITE setBmpThousandsSeparator)
    Q_PROPERTY(QImage BmpTimeSeparator READ BmpTimeSeparator WRITE setBmpTimeSeparator)
    Q_PROPERTY(QImage BmpDateSeparator READ BmpDateSeparator WRITE setBmpDateSeparator)
    Q_PROPERTY(QImage BmpAMPMSign READ BmpAMPMSign WRITE setBmpAMPMSign)
    Q_PROPERTY(bool AllowNegative READ AllowNegative WRITE setAllowNegative)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(double DateTime READ DateTime WRITE setDateTime)
    Q_PROPERTY(int DigitCount READ DigitCount WRITE setDigitCount)
    Q_PROPERTY(int IncDecSpeed READ IncDecSpeed WRITE setIncDecSpeed)
    Q_PROPERTY(int IncDecSteps READ IncDecSteps WRITE setIncDecSteps)
    Q_PROPERTY(TDigitsMode Mode READ Mode WRITE setMode)
    Q_PROPERTY(bool Running READ Running WRITE setRunning)
    Q_PROPERTY(bool ShowLeadingZeros READ ShowLeadingZeros WRITE setShowLeadingZeros)
    Q_PROPERTY(bool ShowThousandsSeparator READ ShowThousandsSeparator WRITE setShowThousandsSeparator)
    Q_PROPERTY(int Value READ Value WRITE setValue)

    explicit TDigits(QWidget* parent = nullptr);

    const QImage& BmpDigits() const { return bmpDigits_; }
    const QImage& BmpPosNegSign() const { return bmpPosNegSign_; }
    const QImage& BmpThousandsSeparator() const { return bmpThousandsSeparator_; }
    const QImage& BmpTimeSeparator() const { return bmpTimeSeparator_; }
    const QImage& BmpDateSeparator() const { return bmpDateSeparator_; }
    const QImage& BmpAMPMSign() const { return bmpAMPMSign_; }
    bool AllowNegative() const { return allowNegative_; }
    bool AutoSize() const { return autoSize_; }
    double DateTime() const { return dateTime_; }
    int DigitCount() const { return digitCount_; }
    int IncDecSpeed() const { return incDecSpeed_; }
    int IncDecSteps() const { return incDecSteps_; }
    TDigitsMode Mode() const { return mode_; }
    bool Running() const { return running_; }
    bool ShowLeadingZeros() const { return showLeadingZeros_; }
    bool ShowThousandsSeparator() const { return showThousandsSeparator_; }
    int Value() const { return value_; }

    // The bitmap setters throw EDigitsError for a bitmap of the wrong shape,
    // keeping the held bitmap and the size.
    void setBmpDigits(const QImage& b);
    void setBmpPosNegSign(const QImage& b);
    void setBmpThousandsSeparator(const QImage& b);
    void setBmpTimeSeparator(const QImage& b);
    void setBmpDateSeparator(const QImage& b);
    void setBmpAMPMSign(const QImage& b);
    void setAllowNegative(bool b);
    void setAutoSize(bool b);
    void setDateTime(double t);
    void setDigitCount(int n);
    void setIncDecSpeed(int n);
    void setIncDecSteps(int n);
    void setMode(TDigitsMode m);
    void setRunning(bool b);
    void setShowLeadingZeros(bool b);
    void setShowThousandsSeparator(bool b);
    void setValue(int v);

    // To be called once a stored definition has set all properties.
    void loaded();

    // Frames left of the running roll; the sign gives its direction.
    int rollPosition() const { return roll_; }
    // What the control shows, composed at the last change (transparent where
    // no cell covers it).
    const QImage& face() const { return face_; }
    const QTimer* animationTimer() const { return animationTimer_; }
    const QTimer* clockTimer() const { return clockTimer_; }

    // Date-time value: days since 30 December 1899, the fraction the time of day.
    static double toDateTimeValue(const QDateTime& dt);

public slots:
    // The clock's 100 ms tick, with the current local time.
    void clockTick();
    // The clock's tick as if the local time were `now`.
    void clockTickAt(const QDateTime& now);
    // One frame of the rolling animation.
    void animationTick();

signals:
    void OnRotateStart(QObject* Sender);
    void OnRotateEnd(QObject* Sender);
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
    int cellWidth() const { return bmpDigits_.width() / 11; }
    int contentWidth() const;
    void resizeToContent();
    void resizeOrRefresh();
    void refresh();
    void compose();
    std::int64_t shownNumber(bool neighbour) const;
    int cellOf(std::int64_t v, int i) const;

    QImage bmpDigits_;
    QImage bmpPosNegSign_;
    QImage bmpThousandsSeparator_;
    QImage bmpTimeSeparator_;
    QImage bmpDateSeparator_;
    QImage bmpAMPMSign_;
    bool allowNegative_ = false;
    bool autoSize_ = true;
    double dateTime_ = 0;
    int digitCount_ = 6;
    int incDecSpeed_ = 100;
    int incDecSteps_ = 4;
    TDigitsMode mode_ = dmCounter;
    bool running_ = false;
    bool showLeadingZeros_ = false;
    bool showThousandsSeparator_ = false;
    int value_ = 0;
    int roll_ = 0;
    QTimer* animationTimer_ = nullptr;
    QTimer* clockTimer_ = nullptr;

    QImage face_;
    bool pressed_ = false;
};

}  // namespace kyt
