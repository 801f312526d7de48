#pragma once
// TGradButton: a flat push button whose face is a vertical gradient from
// GradColor at the top to FaceColor at the bottom, inside a black border and
// a 3-D bevel. Pressed, the face and caption move one pixel down and right
// and the bevel turns over. It behaves as a speed button: it clicks on
// release over it and can latch in a group (GroupIndex, Down, AllowAllUp).

#include "Colors.h"

#include <QImage>
#include <QWidget>

namespace kyt {

class TGradButton : public QWidget {
    Q_OBJECT
    // The speed button's properties.
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(kyt::TColor FontColor READ FontColor WRITE setFontColor)
    // Its own.
    Q_PROPERTY(kyt::TColor GradColor READ GradColor WRITE setGradColor)
    Q_PROPERTY(kyt::TColor FaceColor READ FaceColor WRITE setFaceColor)
    Q_PROPERTY(kyt::TColor HighlightColor READ HighlightColor WRITE setHighlightColor)
    Q_PROPERTY(kyt::TColor ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(qint32 BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(qint32 BorderWidth READ BorderWidth WRITE setBorderWidth)

public:
    enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
    Q_ENUM(TButtonState)

    explicit TGradButton(QWidget* parent = nullptr);

    bool AllowAllUp() const { return FAllowAllUp; }
    int GroupIndex() const { return FGroupIndex; }
    bool Down() const { return FDown; }
    QString Caption() const { return FCaption; }
    TColor FontColor() const { return FFontColor; }
    TColor GradColor() const { return FGradColor; }
    TColor FaceColor() const { return FFaceColor; }
    TColor HighlightColor() const { return FHighlightColor; }
    TColor ShadowColor() const { return FShadowColor; }
    qint32 BevelWidth() const { return FBevelWidth; }
    qint32 BorderWidth() const { return FBorderWidth; }

    void setAllowAllUp(bool value);
    void setGroupIndex(int value);
    // Without a group a button cannot stay down; a latched member of a group
    // goes up only when AllowAllUp allows it.
    void setDown(bool value);
    void setCaption(const QString& value);
    void setFontColor(TColor value);
    void setGradColor(TColor value);
    void setFaceColor(TColor value);
    void setHighlightColor(TColor value);
    void setShadowColor(TColor value);
    void setBevelWidth(qint32 value);
    void setBorderWidth(qint32 value);

    // Current look of the speed button.
    TButtonState State() const;
    // The gradient face, (Width - 2 BorderWidth) x (Height - 2 BorderWidth).
    const QImage& GradientImage() const { return FGradient; }

    // Simulates a click (as a release over the button would).
    void Click();

signals:
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void makeGradient();
    void checkGradientSize();
    void releaseGroup();

    bool FAllowAllUp = false;
    int FGroupIndex = 0;
    bool FDown = false;
    QString FCaption = QStringLiteral("TGradButton");
    TColor FFontColor = clWhite;
    TColor FGradColor = clBlue;
    TColor FFaceColor = clBlack;
    TColor FHighlightColor = clWhite;
    TColor FShadowColor = clBlack;
    qint32 FBevelWidth = 1;
    qint32 FBorderWidth = 1;
    TButtonState FState = bsUp;
    bool FDragging = false;
    QImage FGradient;
};

// Fills img with the 256-step vertical gradient from top to bottom: row y
// takes step i = y * 255 / (h - 1), whose components are
// top + i * (bottom - top) / 255. The first row is exactly top, the last
// exactly bottom, whatever the height.
void fillGradient(QImage& img, TColor top, TColor bottom);

}  // namespace kyt
