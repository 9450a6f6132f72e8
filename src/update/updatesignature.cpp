#include "update/updatesignature.h"
#include "update/updatekey.h"
#include <sodium.h>

bool UpdateSignature::verify(const QByteArray &bytes, const QByteArray &signature, const QByteArray &publicKey)
{
    if (signature.size() != kSignatureBytes || publicKey.size() != kPublicKeyBytes)
        return false;
    if (sodium_init() < 0)
        return false;
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.constData()),
                                       reinterpret_cast<const unsigned char *>(bytes.constData()),
                                       static_cast<unsigned long long>(bytes.size()),
                                       reinterpret_cast<const unsigned char *>(publicKey.constData()))
           == 0;
}

QByteArray UpdateSignature::builtInKey()
{
    return QByteArray::fromHex(QByteArray(UpdateKey::publicKeyHex()));
}
