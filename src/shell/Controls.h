// SPDX-License-Identifier: MIT
#pragma once

#include "presentation/TextFit.h"

#include <QEvent>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <optional>

class QPainter;

namespace tervalo {

// How a control of the widget reacts to the mouse, beyond opening the window's menu on a
// right click.
enum ControlEvent {
    Drags = 1,         // a press of any button moves the window
    TopCentre = 2,     // a double click puts the window at the top centre
    OpensTownPage = 4, // a double click opens the town's page on the forecast site
    SwitchesPanel = 8, // a click shows or hides the forecast panel
};
void setControlEvents(QWidget *control, int events);
int controlEvents(const QObject *control);

// A text label, always plain text. A self-sizing label is always exactly as wide as its text is
// drawn and as high as its font, so the layouts that place other controls after it can rely on its
// width.
//
// A label may be given a room, the widest its text may be drawn (a fixed-size label's room is also
// never wider than itself). A text wider than its room is fitted into it (fitText): drawn smaller,
// and cut with "…" as a last resort. text() and font() stay the whole text and the label's own
// font; while the text is cut, the tooltip shows it whole.
class TLabel : public QLabel {
public:
    TLabel(const QString &text, QWidget *parent);

    bool autoSize() const { return selfSizing; }
    void setAutoSize(bool on);
    // Sets the text; nothing happens when it is the text already shown.
    void setText(const QString &text);

    void setRoom(int width);
    int room() const { return roomWidth; }
    const FittedText &shown() const { return fitted; }

    // A halo of this tone around the characters, so that the text reads over any backdrop; an
    // invalid colour draws none.
    void setHalo(const QColor &tone);
    const QColor &halo() const { return haloTone; }

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Called by setText after the text has changed.
    virtual void textReplaced(const QString &previous) { Q_UNUSED(previous); }
    // Called after the halo has changed.
    virtual void haloReplaced() {}

private:
    void fitToText();
    void showWholeTextInTooltip();

    bool selfSizing = true;
    int roomWidth = UnlimitedRoom;
    FittedText fitted;
    QColor haloTone;
    std::optional<QString> tooltipOfItsOwn; // while the tooltip shows a cut text whole
    QString tooltipSetHere;
};

// Draws a text from the start of its baseline, with a halo of the tone around it when the tone is
// valid: the text's shape in the tone, blurred, so that it fades outward.
void drawTextWithHalo(QPainter &painter, QPointF baselineStart, const QString &text,
                      const QColor &colour, const QColor &halo);
// How far a halo reaches beyond the characters, in pixels.
constexpr int HaloReach = 2;

// The text clock's label, drawn at its top-left corner. A tick costs only what its changed
// characters need: the font is far too large for the toolkit's glyph cache, which would draw
// every character from its outline, so each character is drawn from a picture rendered once
// per font and colour; and only the characters that changed are repainted.
class ClockLabel : public TLabel {
public:
    ClockLabel(const QString &text, QWidget *parent);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void textReplaced(const QString &previous) override;
    void haloReplaced() override;

private:
    void keepContentsEmpty();
    struct Glyph {
        QImage picture;
        QPoint offset; // of the picture from the character's pen position on the baseline
        qreal advance;
    };
    const Glyph &glyph(QChar character);
    template <typename Place> void layOut(const QString &shown, Place place);
    // Where the characters from `first` on put their ink.
    QRect inkFrom(const QString &shown, qsizetype first);

    QHash<QChar, Glyph> glyphs;
    qreal glyphsRatio = 0; // the device pixel ratio the glyphs were rendered at
};

// Sent to a picture control when what it draws may have changed: another picture, or scaling.
inline const QEvent::Type PictureChange = static_cast<QEvent::Type>(QEvent::registerEventType());

// A picture control: draws its picture unscaled from its top-left corner, clipped to itself,
// over whatever lies beneath. With scaling on, a picture larger than the control is shrunk to
// fit, keeping its proportions; a smaller one is never enlarged. Sizes are in window pixels: on
// a screen of more than one image pixel per window pixel the picture drawn at twice the size
// is shown in the same place, and a move to another screen changes to the one drawn for it.
class TImage : public QWidget {
public:
    explicit TImage(QWidget *parent);

    // Shows the named picture resource; showing the picture already shown costs nothing. A
    // picture that cannot be loaded throws AppError and leaves the control as it was.
    void setPicture(const QString &name);
    const QString &pictureName() const { return name; }
    bool isEmpty() const { return image.isNull(); }
    void setScaledToFit(bool on);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Loads the drawing of the picture for `devicePixelRatio` unless it is the one loaded.
    void drawFor(qreal devicePixelRatio);

    QString name;
    QImage image;
    qreal loadedFor = 1; // the device pixel ratio `image` was chosen for
    bool scaled = false;
};

} // namespace tervalo
