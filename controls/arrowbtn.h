// arrowbtn: the triangular push button of the desk.
//
// TArrowButton draws a filled arrow with a two-pixel black frame and a
// one-pixel 3-D edge. Only a press inside the triangle counts; the release
// reports OnClick when the pointer is still within the control.
#pragma once

#include "Colors.h"

#include <QPoint>
#include <QRegion>
#include <QWidget>

namespace kyt {

class TArrowButton : public QWidget {
  Q_OBJECT
public:
  enum TButtonDirection { arwUP, arwRIGHT, arwLEFT, arwDOWN };
  Q_ENUM(TButtonDirection)

  Q_PROPERTY(kyt::TColor ButtonColor READ ButtonColor WRITE setButtonColor)
  Q_PROPERTY(TButtonDirection Direction READ Direction WRITE setDirection)
  Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
  Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)

public:
  explicit TArrowButton(QWidget *parent = nullptr);
  ~TArrowButton() override;

  TColor ButtonColor() const { return FButtonColor; }
  TButtonDirection Direction() const { return FDirection; }

  // Both redraw at the next paint; the hit area follows at that paint.
  void setButtonColor(TColor value);
  void setDirection(TButtonDirection value);

  // Whether the point (control coordinates) lies in the triangle of the last
  // paint; before the first paint nothing does.
  bool HitTest(const QPoint &pt) const { return FHasRegion && FRegion.contains(pt); }
  bool IsPressed() const { return FPressed; }
  // The inner corners as last drawn.
  QPoint Corner(int i) const { return i == 0 ? FP1 : i == 1 ? FP2 : FP3; }

  QSize sizeHint() const override { return QSize(33, 33); }

signals:
  void OnClick(QObject *Sender);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  TButtonDirection FDirection = arwUP;
  TColor FButtonColor;
  QPoint FP1, FP2, FP3;
  QRegion FRegion;
  bool FHasRegion = false;
  bool FPressed = false;
};

} // namespace kyt
