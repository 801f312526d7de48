// StdControls: the plain controls the windows are built from besides the
// desk's painted controls: panel cells, track bars, labels, the narration
// box and small pictures. Their colours are colour values (kyt::TColor) so
// that the desk's handlers and the window tables speak one language.
#pragma once

#include "Colors.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

namespace kyt {

// A container cell: filled with Color, with a raised one-pixel bevel.
class TPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
  Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
  explicit TPanel(QWidget *parent = nullptr);
  TColor Color() const { return color_; }
  void setColor(TColor c);
  int BevelWidth() const { return bevel_; }
  void setBevelWidth(int w);
  QString Caption() const { return caption_; }
  void setCaption(const QString &c);

protected:
  void paintEvent(QPaintEvent *) override;

private:
  TColor color_ = clBtnFace;
  int bevel_ = 1;
  QString caption_;
};

// A filled rectangle with a one-pixel outline: a track bar of the diagram.
// Its brush colour shows whether the section is occupied (red) or free.
class TShape : public QWidget {
  Q_OBJECT
  Q_PROPERTY(kyt::TColor BrushColor READ BrushColor WRITE setBrushColor)
  Q_PROPERTY(kyt::TColor PenColor READ PenColor WRITE setPenColor)

public:
  explicit TShape(QWidget *parent = nullptr);
  TColor BrushColor() const { return brush_; }
  void setBrushColor(TColor c);
  TColor PenColor() const { return pen_; }
  void setPenColor(TColor c);

protected:
  void paintEvent(QPaintEvent *) override;

private:
  TColor brush_ = clWhite;
  TColor pen_ = clBlack;
};

// A plain text label on a transparent background. It sizes itself to its
// caption unless a size is given.
class TLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ text WRITE setCaption)

public:
  explicit TLabel(QWidget *parent = nullptr);
  void setCaption(const QString &c);

signals:
  void OnClick(QObject *Sender);

protected:
  void mouseReleaseEvent(QMouseEvent *e) override;
};

// The read-only multi-line narration box.
class TMemo : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE setText)
  Q_PROPERTY(kyt::TColor Color READ Color WRITE setColor)

public:
  explicit TMemo(QWidget *parent = nullptr);
  QString Text() const { return toPlainText(); }
  // Replaces the whole text at once; the box shows it before returning.
  void setText(const QString &t);
  TColor Color() const { return color_; }
  void setColor(TColor c);

private:
  TColor color_ = clWindow;
};

// A fixed picture.
class TImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QImage Picture READ Picture WRITE setPicture)

public:
  explicit TImage(QWidget *parent = nullptr);
  QImage Picture() const { return picture_; }
  void setPicture(const QImage &img);

protected:
  void paintEvent(QPaintEvent *) override;

private:
  QImage picture_;
};

// The desk's direction marks: a grey triangle pointing right or left on
// the background colour, w x h pixels.
QImage triangleImage(int w, int h, bool pointsRight, TColor background);

} // namespace kyt
