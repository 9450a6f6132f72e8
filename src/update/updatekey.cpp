#include "update/updatekey.h"

namespace {
#ifdef VS_UPDATE_PUBLIC_KEY_HEX
constexpr char kKey[] = VS_UPDATE_PUBLIC_KEY_HEX;
constexpr bool kDeveloper = false;
#else
constexpr char kKey[] = "1ee6c2763870032f4d63b2c14c48b6be55366180e41b165d4c6e172431160d73";
constexpr bool kDeveloper = true;
#endif
static_assert(sizeof(kKey) == 65, "the update key is 64 hex digits");
}

const char *UpdateKey::publicKeyHex()
{
    return kKey;
}

bool UpdateKey::isDeveloperBuild()
{
    return kDeveloper;
}
