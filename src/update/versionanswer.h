#pragma once
// The answer of the maker's version file. CR, LF and spaces are dropped;
// the answer is valid when its second character is "."; its first four
// characters are the version ("4.06"); a longer answer ending in "/" carries
// the address the program file is downloaded from after those four.
#include <QString>

struct VersionAnswer {
    bool valid = false;
    QString version;
    QString downloadBase;   // empty: download from the maker's web address

    static VersionAnswer parse(const QString &text);
    // Versions compare as text, character by character ("4.10" > "4.05").
    static bool isNewer(const QString &version, const QString &current);
};
