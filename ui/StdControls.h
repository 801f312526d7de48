// StdControls: the plain controls the windows are built from besides the
// desk's painted controls: panel cells, track bars, labels, the narration
// box and small pictures. Their colours are colour values (kyt::ColorCode) so
// that the desk's handlers and the window tables speak one language.
#pragma once

#include "Colors.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

namespace kyt {

// A container cell: filled with Color, with a raised one-pixel bevel.
class Panel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor)
    Q_PROPERTY(int bevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(QString caption READ Caption WRITE setCaption)

public:
    explicit Panel(QWidget* parent = nullptr);
    ColorCode color() const { return color_; }
    void setColor(ColorCode c);
    int bevelWidth() const { return bevel_; }
    void setBevelWidth(int w);
    QString Caption() const { return caption_; }
    void setCaption(const QString& c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ColorCode color_ = clBtnFace;
    int bevel_ = 1;
    QString caption_;
};

// A filled rectangle with a one-pixel outline: a track bar of the diagram.
// Its brush colour shows whether the section is occupied (red) or free.
class Shape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(kyt::ColorCode brushColor READ brushColor WRITE setBrushColor)
    Q_PROPERTY(kyt::ColorCode penColor READ penColor WRITE setPenColor)

public:
    explicit Shape(QWidget* parent = nullptr);
    ColorCode brushColor() const { return brush_; }
    void setBrushColor(ColorCode c);
    ColorCode penColor() const { return pen_; }
    void setPenColor(ColorCode c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ColorCode brush_ = clWhite;
    ColorCode pen_ = clBlack;
};

// A plain text label on a transparent background. It sizes itself to its
// caption unless a size is given.
class Label : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString caption READ text WRITE setCaption)

public:
    explicit Label(QWidget* parent = nullptr);
    void setCaption(const QString& c);

    // A one-line plain caption (not empty) is measured once per caption and
    // font for all labels (textBounds); the base class lays it out three
    // times (for no width, the widest and the narrowest) to the same size.
    // Other labels are sized as the base class sizes them.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool oneLinePlainText() const;
};

// The read-only multi-line narration box.
class Memo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor)

public:
    explicit Memo(QWidget* parent = nullptr);
    QString text() const { return toPlainText(); }
    // Replaces the whole text at once; the box shows it before returning.
    void setText(const QString& t);
    ColorCode color() const { return color_; }
    void setColor(ColorCode c);

private:
    ColorCode color_ = clWindow;
};

// A fixed picture.
class Image : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QImage picture READ picture WRITE setPicture)

public:
    explicit Image(QWidget* parent = nullptr);
    QImage picture() const { return picture_; }
    void setPicture(const QImage& img);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void coverWhenOpaque();

    QImage picture_;
};

// The desk's direction marks: a grey triangle pointing right or left on
// the background colour, w x h pixels.
QImage triangleImage(int w, int h, bool pointsRight, ColorCode background);

} // namespace kyt
