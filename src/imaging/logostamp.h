#pragma once
// The text logo (watermark) of prepared pictures. The text is rendered once,
// where fonts may be used (the window's thread), into two small pictures:
// the glyphs on a transparent ground for the opaque path (transparency "0"),
// and the overlay on the key colour for `alpha_blend`. Stamping a picture
// (`blend`) then needs no font and runs on any thread.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

struct Settings;

class LogoStamp final {
public:
    // Arial, regular, `points` at 96 dots per inch.
    static QFont logoFont(int points);
    // `katso`: the font size of the settings clamped to 8..254; a value that
    // is not a number becomes "30", written back into the settings.
    static int katso(Settings &settings);
    // The logo colour plus 10 on each component (capped at 255). For pure
    // white, where that would equal the text colour, 10 is taken off instead.
    static QColor keyColour(const QColor &logo);
    // The colour the settings name (`Color1`, its custom entry included).
    static QColor logoColour(const Settings &settings);
    // Top-left corner of a text box of `text` size at position `index` (0..4)
    // on a picture of `picture` size; negative coordinates become 0.
    static QPoint position(int index, QSize picture, QSize text);

    // Nothing when the logo is off or its text empty. Runs `katso`.
    static std::optional<LogoStamp> fromSettings(Settings &settings);
    static std::optional<LogoStamp> make(const QString &text, int points, const QColor &colour,
                                         const QString &transparency, int positionIndex);

    // Draws the logo onto an RGB888 picture.
    void blend(QImage &picture) const;

    QSize textSize() const { return m_overlay.size(); }
    bool opaque() const { return m_opaque; }
    int alpha() const { return m_alpha; }
    const QImage &overlay() const { return m_overlay; }

private:
    LogoStamp() = default;

    QImage m_glyphs;    // ARGB32 premultiplied, text on transparent
    QImage m_overlay;   // RGB888, text on the key colour
    int m_alpha = 128;
    int m_position = 1;
    bool m_opaque = false;
};
