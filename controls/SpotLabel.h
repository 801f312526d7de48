// SpotLabel: a text label that changes its text colour under the pointer.
//
// SpotLabel shows its text in NormalColor, and in SpotColor while the
// pointer is over it. The label's own text colour is governed by these two:
// a palette change that touches the text colour does not show.
#pragma once

#include "ClickTracker.h"
#include "Colors.h"

#include <QLabel>

namespace kyt {

class SpotLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(
        kyt::ColorCode normalColor READ normalColor WRITE setNormalColor NOTIFY normalColorChanged)
    Q_PROPERTY(kyt::ColorCode spotColor READ spotColor WRITE setSpotColor NOTIFY spotColorChanged)

public:
    explicit SpotLabel(QWidget* parent = nullptr);
    explicit SpotLabel(const QString& text, QWidget* parent = nullptr);

    ColorCode normalColor() const { return normalColor_; }
    ColorCode spotColor() const { return spotColor_; }
    void setNormalColor(ColorCode value);
    void setSpotColor(ColorCode value);

    // Whether the pointer is over the label.
    bool MouseInside() const { return mouseInside_; }
    // The colour the text is drawn in now.
    QColor TextColor() const;

signals:
    void normalColorChanged(kyt::ColorCode normalColor);
    void spotColorChanged(kyt::ColorCode spotColor);

    // Left button pressed and released over the label.
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyColour();

    bool mouseInside_ = false;
    ColorCode normalColor_ = clWindowText; // a label's text colour when created
    ColorCode spotColor_ = clBlue;
    ClickTracker clicks_;
};

} // namespace kyt
