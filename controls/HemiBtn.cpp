#include "HemiBtn.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace kyt {

namespace {

// Whether pixel (x, y) belongs to the filled ellipse inscribed in the
// rectangle from (l, t) to (r, b), right and bottom edges excluded: the
// pixel's centre must lie inside the ellipse.
bool InEllipse(int x, int y, double l, double t, double r, double b) {
  const double rx = (r - l) / 2, ry = (b - t) / 2;
  if (rx <= 0 || ry <= 0)
    return false;
  const double dx = (x + 0.5 - (l + r) / 2) / rx;
  const double dy = (y + 0.5 - (t + b) / 2) / ry;
  return dx * dx + dy * dy <= 1.0;
}

bool InInset(int x, int y, int w, int h, int inset) {
  return InEllipse(x, y, inset, inset, w - inset, h - inset);
}

// Grey of a bevel ring pixel at offset (x, y) from the button's centre.
QRgb RingPixel(THemisphereButton::THemisphereBevel bevel, double x, double y) {
  const double r = std::sqrt(x * x + y * y);
  const double slope = r > 0 ? (x + y) / r : 0.0;
  double s = bevel == THemisphereButton::hbLowered ? (1 + slope) / std::sqrt(6.0)
                                                   : (1 - slope) / std::sqrt(6.0);
  s = std::clamp(s, 0.0, 1.0);
  const int g = 128 + int(std::lround(128 * s));
  return qRgb(g, g, g);
}

} // namespace

THemisphereButton::THemisphereButton(QWidget *parent)
    : QWidget(parent), FColorDark(clGray), FColorBright(clWhite), FBorderColor(clGray) {
  // The caption is drawn in the desk's window text colour.
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, toQColor(clWindowText));
  setPalette(pal);
}

THemisphereButton::~THemisphereButton() = default;

void THemisphereButton::setAllowAllUp(bool value) {
  if (value == FAllowAllUp)
    return;
  if (FLoading || FGroupIndex == 0 || !parentWidget()) {
    FAllowAllUp = value;
    return;
  }
  const auto siblings =
      parentWidget()->findChildren<THemisphereButton *>(Qt::FindDirectChildrenOnly);
  for (THemisphereButton *b : siblings)
    if (b->FGroupIndex == FGroupIndex)
      b->FAllowAllUp = value;
}

void THemisphereButton::setBevelInner(THemisphereBevel value) {
  if (value == FBevelInner)
    return;
  FBevelInner = value;
  Changed();
}

void THemisphereButton::setBevelOuter(THemisphereBevel value) {
  if (value == FBevelOuter)
    return;
  FBevelOuter = value;
  Changed();
}

void THemisphereButton::setBevelWidth(int value) {
  if (value == FBevelWidth || value <= 0)
    return;
  FBevelWidth = value;
  Changed();
}

void THemisphereButton::setBorderColor(TColor value) {
  if (value == FBorderColor)
    return;
  FBorderColor = value;
  Changed();
}

void THemisphereButton::setBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle)
    return;
  FBorderStyle = value;
  Changed();
}

void THemisphereButton::setCaption(const QString &value) {
  if (value == FCaption)
    return;
  FCaption = value;
  Changed();
}

void THemisphereButton::setColorBright(TColor value) {
  FColorBright = value;
  Changed();
}

void THemisphereButton::setColorDark(TColor value) {
  FColorDark = value;
  Changed();
}

void THemisphereButton::setPressed(bool value) {
  if (value == FPressed)
    return;
  FPressed = value;
  repaint();
}

void THemisphereButton::EndLoading() {
  FLoading = false;
  Render();
  update();
}

int THemisphereButton::RingCount() const {
  return (FBevelOuter != hbNone ? 1 : 0) + (FBevelInner != hbNone ? 1 : 0);
}

bool THemisphereButton::HitTest(int x, int y) const {
  const double cx = width() / 2.0, cy = height() / 2.0;
  const int k = FBevelWidth * RingCount();
  // Rings that leave no face leave nothing to press.
  if (cx - k <= 0 || cy - k <= 0)
    return false;
  const double dx = (x - cx) / (cx - k), dy = (y - cy) / (cy - k);
  return dx * dx + dy * dy <= 1.0;
}

const QImage &THemisphereButton::ImageOut() {
  CheckSize();
  return FImageOut;
}

const QImage &THemisphereButton::ImageIn() {
  CheckSize();
  return FImageIn;
}

void THemisphereButton::CheckSize() {
  if (width() == FRenderedWidth && height() == FRenderedHeight)
    return;
  if (!FLoading)
    Render();
  FRenderedWidth = width();
  FRenderedHeight = height();
}

void THemisphereButton::Changed() {
  Render();
  repaint();
}

void THemisphereButton::Render() {
  if (FLoading || width() <= 1 || height() <= 1)
    return;
  FImageOut = RenderLook(true);
  FImageIn = RenderLook(false);
  // The shown part: the filled ellipse, one run of pixels per row.
  FClip = QRegion();
  for (int y = 0; y < height(); ++y) {
    int x = 0;
    while (x < width() && !InInset(x, y, width(), height(), 0))
      ++x;
    int end = x;
    while (end < width() && InInset(end, y, width(), height(), 0))
      ++end;
    if (end > x)
      FClip += QRect(x, y, end - x, 1);
  }
  FRenderedWidth = width();
  FRenderedHeight = height();
}

QImage THemisphereButton::RenderLook(bool convex) const {
  const int w = width(), h = height();
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::black);
  // Text drawn into the image must measure as it would on the screen.
  img.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
  img.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));

  // The face: light from the upper left front, direction (-1, -1, 1) / sqrt 3.
  const TColor dark = resolveColor(FColorDark), bright = resolveColor(FColorBright);
  const int dr = int(dark & 0xFF), dg = int((dark >> 8) & 0xFF), db = int((dark >> 16) & 0xFF);
  const int sr = int(bright & 0xFF) - dr, sg = int((bright >> 8) & 0xFF) - dg,
            sb = int((bright >> 16) & 0xFF) - db;
  const double root3 = std::sqrt(3.0);
  auto put = [&](double px, int py, double x, double y, double z) {
    const int ix = int(px);
    if (ix < 0 || ix >= w || py < 0 || py >= h)
      return;
    const double s = std::clamp((z - x - y) / root3, 0.0, 1.0);
    img.setPixel(ix, py,
                 qRgb(dr + int(std::lround(sr * s)), dg + int(std::lround(sg * s)),
                      db + int(std::lround(sb * s))));
  };
  const double a = h / 2.0, c = w / 2.0;
  const int rows = int(std::ceil(a));
  for (int n = 0; n <= rows; ++n) {
    const double b = convex ? 1 - n / a : n / a - 1;
    const int cols = int(std::ceil(c * std::sqrt(std::max(0.0, 1 - b * b))));
    for (int m = 0; m <= cols; ++m) {
      const double e = convex ? m / c : -m / c;
      const double rad = std::sqrt(b * b + e * e);
      const double z = convex ? 1 - rad : rad - 1;
      const double right = std::ceil(c + m), left = std::floor(c - m);
      put(right, n - 1, e, -b, z);
      put(right, h - n, e, b, z);
      put(left, h - n, -e, b, z);
      put(left, n - 1, -e, -b, z);
    }
  }

  if (!FCaption.isEmpty()) {
    QPainter p(&img);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm(font(), &img);
    const int x = int(std::lround((w - fm.horizontalAdvance(FCaption) - 1) / 2.0));
    const int y = int(std::lround((h - fm.height() - 1) / 2.0));
    p.drawText(x, y + fm.ascent(), FCaption);
  }

  const int rings = RingCount();
  if (rings > 0) {
    const THemisphereBevel outer = FBevelOuter != hbNone ? FBevelOuter : FBevelInner;
    const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (InInset(x, y, w, h, rings * FBevelWidth))
          continue;
        if (!InInset(x, y, w, h, 0))
          img.setPixel(x, y, qRgb(0, 0, 0));
        else if (rings == 1 || !InInset(x, y, w, h, FBevelWidth))
          img.setPixel(x, y, RingPixel(outer, x - cx, y - cy));
        else
          img.setPixel(x, y, RingPixel(FBevelInner, x - cx, y - cy));
      }
  }

  if (FBorderStyle == bsSingle) {
    // The outline: pixels of the inset ellipse that touch a pixel outside it.
    const int inset = FBevelWidth * rings;
    const QRgb colour = toQColor(FBorderColor).rgb();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (InInset(x, y, w, h, inset) &&
            (!InInset(x - 1, y, w, h, inset) || !InInset(x + 1, y, w, h, inset) ||
             !InInset(x, y - 1, w, h, inset) || !InInset(x, y + 1, w, h, inset)))
          img.setPixel(x, y, colour);
  }
  return img;
}

void THemisphereButton::paintEvent(QPaintEvent *) {
  if (FLoading)
    return;
  const QImage &img = FPressed ? FImageIn : FImageOut;
  if (img.isNull())
    return;
  QPainter p(this);
  p.setClipRegion(FClip);
  p.drawImage(0, 0, img);
}

void THemisphereButton::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  CheckSize();
}

void THemisphereButton::changeEvent(QEvent *event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
    if (!FCaption.isEmpty())
      Changed();
  }
}

void THemisphereButton::Press(QMouseEvent *event, bool doubleClick) {
  const QPoint pt = event->position().toPoint();
  if (!isEnabled() || !HitTest(pt.x(), pt.y()))
    return;
  FTracking = true;
  FWasPressed = FPressed;
  setPressed(true);
  if (doubleClick)
    emit OnDblClick(this);
}

void THemisphereButton::mousePressEvent(QMouseEvent *event) { Press(event, false); }

void THemisphereButton::mouseDoubleClickEvent(QMouseEvent *event) { Press(event, true); }

void THemisphereButton::mouseMoveEvent(QMouseEvent *event) {
  if (!FTracking || FWasPressed)
    return;
  const QPoint pt = event->position().toPoint();
  setPressed(HitTest(pt.x(), pt.y()));
}

void THemisphereButton::mouseReleaseEvent(QMouseEvent *event) {
  if (!FTracking)
    return;
  FTracking = false;
  const QPoint pt = event->position().toPoint();
  if (!HitTest(pt.x(), pt.y()))
    return;
  // A click handler may hide or even delete the button.
  QPointer<THemisphereButton> self(this);
  emit OnClick(this);
  if (!self)
    return;
  if (FGroupIndex == 0) {
    setPressed(false);
    return;
  }
  if (!FAllowAllUp && FWasPressed)
    return;
  if (parentWidget()) {
    const auto siblings =
        parentWidget()->findChildren<THemisphereButton *>(Qt::FindDirectChildrenOnly);
    for (THemisphereButton *b : siblings)
      if (b->FGroupIndex == FGroupIndex)
        b->setPressed(false);
  } else {
    setPressed(false);
  }
  setPressed(!FWasPressed);
}

} // namespace kyt
