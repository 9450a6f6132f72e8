#pragma once
// The public half of the maker's Ed25519 key pair, as 64 hex digits. A
// downloaded program file is installed only when its detached signature
// verifies against this key. Replace it with the release key before a
// release (README, "Päivitys").
inline constexpr char kUpdatePublicKeyHex[] =
    "1ee6c2763870032f4d63b2c14c48b6be55366180e41b165d4c6e172431160d73";
