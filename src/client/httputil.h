#pragma once
// Pure helpers of the HTTP transport: URL encoding, the cache-busting value
// and the repair of marketplace texts whose Finnish letters arrive broken.
#include <QByteArray>
#include <QString>

namespace HttpUtil {

// URL encoding, byte by byte: letters, digits and ! $ ' ( ) * - . @ _ are
// copied, a space becomes "+", every other byte "%xx" (lower-case hex).
QString HTTPEncodeBytes(const QByteArray &bytes);
// The encoding of the text's UTF-8 form: how every text sent to the
// marketplace is encoded.
QString HTTPEncode(const QString &text);

// Two random whole numbers from 0 to 29999 written one after the other,
// appended to an address after a key such as "nocache=".
QString nocache();

// Double-encoding repair: 0xC2 followed by a byte b becomes the UTF-8 form of
// the Windows-1252 character b (so 0xC2 0x80 is the euro sign); 0xC2 0xA0 ...
// 0xC2 0xBF stay as they are. A trailing 0xC2 is kept.
QByteArray korjaautf8(const QByteArray &bytes);

// Letter repair for bytes that are not valid UTF-8: the UTF-8 pairs of
// ä Ä ö Ö Å å become their single Windows-1252 bytes, then every 0xC2 goes.
QByteArray korjaaaakkoset(const QByteArray &bytes);

// The text of a marketplace answer body: the double-encoding repair when the
// bytes hold 0xC2, then strict UTF-8 decoding; bytes that are not valid UTF-8
// get the letter repair and are read as Windows-1252.
QString marketplaceText(const QByteArray &bytes);

} // namespace HttpUtil
