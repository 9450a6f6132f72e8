// The login form's urlencoded body. Any body parses without harm; a body
// that a browser builds from a user name and a password (fields in either
// order, values encoded the way the program encodes) gives them back.
#include "client/httputil.h"
#include "client/logincapture.h"
#include "core/cp1252.h"
#include "fuzzsupport.h"

namespace {
QByteArray encoded(const QString &text)
{
    return HttpUtil::HTTPEncodeBytes(text.toUtf8()).toLatin1();
}

// The program keeps what Windows-1252 can hold.
QString narrowed(const QString &text)
{
    return Cp1252::decode(Cp1252::encode(text));
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Input in(data, size);
    LoginCapture::parse(Fuzz::raw(data, size));
    LoginCapture::percentDecode(in.bytes(0));

    const QString user = in.utf8(1);
    const QString password = in.utf8(2);
    const QByteArray bodies[2] = {
        "userid=" + encoded(user) + "&password=" + encoded(password) + "&remember=1",
        "password=" + encoded(password) + "&userid=" + encoded(user) + "&",
    };
    for (const QByteArray &body : bodies) {
        const auto got = LoginCapture::parse(body);
        FUZZ_CHECK(got.has_value());
        FUZZ_CHECK(got->userName == narrowed(user));
        FUZZ_CHECK(got->password == narrowed(password));
    }
    return 0;
}
