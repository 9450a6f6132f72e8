#include "uploadfields.h"

void UploadFields::clear()
{
    m_names.clear();
    m_values.clear();
}

void UploadFields::add(const QString &name, const QString &value)
{
    if (name.isEmpty())
        return;
    m_names << name;
    m_values << value;
}
