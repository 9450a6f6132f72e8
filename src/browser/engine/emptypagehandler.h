#pragma once
// Serves the empty page that replaces advertisement and widget addresses.
#include <QWebEngineUrlSchemeHandler>

class EmptyPageHandler final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit EmptyPageHandler(QObject *parent = nullptr);
    void requestStarted(QWebEngineUrlRequestJob *job) override;
};
