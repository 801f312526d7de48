#pragma once
// DigitCounter: a number, a time of day or a date drawn with digit cells cut from
// one bitmap strip, like a mechanical counter drum, with an optional rolling
// animation when the clock steps.

#include "ClickTracker.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <stdexcept>

class QDateTime;
class QTimer;

namespace kyt {

// A strip or sign bitmap of the wrong shape.
class DigitCounterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bitmaps are QImages; a null image stands for an absent (or empty) one.
class DigitCounter : public QWidget {
    Q_OBJECT
public:
    enum Mode { dmCounter, dmTime, dmDate };
    Q_ENUM(Mode)

    Q_PROPERTY(QImage bmpDigits READ bmpDigits WRITE setBmpDigits NOTIFY bmpDigitsChanged)
    Q_PROPERTY(
        QImage bmpPosNegSign READ bmpPosNegSign WRITE setBmpPosNegSign NOTIFY bmpPosNegSignChanged)
    Q_PROPERTY(QImage bmpThousandsSeparator READ bmpThousandsSeparator WRITE
            setBmpThousandsSeparator NOTIFY bmpThousandsSeparatorChanged)
    Q_PROPERTY(QImage bmpTimeSeparator READ bmpTimeSeparator WRITE setBmpTimeSeparator NOTIFY
            bmpTimeSeparatorChanged)
    Q_PROPERTY(QImage bmpDateSeparator READ bmpDateSeparator WRITE setBmpDateSeparator NOTIFY
            bmpDateSeparatorChanged)
    Q_PROPERTY(QImage bmpAMPMSign READ bmpAMPMSign WRITE setBmpAMPMSign NOTIFY bmpAMPMSignChanged)
    Q_PROPERTY(
        bool allowNegative READ allowNegative WRITE setAllowNegative NOTIFY allowNegativeChanged)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize NOTIFY autoSizeChanged)
    Q_PROPERTY(double dateTime READ dateTime WRITE setDateTime NOTIFY dateTimeChanged)
    Q_PROPERTY(int digitCount READ digitCount WRITE setDigitCount NOTIFY digitCountChanged)
    Q_PROPERTY(int incDecSpeed READ incDecSpeed WRITE setIncDecSpeed NOTIFY incDecSpeedChanged)
    Q_PROPERTY(int incDecSteps READ incDecSteps WRITE setIncDecSteps NOTIFY incDecStepsChanged)
    Q_PROPERTY(Mode mode READ mode WRITE setMode NOTIFY modeChanged)
    Q_PROPERTY(bool running READ running WRITE setRunning NOTIFY runningChanged)
    Q_PROPERTY(bool showLeadingZeros READ showLeadingZeros WRITE setShowLeadingZeros NOTIFY
            showLeadingZerosChanged)
    Q_PROPERTY(bool showThousandsSeparator READ showThousandsSeparator WRITE
            setShowThousandsSeparator NOTIFY showThousandsSeparatorChanged)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)

    explicit DigitCounter(QWidget* parent = nullptr);

    const QImage& bmpDigits() const { return bmpDigits_; }
    const QImage& bmpPosNegSign() const { return bmpPosNegSign_; }
    const QImage& bmpThousandsSeparator() const { return bmpThousandsSeparator_; }
    const QImage& bmpTimeSeparator() const { return bmpTimeSeparator_; }
    const QImage& bmpDateSeparator() const { return bmpDateSeparator_; }
    const QImage& bmpAMPMSign() const { return bmpAMPMSign_; }
    bool allowNegative() const { return allowNegative_; }
    bool autoSize() const { return autoSize_; }
    double dateTime() const { return dateTime_; }
    int digitCount() const { return digitCount_; }
    int incDecSpeed() const { return incDecSpeed_; }
    int incDecSteps() const { return incDecSteps_; }
    Mode mode() const { return mode_; }
    bool running() const { return running_; }
    bool showLeadingZeros() const { return showLeadingZeros_; }
    bool showThousandsSeparator() const { return showThousandsSeparator_; }
    int value() const { return value_; }

    // The bitmap setters throw DigitCounterError for a bitmap of the wrong shape,
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
    void setMode(Mode m);
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
    void bmpDigitsChanged(const QImage& bmpDigits);
    void bmpPosNegSignChanged(const QImage& bmpPosNegSign);
    void bmpThousandsSeparatorChanged(const QImage& bmpThousandsSeparator);
    void bmpTimeSeparatorChanged(const QImage& bmpTimeSeparator);
    void bmpDateSeparatorChanged(const QImage& bmpDateSeparator);
    void bmpAMPMSignChanged(const QImage& bmpAMPMSign);
    void allowNegativeChanged(bool allowNegative);
    void autoSizeChanged(bool autoSize);
    void dateTimeChanged(double dateTime);
    void digitCountChanged(int digitCount);
    void incDecSpeedChanged(int incDecSpeed);
    void incDecStepsChanged(int incDecSteps);
    void modeChanged(Mode mode);
    void runningChanged(bool running);
    void showLeadingZerosChanged(bool showLeadingZeros);
    void showThousandsSeparatorChanged(bool showThousandsSeparator);
    void valueChanged(int value);

    void rotationStarted();
    void rotationFinished();
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
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
    Mode mode_ = dmCounter;
    bool running_ = false;
    bool showLeadingZeros_ = false;
    bool showThousandsSeparator_ = false;
    int value_ = 0;
    int roll_ = 0;
    QTimer* animationTimer_ = nullptr;
    QTimer* clockTimer_ = nullptr;

    QImage face_;
    ClickTracker clicks_;
};

} // namespace kyt
