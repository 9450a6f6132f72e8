#pragma once
// The address box's typed-address history: up to 25 values named "Url1" ..
// "Url25" kept in a small text file in the data folder ("Url<n>=<address>"
// lines, UTF-8), read and written whole.
#include <QMap>
#include <QString>
#include <QStringList>

class TypedUrls final {
public:
    static constexpr int kSize = 25;

    explicit TypedUrls(const QString &filePath);

    // The drop-down list: values Url1..Url25 that exist, trimmed, without
    // blanks and without texts already found anywhere in the list so far.
    QStringList list() const;
    // Stores the first 25 non-empty items as Url1, Url2, ... in list order.
    bool write(const QStringList &items) const;
    // Deletes every value whose text equals the address exactly.
    bool remove(const QString &address) const;

    QMap<int, QString> values() const;    // number -> text as stored
    QString filePath() const { return m_path; }

private:
    bool save(const QMap<int, QString> &values) const;

    QString m_path;
};
