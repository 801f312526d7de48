// info: the about box `AboutBox`: the program's name and version on a
// panel, and an "OK" button that hides the box. The box does not block the
// other windows.
#pragma once

#include "Colors.h"
#include "Layout.h"

#include <QDialog>

namespace kyt {

// The about box's panel: a lowered outer and a raised inner bevel around
// its colour.
class TBevelPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)
public:
  explicit TBevelPanel(QWidget *parent = nullptr) : QWidget(parent) {}
  TColor Color() const { return color_; }
  void setColor(TColor c);

protected:
  void paintEvent(QPaintEvent *) override;

private:
  TColor color_ = clBtnFace;
};

class TAboutBox : public QDialog {
  Q_OBJECT
public:
  explicit TAboutBox(QWidget *parent = nullptr);

  // "OK": closes (hides) the box.
  void Button3D1Click();

  const layout::Built &controls() const { return controls_; }
  static const layout::Table &table();

protected:
  void showEvent(QShowEvent *e) override;

private:
  layout::Built controls_;
  bool placed_ = false;
};

} // namespace kyt
