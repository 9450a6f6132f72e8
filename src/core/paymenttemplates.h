#pragma once
// Built-in texts of the ledger's four payment-message templates, one list
// entry per line. The settings start with them and "Palauta alkuperäinen"
// in the ledger restores them.
#include <QStringList>

struct PaymentTemplates {
    QStringList myyd1;   // sold, one item
    QStringList osto1;   // bought, one item
    QStringList myyd2;   // sold, several items
    QStringList osto2;   // bought, several items
};

PaymentTemplates builtInPaymentTemplates();
