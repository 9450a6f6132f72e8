#pragma once
// The user's marketplace sign-in as the program sees it: captured from the
// login form, forgotten at sign-out.
#include <QByteArray>

class SignInFeature {
public:
    virtual ~SignInFeature() = default;

    // Takes the sign-in from a login POST body; true when it held a user name
    // and a password. Called inside the engine's navigation callback: it must
    // answer at once, without scripts or waits.
    virtual bool captureSignIn(const QByteArray &postData) = 0;
    // Forgets the sign-in and the API session and disables `postia`.
    virtual void signOut() = 0;
    // A captured sign-in exists.
    virtual bool capturedSignIn() const = 0;
};
