#include "config/TNewIniFile.h"

#include "files/AtomicFileWriter.h"
#include "files/FileChecks.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A key equal for two names exactly when sameName() holds for them: each UTF-16 unit folded as
// QString's case-insensitive comparison folds it. A name without surrogates folds unit by unit
// within the BMP, one unit each. A low surrogate after a high one stands for the whole character,
// whose folded value may need more than 16 bits: such names keep two units per value, and their
// keys hold surrogate units, which the others' never do, so the two kinds cannot meet.
QString foldedName(const QString &name)
{
    QString key;
    const bool surrogates =
        std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.isSurrogate(); });
    if (!surrogates) {
        key.resize(name.size());
        QChar *out = key.data();
        for (const QChar c : name)
            *out++ = c.toCaseFolded();
        return key;
    }
    key.reserve(2 * name.size());
    char16_t last = 0;
    for (const QChar c : name) {
        char32_t u = c.unicode();
        if (QChar::isLowSurrogate(u) && QChar::isHighSurrogate(last))
            u = QChar::surrogateToUcs4(last, char16_t(u));
        last = c.unicode();
        const char32_t folded = QChar::toCaseFolded(u);
        key.append(QChar(char16_t(folded >> 16)));
        key.append(QChar(char16_t(folded & 0xFFFF)));
    }
    return key;
}

} // namespace

void TNewIniFile::loadFromBytes(const QByteArray &bytes)
{
    m_sections.clear();
    m_sectionIndex.clear();
    const DecodedText decoded = decode8BitText(bytes);
    m_encoding = decoded.encoding;
    m_encodingKnown = true;
    Section *current = nullptr;
    for (const QString &line : splitTextLines(decoded.text)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = &sectionFor(line.mid(1, line.size() - 2));
            continue;
        }
        if (!current)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? line : line.left(eq);
        const QString val = eq < 0 ? QString() : line.mid(eq + 1);
        // A repeated key is kept as it stands, so a rewrite loses nothing; reads see the first.
        current->entries.push_back({key, val, eq >= 0});
    }
}

bool TNewIniFile::load()
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_sections.clear();
        m_sectionIndex.clear();
        return false;
    }
    loadFromBytes(file.readAll());
    return true;
}

QByteArray TNewIniFile::toBytes() const
{
    QStringList lines;
    for (const Section &s : m_sections) {
        lines.append(QLatin1Char('[') + s.name + QLatin1Char(']'));
        for (const Entry &e : s.entries)
            lines.append(e.hasEquals ? e.key + QLatin1Char('=') + e.value : e.key);
        lines.append(QString());
    }
    const QString text = joinTextLines(lines);
    return encode8BitText(text, m_encodingKnown ? m_encoding : encodingForNewText(text));
}

const TNewIniFile::Section *TNewIniFile::findSection(const QString &name) const
{
    const auto it = m_sectionIndex.constFind(foldedName(name));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[*it];
}

TNewIniFile::Section &TNewIniFile::sectionFor(const QString &name)
{
    // A section named again (in any case) is the first one of that name.
    const QString key = foldedName(name);
    if (const auto it = m_sectionIndex.constFind(key); it != m_sectionIndex.cend())
        return m_sections[*it];
    m_sectionIndex.insert(key, m_sections.size());
    m_sections.push_back({name, {}});
    return m_sections.back();
}

void TNewIniFile::reindexSections()
{
    m_sectionIndex.clear();
    m_sectionIndex.reserve(qsizetype(m_sections.size()));
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        m_sectionIndex.insert(foldedName(m_sections[i].name), i);
}

bool TNewIniFile::SectionExists(const QString &section) const
{
    return findSection(section) != nullptr;
}

bool TNewIniFile::ValueExists(const QString &section, const QString &key) const
{
    return value(section, key).has_value();
}

std::optional<QString> TNewIniFile::value(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const Entry &e : s->entries)
        if (e.hasEquals && sameName(e.key, key))
            return e.value;
    return std::nullopt;
}

QString TNewIniFile::ReadString(const QString &section, const QString &key,
                                const QString &def) const
{
    return value(section, key).value_or(def);
}

std::optional<std::int32_t> TNewIniFile::parseInteger(const QString &text)
{
    bool ok = false;
    qlonglong v = 0;
    bool hex = true;
    if (text.size() > 2 &&
        (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))))
        v = text.mid(2).toLongLong(&ok, 16);
    else if (text.startsWith(QLatin1Char('$')))
        v = text.mid(1).toLongLong(&ok, 16);
    else {
        hex = false;
        v = text.toLongLong(&ok, 10);
    }
    if (!ok)
        return std::nullopt;
    // Hexadecimal numbers up to FFFFFFFF (colour numbers) read as their signed 32-bit value.
    if (hex && v >= 0 && v <= 0xFFFFFFFFLL)
        return std::int32_t(std::uint32_t(v));
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(v);
}

std::int32_t TNewIniFile::ReadInteger(const QString &section, const QString &key,
                                      std::int32_t def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    return parseInteger(*v).value_or(def);
}

bool TNewIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    const auto n = parseInteger(*v);
    return n ? *n != 0 : def;
}

void TNewIniFile::WriteString(const QString &section, const QString &key, const QString &val)
{
    Section &s = sectionFor(section);
    for (Entry &e : s.entries)
        if (sameName(e.key, key)) {
            e.value = val;
            e.hasEquals = true;
            return;
        }
    s.entries.push_back({key, val, true});
}

void TNewIniFile::WriteInteger(const QString &section, const QString &key, std::int32_t val)
{
    WriteString(section, key, QString::number(val));
}

void TNewIniFile::WriteBool(const QString &section, const QString &key, bool val)
{
    WriteString(section, key, val ? QStringLiteral("1") : QStringLiteral("0"));
}

Fallible<void> TNewIniFile::UpdateFile(Prompter &prompter)
{
    if (m_path.isEmpty() || !EnsureWritable(m_path, prompter))
        return Fallible<void>::failure(QString());
    if (!writeFileAtomically(m_path, toBytes()).ok)
        return Fallible<void>::failure(
            QStringLiteral("S'ha produït un error en desar\r\n%1").arg(m_path));
    return Fallible<void>::success();
}

QStringList TNewIniFile::sectionNames() const
{
    QStringList out;
    for (const Section &s : m_sections)
        out.append(s.name);
    return out;
}

QStringList TNewIniFile::keyNames(const QString &section) const
{
    QStringList out;
    if (const Section *s = findSection(section))
        for (const Entry &e : s->entries)
            if (e.hasEquals)
                out.append(e.key);
    return out;
}

void TNewIniFile::eraseSection(const QString &section)
{
    const auto it = m_sectionIndex.constFind(foldedName(section));
    if (it == m_sectionIndex.cend())
        return;
    m_sections.erase(m_sections.begin() + std::ptrdiff_t(*it));
    // The sections after it moved up one place.
    reindexSections();
}

void TNewIniFile::deleteKey(const QString &section, const QString &key)
{
    const Section *found = findSection(section);
    if (!found)
        return;
    Section &s = m_sections[std::size_t(found - m_sections.data())];
    for (auto it = s.entries.begin(); it != s.entries.end(); ++it)
        if (it->hasEquals && sameName(it->key, key)) {
            s.entries.erase(it);
            return;
        }
}
