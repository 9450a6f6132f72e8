#pragma once
// Detached Ed25519 signatures of downloaded program files (libsodium): the
// signature is the 64 raw bytes of crypto_sign_detached over the whole file.
#include <QByteArray>

namespace UpdateSignature {
constexpr int kSignatureBytes = 64;
constexpr int kPublicKeyBytes = 32;

// False for a signature or key of the wrong length and for any mismatch.
bool verify(const QByteArray &bytes, const QByteArray &signature, const QByteArray &publicKey);
// The key built into the program.
QByteArray builtInKey();
}
