#pragma once
// The API session as the browser's sign-in feature: the login form's POST
// body signs the program in, the marketplace's sign-out signs it out.
#include "browser/features/signinfeature.h"
#include "client/apisession.h"

class ApiSignIn final : public SignInFeature {
public:
    explicit ApiSignIn(ApiSession *api) : m_api(api) {}

    bool captureSignIn(const QByteArray &postData) override { return m_api->captureLogin(postData); }
    void signOut() override { m_api->signOut(); }
    bool capturedSignIn() const override { return m_api->signedIn(); }

private:
    ApiSession *m_api;
};
