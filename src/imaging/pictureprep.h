#pragma once
// Preparing a picture for upload (`pienennakuva2`): decode, shrink into the
// upload mode's box, stamp the logo, write a JPEG at quality 90 into a new
// temporary file "Vss<n><n>.jpg". Pure computation on plain data: the
// options are read from the settings on the window's thread, the work may
// run on any thread.
#include "imaging/logostamp.h"

#include <QSize>
#include <QString>
#include <memory>

struct Settings;

namespace PicturePrep {

inline const char *const kWrongType = "Kuva tiedosto on väärän tyyppinen!";
inline const char *const kWriteFailed = "Kuvan tallentaminen epäonnistui!";
constexpr int kQuality = 90;

struct Options {
    QSize limit;                                   // MW x MH
    std::shared_ptr<const LogoStamp> logo;         // null: no logo
    QString tempFolder;                            // with a trailing "/"
};

// The options of an upload mode: its box, the logo when `lisaalogo` is on
// (runs `katso`, which may write the font size back). Window thread only.
Options optionsFor(int uploadMode, Settings &settings, const QString &tempFolder);

enum class Status { Ok, Missing, WrongType, WriteFailed };

struct Result {
    Status status = Status::Missing;
    QString path;      // the prepared JPEG when Ok
    QSize size;        // its size when Ok
};

Result pienennakuva2(const QString &file, const Options &options);

// The user's message for a failed result; empty for Ok and Missing.
QString message(Status status);

}
