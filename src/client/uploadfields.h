#pragma once
// The upload field list: the text fields a picture-upload command collects
// (cleared, then filled pair by pair) before calling UploadHttpPost.
#include <QString>
#include <QStringList>

class UploadFields final {
public:
    void clear();
    // Appends the pair unless the name is empty.
    void add(const QString &name, const QString &value);

    const QStringList &names() const { return m_names; }
    const QStringList &values() const { return m_values; }

private:
    QStringList m_names;
    QStringList m_values;
};
