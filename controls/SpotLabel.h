// SpotLabel: a text label that changes its text colour under the pointer.
//
// TSpotLabel shows its text in NormalColor, and in SpotColor while the
// pointer is over it. The label's own text colour is governed by these two:
// a palette change that touches the text colour does not show.
#pragma once

#include "Colors.h"

#include <QLabel>

namespace kyt {

class TSpotLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(kyt::TColor NormalColor READ NormalColor WRITE setNormalColor)
  Q_PROPERTY(kyt::TColor SpotColor READ SpotColor WRITE setSpotColor)

public:
  explicit TSpotLabel(QWidget *parent = nullptr);
  explicit TSpotLabel(const QString &text, QWidget *parent = nullptr);

  TColor NormalColor() const { return FNormalColor; }
  TColor SpotColor() const { return FSpotColor; }
  void setNormalColor(TColor value);
  void setSpotColor(TColor value);

  // Whether the pointer is over the label.
  bool MouseInside() const { return FMouseInside; }
  // The colour the text is drawn in now.
  QColor TextColor() const;

signals:
  // Left button pressed and released over the label.
  void OnClick(QObject *Sender);

protected:
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;
  void changeEvent(QEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  void ApplyColour();

  bool FMouseInside = false;
  TColor FNormalColor = clWindowText; // a label's text colour when created
  TColor FSpotColor = clBlue;
  bool FClickDown = false;
};

} // namespace kyt
