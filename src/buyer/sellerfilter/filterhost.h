#pragma once
// What the seller filter needs from the main window: its two notices and a
// word when it has reset the lifetime setting (the settings dialog shows it).
#include <QString>

class FilterHost {
public:
    virtual ~FilterHost() = default;
    // Message panel `paneeli`.
    virtual void naytapaneeli(const QString &text, int ticks) = 0;
    // Status notice `Xipanel6` in the tool bar.
    virtual void statusNotice(const QString &text, int ticks) = 0;
    // `Edit5` was set to "60" because it held no usable lifetime.
    virtual void Edit5Changed() = 0;
};
