// The maker's release signing tool (libsodium Ed25519, no Qt):
//   releasesign keypair SECRETFILE   makes a key pair, writes the secret half
//                                    (128 hex digits) owner-only into a new
//                                    file and prints the public half
//   releasesign keypair -            prints "<secret hex> <public hex>"
//   releasesign public SECRETFILE    prints the public half of a secret key
//   releasesign sign SECRETFILE FILE writes FILE.sig: the 64 raw bytes of the
//                                    detached signature the program checks
#include <sodium.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
std::string hex(const unsigned char *bytes, size_t n)
{
    std::string out(n * 2 + 1, '\0');
    sodium_bin2hex(out.data(), out.size(), bytes, n);
    out.resize(n * 2);
    return out;
}

bool readAll(const char *path, std::vector<unsigned char> &out)
{
    FILE *f = std::fopen(path, "rb");
    if (!f)
        return false;
    unsigned char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool readSecret(const char *path, unsigned char *secret)
{
    std::vector<unsigned char> text;
    if (!readAll(path, text))
        return false;
    size_t used = 0;
    return sodium_hex2bin(secret, crypto_sign_SECRETKEYBYTES, reinterpret_cast<const char *>(text.data()),
                          text.size(), " \r\n", &used, nullptr)
               == 0
           && used == crypto_sign_SECRETKEYBYTES;
}

int keypair(const char *path)
{
    unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(pk, sk);
    const std::string secret = hex(sk, sizeof sk);
    sodium_memzero(sk, sizeof sk);
    if (std::strcmp(path, "-") == 0) {
        std::printf("%s %s\n", secret.c_str(), hex(pk, sizeof pk).c_str());
        return 0;
    }
    // A new file only: an existing key is never overwritten.
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "%s: %s\n", path, std::strerror(errno));
        return 1;
    }
    const std::string line = secret + "\n";
    const bool ok = write(fd, line.data(), line.size()) == ssize_t(line.size()) && fsync(fd) == 0;
    close(fd);
    if (!ok)
        return 1;
    std::printf("%s\n", hex(pk, sizeof pk).c_str());
    return 0;
}

int sign(const char *secretPath, const char *file)
{
    unsigned char sk[crypto_sign_SECRETKEYBYTES], pk[crypto_sign_PUBLICKEYBYTES], sig[crypto_sign_BYTES];
    std::vector<unsigned char> bytes;
    if (!readSecret(secretPath, sk) || !readAll(file, bytes)) {
        std::fprintf(stderr, "cannot read the key or %s\n", file);
        return 1;
    }
    crypto_sign_detached(sig, nullptr, bytes.data(), bytes.size(), sk);
    crypto_sign_ed25519_sk_to_pk(pk, sk);
    sodium_memzero(sk, sizeof sk);
    if (crypto_sign_verify_detached(sig, bytes.data(), bytes.size(), pk) != 0)
        return 1;
    const std::string out = std::string(file) + ".sig";
    FILE *f = std::fopen(out.c_str(), "wb");
    const bool ok = f && std::fwrite(sig, 1, sizeof sig, f) == sizeof sig;
    if (f && std::fclose(f) != 0)
        return 1;
    return ok ? 0 : 1;
}
}

int main(int argc, char **argv)
{
    if (sodium_init() < 0)
        return 1;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "keypair" && argc == 3)
        return keypair(argv[2]);
    if (command == "sign" && argc == 4)
        return sign(argv[2], argv[3]);
    if (command == "public" && argc == 3) {
        unsigned char sk[crypto_sign_SECRETKEYBYTES], pk[crypto_sign_PUBLICKEYBYTES];
        if (!readSecret(argv[2], sk))
            return 1;
        crypto_sign_ed25519_sk_to_pk(pk, sk);
        sodium_memzero(sk, sizeof sk);
        std::printf("%s\n", hex(pk, sizeof pk).c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: releasesign keypair FILE|- | public FILE | sign FILE PROGRAM\n");
    return 2;
}
