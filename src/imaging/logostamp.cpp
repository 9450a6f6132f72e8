#include "imaging/logostamp.h"

#include "core/colourlist.h"
#include "core/settings.h"
#include "core/wholenumber.h"
#include "imaging/alphablend.h"

#include <QFontMetrics>
#include <QPainter>

QFont LogoStamp::logoFont(int points)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    // Points at 96 dpi as the Windows font mapper counts them (MulDiv rounds).
    font.setPixelSize((points * 96 + 36) / 72);
    return font;
}

int LogoStamp::katso(Settings &settings)
{
    const std::optional<int> size = WholeNumber::read(settings.fonttilogo);
    if (!size) {
        settings.fonttilogo = QStringLiteral("30");
        return 30;
    }
    return qBound(8, *size, 254);
}

QColor LogoStamp::keyColour(const QColor &logo)
{
    const auto up = [](int c) { return qMin(255, c + 10); };
    const QColor key(up(logo.red()), up(logo.green()), up(logo.blue()));
    if (key.rgb() != logo.rgb())
        return key;
    return QColor(logo.red() - 10, logo.green() - 10, logo.blue() - 10);
}

QColor LogoStamp::logoColour(const Settings &settings)
{
    if (settings.Color1 == ColourList::kCustom)
        return settings.Color1Custom;
    return ColourList::colour(settings.Color1);
}

QPoint LogoStamp::position(int index, QSize picture, QSize text)
{
    const int w = picture.width(), h = picture.height();
    const int tw = text.width(), th = text.height();
    QPoint p;
    switch (index) {
    case 0: p = QPoint(0, 0); break;
    case 2: p = QPoint(w - tw, 0); break;
    case 3: p = QPoint(w - tw, h - th); break;
    case 4: p = QPoint(w / 2 - tw / 2, h / 2 - th / 2); break;
    default: p = QPoint(0, h - th); break;
    }
    return QPoint(qMax(0, p.x()), qMax(0, p.y()));
}

std::optional<LogoStamp> LogoStamp::fromSettings(Settings &settings)
{
    if (!settings.lisaalogo || settings.tekstilogo.isEmpty())
        return std::nullopt;
    const int points = katso(settings);
    return make(settings.tekstilogo, points, logoColour(settings), settings.lapinakyvyys,
                settings.logonpaikka);
}

std::optional<LogoStamp> LogoStamp::make(const QString &text, int points, const QColor &colour,
                                         const QString &transparency, int positionIndex)
{
    if (text.isEmpty())
        return std::nullopt;
    const QFont font = logoFont(points);
    const QFontMetrics metrics(font);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    if (size.isEmpty())
        return std::nullopt;
    LogoStamp stamp;
    stamp.m_position = positionIndex;
    stamp.m_opaque = transparency == QLatin1String("0");
    const std::optional<int> percent = WholeNumber::read(transparency);
    stamp.m_alpha = AlphaBlend::alphaForPercent(percent && *percent >= 0 && *percent <= 100 ? *percent : 50);
    const auto draw = [&](QImage &image) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(0, metrics.ascent(), text);
    };
    stamp.m_glyphs = QImage(size, QImage::Format_ARGB32_Premultiplied);
    stamp.m_glyphs.fill(Qt::transparent);
    draw(stamp.m_glyphs);
    stamp.m_overlay = QImage(size, QImage::Format_RGB888);
    stamp.m_overlay.fill(keyColour(colour));
    draw(stamp.m_overlay);
    return stamp;
}

void LogoStamp::blend(QImage &picture) const
{
    const QPoint at = position(m_position, picture.size(), m_overlay.size());
    if (m_opaque) {
        QPainter painter(&picture);
        painter.drawImage(at, m_glyphs);
        return;
    }
    AlphaBlend::alpha_blend(picture, m_overlay, at.x(), at.y(), m_alpha);
}
