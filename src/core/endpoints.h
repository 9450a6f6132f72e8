#pragma once
// Outside addresses of the program. Built-in values can be overridden key by
// key by an INI-style file named in $VSSELAIN_ENDPOINTS ("key=value" lines).
#include <QHash>
#include <QString>

class Endpoints final {
public:
    Endpoints();                                   // built-in values only
    static Endpoints fromEnvironment();            // built-ins + $VSSELAIN_ENDPOINTS
    void loadOverrides(const QString &path);

    QString value(const QString &key) const;
    void set(const QString &key, const QString &value);

    QString webBase() const { return value(QStringLiteral("web_base")); }
    QString domain() const { return value(QStringLiteral("domain")); }
    QString apiBase() const { return value(QStringLiteral("api_base")); }
    QString proxy() const { return value(QStringLiteral("proxy")); }

private:
    QHash<QString, QString> m_values;
};
