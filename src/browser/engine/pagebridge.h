#pragma once
// The object a page's injected scripts talk to over the web channel (in the
// isolated script world only, so page scripts cannot reach it).
#include <QObject>
#include <QStringList>

class PageBridge final : public QObject {
    Q_OBJECT
public:
    explicit PageBridge(QObject *parent = nullptr) : QObject(parent) {}

public slots:
    void formSubmitted(const QString &action, const QString &body) { emit formData(action, body); }
    void domReady(const QString &url, const QStringList &frameSources) { emit ready(url, frameSources); }

signals:
    void formData(const QString &action, const QString &body);
    void ready(const QString &url, const QStringList &frameSources);
};
