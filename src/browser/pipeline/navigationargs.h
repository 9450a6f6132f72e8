#pragma once
// One BeforeNavigate2 event: where a page or one of its frames is about to go.
// Handlers may set `cancel`; the page then stays where it is.
#include <QByteArray>
#include <QString>
#include <QUrl>

struct NavigationArgs {
    // Same order as the engine's navigation types.
    enum Kind { LinkClicked, Typed, FormSubmitted, BackForward, Reload, Other, Redirect };

    QUrl url;
    bool mainFrame = true;       // false for a frame inside the page
    Kind kind = Other;
    QByteArray postData;         // urlencoded body of a submitted POST form, else empty
    QString headers;             // request headers the program knows of ("" for a GET)
    bool cancel = false;
};
