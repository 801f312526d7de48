// HemiBtn: the round push button of the desk.
//
// THemisphereButton looks like a shaded dome inside bevelled rings. It is
// pressed in while the pointer holds it down on its face and reports OnClick
// when released over the face, still shown pressed while the handler runs.
// Buttons of the same parent with the same non-zero GroupIndex latch like
// radio buttons.
//
// Both looks (raised and pressed) are rendered into images whenever a
// property or the size changes; painting only copies the right one.
#pragma once

#include "Colors.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>

namespace kyt {

class THemisphereButton : public QWidget {
  Q_OBJECT
public:
  enum THemisphereBevel { hbNone, hbLowered, hbRaised };
  Q_ENUM(THemisphereBevel)
  enum TBorderStyle { bsNone, bsSingle };
  Q_ENUM(TBorderStyle)

  Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
  Q_PROPERTY(THemisphereBevel BevelInner READ BevelInner WRITE setBevelInner)
  Q_PROPERTY(THemisphereBevel BevelOuter READ BevelOuter WRITE setBevelOuter)
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
  Q_PROPERTY(kyt::TColor BorderColor READ BorderColor WRITE setBorderColor)
  Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
  Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
  Q_PROPERTY(kyt::TColor ColorBright READ ColorBright WRITE setColorBright)
  Q_PROPERTY(kyt::TColor ColorDark READ ColorDark WRITE setColorDark)
  Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
  Q_PROPERTY(QFont Font READ font WRITE setFont)
  Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
  Q_PROPERTY(bool Pressed READ Pressed WRITE setPressed)

public:
  explicit THemisphereButton(QWidget *parent = nullptr);
  ~THemisphereButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  THemisphereBevel BevelInner() const { return FBevelInner; }
  THemisphereBevel BevelOuter() const { return FBevelOuter; }
  int BevelWidth() const { return FBevelWidth; }
  TColor BorderColor() const { return FBorderColor; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  QString Caption() const { return FCaption; }
  TColor ColorBright() const { return FColorBright; }
  TColor ColorDark() const { return FColorDark; }
  int GroupIndex() const { return FGroupIndex; }
  bool Pressed() const { return FPressed; }

  // Within a group (GroupIndex not 0, not loading) the value goes to every
  // button of the same parent and group.
  void setAllowAllUp(bool value);
  void setBevelInner(THemisphereBevel value);
  void setBevelOuter(THemisphereBevel value);
  // Widths of 0 or less are ignored.
  void setBevelWidth(int value);
  void setBorderColor(TColor value);
  void setBorderStyle(TBorderStyle value);
  void setCaption(const QString &value);
  // The colours are stored and the face rendered again even when the value
  // is the one held.
  void setColorBright(TColor value);
  void setColorDark(TColor value);
  void setGroupIndex(int value) { FGroupIndex = value; }
  // Shows the pressed or raised look at once.
  void setPressed(bool value);

  // While the button is being set up from a stored layout nothing is
  // rendered; EndLoading renders the looks for the final properties.
  void BeginLoading() { FLoading = true; }
  void EndLoading();
  bool Loading() const { return FLoading; }

  // Whether the point (control coordinates) lies on the face inside the
  // bevel rings.
  bool HitTest(int x, int y) const;

  // The rendered looks, raised and pressed, for the current size.
  const QImage &ImageOut();
  const QImage &ImageIn();

  QSize sizeHint() const override { return QSize(18, 17); }

signals:
  // Released over the face; the button still shows pressed meanwhile.
  void OnClick(QObject *Sender);
  // The press of the second click of a double click.
  void OnDblClick(QObject *Sender);

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  void Press(QMouseEvent *event, bool doubleClick);
  void CheckSize();
  void Render();
  void Changed(); // render, then paint at once
  QImage RenderLook(bool convex) const;
  int RingCount() const;

  QImage FImageOut;
  QImage FImageIn;
  QRegion FClip; // the filled ellipse of the rendered size
  TColor FColorDark;
  TColor FColorBright;
  bool FTracking = false;
  bool FWasPressed = false;
  bool FPressed = false;
  int FRenderedWidth = -1;
  int FRenderedHeight = -1;
  QString FCaption;
  int FBevelWidth = 1;
  THemisphereBevel FBevelOuter = hbLowered;
  THemisphereBevel FBevelInner = hbNone;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor;
  bool FLoading = false;
};

} // namespace kyt
