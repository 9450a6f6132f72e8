#pragma once
// The public half of the maker's Ed25519 key pair, as 64 hex digits. A
// downloaded program file is installed only when its detached signature
// verifies against this key. A release build gets it from the CMake option
// VS_UPDATE_PUBLIC_KEY (README, "Päivitys"); without it the program carries a
// placeholder whose secret half was never kept, so it cannot update itself.
//
// Only updatekey.cpp sees the build's key, so a build with another key
// compiles that one file again.
namespace UpdateKey {
const char *publicKeyHex();
// True for the placeholder of a developer build.
bool isDeveloperBuild();
}
