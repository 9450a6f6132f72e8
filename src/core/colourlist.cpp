#include "colourlist.h"

namespace {
struct Entry {
    const char *name;
    QRgb rgb;
};

const Entry kEntries[] = {
    {"Custom...", 0x000000},
    {"Black", 0x000000},       {"Maroon", 0x800000},     {"Green", 0x008000},
    {"Olive", 0x808000},       {"Navy", 0x000080},       {"Purple", 0x800080},
    {"Teal", 0x008080},        {"Gray", 0x808080},       {"Silver", 0xC0C0C0},
    {"Red", 0xFF0000},         {"Lime", 0x00FF00},       {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},        {"Fuchsia", 0xFF00FF},    {"Aqua", 0x00FFFF},
    {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xA6CAF0},   {"Cream", 0xFFFBF0},
    {"Medium Gray", 0xA0A0A4},
};
constexpr int kCount = int(sizeof kEntries / sizeof kEntries[0]);

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
}

std::optional<int> hexPair(const QString &text, int from)
{
    if (text.size() < from + 2 || !isHexDigit(text[from]) || !isHexDigit(text[from + 1]))
        return std::nullopt;
    return text.mid(from, 2).toInt(nullptr, 16);
}
}

int ColourList::count()
{
    return kCount;
}

QString ColourList::name(int index)
{
    return index >= 0 && index < kCount ? QString::fromLatin1(kEntries[index].name) : QString();
}

QColor ColourList::colour(int index)
{
    return index >= 0 && index < kCount ? QColor(kEntries[index].rgb) : QColor();
}

int ColourList::indexOf(const QColor &colour)
{
    for (int i = 1; i < kCount; ++i) {
        if (QColor(kEntries[i].rgb).rgb() == colour.rgb())
            return i;
    }
    return kCustom;
}

QString ColourList::toText(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toUpper();
}

std::optional<QColor> ColourList::fromText(const QString &text)
{
    // Position 1 is the "#"; the reader does not insist on it.
    const auto r = hexPair(text, 1);
    const auto g = hexPair(text, 3);
    const auto b = hexPair(text, 5);
    if (!r || !g || !b)
        return std::nullopt;
    return QColor(*r, *g, *b);
}
