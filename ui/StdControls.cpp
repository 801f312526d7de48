#include "StdControls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>

namespace kyt {

// ---- TPanel ----

TPanel::TPanel(QWidget *parent) : QWidget(parent)
{
  color_ = clWhite;
  setColor(clBtnFace);
}

void TPanel::setColor(TColor c)
{
  if (c == color_)
    return;
  color_ = c;
  // Controls that take their container's colour find it here.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, toQColor(c));
  setPalette(pal);
  update();
}

void TPanel::setBevelWidth(int w)
{
  if (w == bevel_ || w < 0)
    return;
  bevel_ = w;
  update();
}

void TPanel::setCaption(const QString &c)
{
  if (c == caption_)
    return;
  caption_ = c;
  update();
}

void TPanel::paintEvent(QPaintEvent *)
{
  QPainter p(this);
  QRect r = rect();
  p.fillRect(r, toQColor(color_));
  for (int i = 0; i < bevel_; ++i) {
    const QRect b = r.adjusted(i, i, -i, -i);
    p.setPen(toQColor(clBtnHighlight));
    p.drawLine(b.topLeft(), b.topRight());
    p.drawLine(b.topLeft(), b.bottomLeft());
    p.setPen(toQColor(clBtnShadow));
    p.drawLine(b.bottomLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomRight());
  }
  if (!caption_.isEmpty()) {
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    p.drawText(r, Qt::AlignCenter, caption_);
  }
}

// ---- TShape ----

TShape::TShape(QWidget *parent) : QWidget(parent) {}

void TShape::setBrushColor(TColor c)
{
  if (c == brush_)
    return;
  brush_ = c;
  repaint(); // the train run changes sections in long sequences
}

void TShape::setPenColor(TColor c)
{
  if (c == pen_)
    return;
  pen_ = c;
  repaint();
}

void TShape::paintEvent(QPaintEvent *)
{
  QPainter p(this);
  p.fillRect(rect(), toQColor(pen_));
  p.fillRect(rect().adjusted(1, 1, -1, -1), toQColor(brush_));
}

// ---- TLabel ----

TLabel::TLabel(QWidget *parent) : QLabel(parent)
{
  setAutoFillBackground(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextFormat(Qt::PlainText);
}

void TLabel::setCaption(const QString &c)
{
  if (c == text())
    return;
  setText(c);
  repaint();
}

void TLabel::mouseReleaseEvent(QMouseEvent *e)
{
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
    emit OnClick(this);
}

// ---- TMemo ----

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent)
{
  setReadOnly(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setFocusPolicy(Qt::ClickFocus); // not reached by the Tab key
  setFrameShape(QFrame::Box);
  setColor(clWindow);
}

void TMemo::setText(const QString &t)
{
  if (t == toPlainText())
    return;
  setPlainText(t);
  viewport()->repaint();
}

void TMemo::setColor(TColor c)
{
  color_ = c;
  QPalette pal = palette();
  pal.setColor(QPalette::Base, toQColor(c));
  setPalette(pal);
}

// ---- TImage ----

TImage::TImage(QWidget *parent) : QWidget(parent) {}

void TImage::setPicture(const QImage &img)
{
  picture_ = img;
  update();
}

void TImage::paintEvent(QPaintEvent *)
{
  if (picture_.isNull())
    return;
  QPainter p(this);
  p.drawImage(0, 0, picture_);
}

QImage triangleImage(int w, int h, bool pointsRight, TColor background)
{
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(toQColor(background));
  QPainter p(&img);
  p.setPen(Qt::NoPen);
  p.setBrush(toQColor(clGray));
  QPolygon tri;
  const int mid = (h - 1) / 2;
  if (pointsRight)
    tri << QPoint(0, 0) << QPoint(w - 1, mid) << QPoint(0, h - 1);
  else
    tri << QPoint(w - 1, 0) << QPoint(0, mid) << QPoint(w - 1, h - 1);
  p.drawPolygon(tri);
  return img;
}

} // namespace kyt
