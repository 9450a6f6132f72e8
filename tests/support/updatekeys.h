#pragma once
// An Ed25519 key pair made by the test itself, for signing program files the
// way the maker signs releases (libsodium; link the update library).
#include <QByteArray>
#include <sodium.h>

struct UpdateKeys {
    QByteArray publicKey = QByteArray(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray secretKey = QByteArray(crypto_sign_SECRETKEYBYTES, '\0');

    UpdateKeys()
    {
        if (sodium_init() < 0)
            qFatal("libsodium did not start");
        crypto_sign_keypair(reinterpret_cast<unsigned char *>(publicKey.data()),
                            reinterpret_cast<unsigned char *>(secretKey.data()));
    }
    // A key pair made elsewhere: its secret half as 128 hex digits.
    explicit UpdateKeys(const QByteArray &secretHex) : UpdateKeys()
    {
        secretKey = QByteArray::fromHex(secretHex);
        crypto_sign_ed25519_sk_to_pk(reinterpret_cast<unsigned char *>(publicKey.data()),
                                     reinterpret_cast<const unsigned char *>(secretKey.constData()));
    }
    // The 64 raw bytes of the detached signature.
    QByteArray sign(const QByteArray &bytes) const
    {
        QByteArray sig(crypto_sign_BYTES, '\0');
        crypto_sign_detached(reinterpret_cast<unsigned char *>(sig.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(bytes.constData()),
                             static_cast<unsigned long long>(bytes.size()),
                             reinterpret_cast<const unsigned char *>(secretKey.constData()));
        return sig;
    }
};
