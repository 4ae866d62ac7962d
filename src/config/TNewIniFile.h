#pragma once

#include "files/Fallible.h"
#include "files/TextCodec.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A settings file held whole in memory. Section and key names match without regard to case and
// without trimming; empty lines, ";" comments and lines before the first section are dropped.
// Sections and keys keep their order; new ones are appended.
class Prompter;

class TNewIniFile
{
public:
    TNewIniFile() = default;
    explicit TNewIniFile(const QString &path) : m_path(path) {}

    const QString &path() const { return m_path; }

    void loadFromBytes(const QByteArray &bytes);
    // Reads the file at path(); a missing file leaves the store empty.
    bool load();
    QByteArray toBytes() const;
    // Writes the whole content back to path() after EnsureWritable, through a temporary file.
    // Fails when the check refused (empty message: the check has said what it had to) or the
    // write failed (the old file stays whole); the write's message is not shown here.
    Fallible<void> UpdateFile(Prompter &prompter);
    // Sections in file order, and the keys of one section in order.
    QStringList sectionNames() const;
    QStringList keyNames(const QString &section) const;
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    std::optional<QString> value(const QString &section, const QString &key) const;

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, or hexadecimal after "0x"/"0X" (values longer than two characters) or "$".
    std::int32_t ReadInteger(const QString &section, const QString &key, std::int32_t def) const;
    // Any integer other than 0 is true.
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, std::int32_t value);
    void WriteBool(const QString &section, const QString &key, bool value);

    static std::optional<std::int32_t> parseInteger(const QString &text);

private:
    struct Entry
    {
        QString key;
        QString value;
        bool hasEquals = true; // a line without "=" is kept and written back as it was
    };
    struct Section
    {
        QString name;
        std::vector<Entry> entries;
    };
    const Section *findSection(const QString &name) const;
    Section &sectionFor(const QString &name);
    void reindexSections();

    QString m_path;
    std::vector<Section> m_sections;
    // Each section's place in m_sections under its folded name, so that finding one does not
    // walk the list (a file may hold a great many).
    QHash<QString, std::size_t> m_sectionIndex;
    TextEncoding m_encoding = TextEncoding::Windows1252;
    bool m_encodingKnown = false;
};
