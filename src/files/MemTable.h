#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

// A small in-memory table of records: named, typed fields, records in order, a current record
// and one record being edited. The meaning tables, the users, domains and favourite-folder
// lists are held in it; the editors show it in grids.
class MemTable
{
public:
    enum class FieldKind { String, SmallInt, Integer, Boolean, Float, Date, DateTime };

    struct Field
    {
        QString name;
        FieldKind kind = FieldKind::String;
        int width = 0;         // strings: longer texts are cut to it (0 = no limit)
        bool required = false; // a record without a value here cannot be posted
        bool calculated = false;
    };

    using Record = std::vector<QVariant>; // a null QVariant = no value

    explicit MemTable(QString name, std::vector<Field> fields);

    const QString &name() const { return m_name; }
    const std::vector<Field> &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const;
    bool isOpen() const { return m_open; }
    void setOpen(bool open) { m_open = open; }

    int recordCount() const { return int(m_records.size()); }
    const Record &record(int i) const { return m_records[std::size_t(i)]; }
    QVariant value(int record, const QString &field) const;
    void clear();

    // Puts `value` into field `field` of `r`, converted to the field's kind and cut to its width.
    // Returns false when the text does not convert (the field is then left as it was).
    bool setField(Record &r, int field, const QVariant &value) const;
    Record emptyRecord() const { return Record(m_fields.size()); }

    // Appends a record after checking the required fields; the error names the first field
    // missing. Nothing is appended on error.
    std::optional<QString> append(const Record &r);
    // Inserts `r` before record `i` (at the end when `i` is the record count) without checking
    // the required fields: a grid inserts a row that is filled in afterwards. The current record
    // keeps pointing at the same record.
    void insertAt(int i, const Record &r);
    void removeAt(int i);
    void replaceAt(int i, const Record &r);

    // The current record and the editing state (a record started, not yet posted).
    int current = -1;
    bool editing = false;
    Record pending;
    std::optional<QString> post(); // appends or replaces `pending` at `current`
    void cancel();

    bool modified = false;

private:
    QString m_name;
    std::vector<Field> m_fields;
    std::vector<Record> m_records;
    bool m_open = true;
};
