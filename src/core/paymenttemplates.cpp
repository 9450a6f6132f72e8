#include "paymenttemplates.h"

PaymentTemplates builtInPaymentTemplates()
{
    PaymentTemplates t;
    t.myyd1 = QStringList{
        QStringLiteral("Hei!"),
        QString(),
        QStringLiteral("Kaupat kohteesta \"%ko%\" %sum% + postikulut %pk% = %yht%"),
        // The trailing blank is part of the text.
        QStringLiteral("Tilinumero on %tn%. Kun summa näkyy tilillä, niin lähetän osoitteeseen: %os% "),
        QString(),
        QStringLiteral("Kiitos kaupoista!"),
    };
    t.myyd2 = QStringList{
        QStringLiteral("Hei!"),
        QString(),
        QStringLiteral("Kaupat %lm% kohteesta:"),
        QStringLiteral("%ko%"),
        QString(),
        QStringLiteral("Yhteensä %sum% + postikulut %pk% = %yht%"),
        QStringLiteral("Tilinumero on %tn%. Kun summa näkyy tilillä, niin lähetän osoitteeseen: %os%"),
        QString(),
        QStringLiteral("Kiitos kaupoista!"),
    };
    t.osto1 = QStringList{
        QStringLiteral("Hei!"),
        QString(),
        QStringLiteral("Huusin kohteen \"%ko%\" %sum%"),
        QStringLiteral("Ilmoitatko tilinumeron ja summan postikuluineen, niin maksan pois!"),
    };
    t.osto2 = QStringList{
        QStringLiteral("Hei!"),
        QString(),
        QStringLiteral("Kaupat %lm% kohteesta:"),
        QStringLiteral("%ko%"),
        QStringLiteral("Yhteensä %sum%"),
        QString(),
        QStringLiteral("Ilmoitatko tilinumeron ja summan postikuluineen, niin maksan pois!"),
    };
    return t;
}
