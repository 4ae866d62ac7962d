#include "files/MemTable.h"

#include <QDate>
#include <QDateTime>

MemTable::MemTable(QString name, std::vector<Field> fields)
    : m_name(std::move(name)), m_fields(std::move(fields))
{}

int MemTable::fieldIndex(const QString &name) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QVariant MemTable::value(int record, const QString &field) const
{
    const int f = fieldIndex(field);
    if (record < 0 || record >= recordCount() || f < 0)
        return QVariant();
    return m_records[std::size_t(record)][std::size_t(f)];
}

void MemTable::clear()
{
    m_records.clear();
    current = -1;
    editing = false;
    pending.clear();
    modified = false;
}

bool MemTable::setField(Record &r, int field, const QVariant &value) const
{
    if (field < 0 || field >= int(m_fields.size()))
        return false;
    if (r.size() != m_fields.size())
        r.resize(m_fields.size());
    const Field &f = m_fields[std::size_t(field)];
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty() &&
                           f.kind != FieldKind::String)) {
        r[std::size_t(field)] = QVariant();
        return true;
    }
    bool ok = true;
    QVariant v;
    switch (f.kind) {
    case FieldKind::String: {
        QString s = value.toString();
        if (f.width > 0 && s.size() > f.width)
            s.truncate(f.width);
        v = s.isEmpty() ? QVariant() : QVariant(s);
        break;
    }
    case FieldKind::SmallInt: {
        const int n = value.toString().toInt(&ok);
        ok = ok && n >= -32768 && n <= 32767;
        v = n;
        break;
    }
    case FieldKind::Integer: v = value.toString().toInt(&ok); break;
    case FieldKind::Boolean: {
        const QString s = value.typeId() == QMetaType::Bool
                              ? (value.toBool() ? QStringLiteral("1") : QStringLiteral("0"))
                              : value.toString();
        if (s == QLatin1String("1"))
            v = true;
        else if (s == QLatin1String("0"))
            v = false;
        else
            ok = false; // any other text leaves the field as it was
        break;
    }
    case FieldKind::Float: {
        QString s = value.toString();
        s.replace(QLatin1Char(','), QLatin1Char('.'));
        v = s.toDouble(&ok);
        break;
    }
    case FieldKind::Date:
        v = value.typeId() == QMetaType::QDate
                ? value.toDate()
                : QDate::fromString(value.toString(), QStringLiteral("dd/MM/yyyy"));
        ok = v.toDate().isValid();
        break;
    case FieldKind::DateTime:
        v = value.typeId() == QMetaType::QDateTime
                ? value.toDateTime()
                : QDateTime::fromString(value.toString(), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        ok = v.toDateTime().isValid();
        break;
    }
    if (!ok)
        return false;
    r[std::size_t(field)] = v;
    return true;
}

std::optional<QString> MemTable::append(const Record &r)
{
    Record copy = r;
    copy.resize(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].required && copy[i].isNull())
            return QStringLiteral("Cal un valor per al camp %1").arg(m_fields[i].name);
    m_records.push_back(std::move(copy));
    modified = true;
    return std::nullopt;
}

void MemTable::insertAt(int i, const Record &r)
{
    if (i < 0 || i > recordCount())
        return;
    Record copy = r;
    copy.resize(m_fields.size());
    m_records.insert(m_records.begin() + i, std::move(copy));
    modified = true;
    if (current >= i)
        ++current;
}

void MemTable::removeAt(int i)
{
    if (i < 0 || i >= recordCount())
        return;
    m_records.erase(m_records.begin() + i);
    modified = true;
    if (current >= recordCount())
        current = recordCount() - 1;
}

void MemTable::replaceAt(int i, const Record &r)
{
    if (i < 0 || i >= recordCount())
        return;
    Record copy = r;
    copy.resize(m_fields.size());
    m_records[std::size_t(i)] = std::move(copy);
    modified = true;
}

std::optional<QString> MemTable::post()
{
    if (!editing)
        return std::nullopt;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].required && (i >= pending.size() || pending[i].isNull()))
            return QStringLiteral("Cal un valor per al camp %1").arg(m_fields[i].name);
    if (current >= 0 && current < recordCount())
        replaceAt(current, pending);
    else if (auto err = append(pending))
        return err;
    else
        current = recordCount() - 1;
    editing = false;
    return std::nullopt;
}

void MemTable::cancel()
{
    editing = false;
    pending.clear();
}
