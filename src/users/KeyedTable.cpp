#include "users/KeyedTable.h"

#include "config/Base64.h"
#include "files/AtomicFileWriter.h"
#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/Prompter.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// A list file holds only the Base64 alphabet, "=", line breaks and blanks: a plain list
// typed by hand (with its TABs) is told apart.
bool looksLikeBase64(const QByteArray &bytes)
{
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '+' || c == '/' || c == '=' || c == '\r' ||
                        c == '\n' || c == ' ';
        if (!ok)
            return false;
    }
    return true;
}

// Decoded rows are text: no control byte but TAB and the line ends.
bool looksLikeText(const QByteArray &bytes)
{
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7f)
            return false;
    }
    return true;
}

// The plain copy an older program kept beside the list while reading or writing it.
QString transientPath(const QString &path)
{
    return path.left(lastSeparatorIndex(path) + 1) + QStringLiteral("~") + extractFileName(path);
}

QString notAListMessage(const QString &path)
{
    return QStringLiteral("L'arxiu %1 no conté una llista vàlida").arg(path);
}

} // namespace

KeyedTable::KeyedTable(QString name, std::vector<MemTable::Field> fields, const QString &keyField)
    : m_table(std::move(name), std::move(fields)), m_keyField(m_table.fieldIndex(keyField))
{}

QString KeyedTable::text(int row, const QString &field) const
{
    return m_table.value(row, field).toString();
}

void KeyedTable::emptyTable()
{
    m_table.clear();
    m_keys.clear();
    m_state = EditState::Browse;
    m_row = -1;
    m_pending.clear();
}

void KeyedTable::beginEdit(int row)
{
    if (m_state != EditState::Browse || row < 0 || row >= rowCount())
        return;
    m_state = EditState::Edit;
    m_row = row;
    m_pending = m_table.record(row);
    m_editKey = m_pending[std::size_t(m_keyField)].toString();
    m_keys.remove(m_editKey);
}

void KeyedTable::beginInsert(int row)
{
    if (m_state != EditState::Browse)
        return;
    m_state = EditState::Insert;
    m_row = std::clamp(row, 0, rowCount());
    m_pending = m_table.emptyRecord();
    m_editKey.clear();
    if (afterInsert)
        afterInsert();
}

void KeyedTable::setPending(const QString &field, const QVariant &value)
{
    if (m_state != EditState::Browse)
        (void)m_table.setField(m_pending, m_table.fieldIndex(field), value);
}

QString KeyedTable::pendingText(const QString &field) const
{
    const int f = m_table.fieldIndex(field);
    if (m_state == EditState::Browse || f < 0 || std::size_t(f) >= m_pending.size())
        return QString();
    return m_pending[std::size_t(f)].toString();
}

Fallible<void> KeyedTable::post()
{
    if (m_state == EditState::Browse)
        return Fallible<void>::success();
    if (beforePost)
        beforePost();
    const auto &fields = m_table.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString value = m_pending[i].toString();
        if (fields[i].required && value.isEmpty())
            return Fallible<void>::failure(
                QStringLiteral("Cal un valor per al camp %1").arg(fields[i].name));
        // The list's rows are split at TABs and line ends.
        if (value.contains(QLatin1Char('\t')) || value.contains(QLatin1Char('\r')) ||
            value.contains(QLatin1Char('\n')))
            return Fallible<void>::failure(
                QStringLiteral("El camp %1 no pot contenir tabuladors ni salts de línia")
                    .arg(fields[i].name));
    }
    const QString key = m_pending[std::size_t(m_keyField)].toString();
    if (duplicates == Duplicates::Refuse && m_keys.contains(key))
        return Fallible<void>::failure(QStringLiteral("Ja existeix %1").arg(key));
    if (m_state == EditState::Edit)
        m_table.replaceAt(m_row, m_pending);
    else
        m_table.insertAt(m_row, m_pending);
    m_table.current = m_row;
    m_keys.add(key);
    m_state = EditState::Browse;
    m_pending.clear();
    return Fallible<void>::success();
}

void KeyedTable::cancel()
{
    if (m_state == EditState::Edit)
        m_keys.add(m_editKey); // the row keeps its key
    m_state = EditState::Browse;
    m_pending.clear();
}

void KeyedTable::deleteRow(int row)
{
    if (m_state != EditState::Browse || row < 0 || row >= rowCount())
        return;
    m_keys.remove(m_table.value(row, m_table.fields()[std::size_t(m_keyField)].name).toString());
    m_table.removeAt(row);
}

void KeyedTable::reorder(const std::vector<int> &order)
{
    if (m_state != EditState::Browse || int(order.size()) != rowCount())
        return;
    std::vector<MemTable::Record> rows;
    rows.reserve(order.size());
    for (const int i : order)
        rows.push_back(m_table.record(i));
    for (int i = 0; i < int(rows.size()); ++i)
        m_table.replaceAt(i, rows[std::size_t(i)]);
}

QString KeyedTable::rowsText() const
{
    QString out;
    const auto &fields = m_table.fields();
    for (int r = 0; r < rowCount(); ++r) {
        const MemTable::Record &rec = m_table.record(r);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0)
                out += QLatin1Char('\t');
            if (fields[f].kind == MemTable::FieldKind::Boolean)
                out += rec[f].toBool() ? QLatin1Char('1') : QLatin1Char('0');
            else
                out += rec[f].toString();
        }
        out += QLatin1String("\r\n");
    }
    return out;
}

Fallible<void> KeyedTable::readRows(const QString &text, const QString &path)
{
    const auto &fields = m_table.fields();
    const QStringList lines = splitTextLines(text);
    int lineNo = 0;
    for (const QString &line : lines) {
        ++lineNo;
        if (line.isEmpty())
            continue;
        const QStringList pieces = line.split(QLatin1Char('\t'));
        if (pieces.size() > qsizetype(fields.size()))
            return Fallible<void>::failure(
                QStringLiteral("La línia %1 de l'arxiu %2 té més camps dels que té la llista")
                    .arg(lineNo)
                    .arg(path));
        MemTable::Record rec = m_table.emptyRecord();
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            const MemTable::Field &f = fields[std::size_t(i)];
            // A longer value would be cut: a password cut short would open to another text.
            if (f.kind == MemTable::FieldKind::String && f.width > 0 && pieces[i].size() > f.width)
                return Fallible<void>::failure(
                    QStringLiteral("La línia %1 de l'arxiu %2 té el camp %3 massa llarg")
                        .arg(lineNo)
                        .arg(path, f.name));
            if (!m_table.setField(rec, int(i), pieces[i]))
                return Fallible<void>::failure(
                    QStringLiteral("La línia %1 de l'arxiu %2 té un valor no vàlid al camp %3")
                        .arg(lineNo)
                        .arg(path, f.name));
        }
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].required && rec[i].isNull())
                return Fallible<void>::failure(
                    QStringLiteral("La línia %1 de l'arxiu %2 no té valor al camp %3")
                        .arg(lineNo)
                        .arg(path, fields[i].name));
        // Rows repeated by hand load all the same: nothing readable is dropped, and the key
        // list keeps the name reserved while any of them holds it.
        m_keys.add(rec[std::size_t(m_keyField)].toString());
        (void)m_table.append(rec);
    }
    return Fallible<void>::success();
}

Fallible<void> KeyedTable::load(const QString &path)
{
    emptyTable();
    m_loaded = false;
    m_unreadable = false;
    if (path.isEmpty())
        return Fallible<void>::failure(QString());
    // A plain copy left by an older program would hold the passwords in clear.
    QFile::remove(transientPath(path));
    QFile file(path);
    if (!file.exists())
        return Fallible<void>::failure(QString());
    m_unreadable = true;
    if (!file.open(QIODevice::ReadOnly))
        return Fallible<void>::failure(
            QStringLiteral("No s'ha pogut llegir l'arxiu %1:\r\n%2").arg(path, file.errorString()));
    const QByteArray encoded = file.readAll();
    if (!looksLikeBase64(encoded))
        return Fallible<void>::failure(notAListMessage(path));
    const QByteArray plain = decodeBase64Bytes(encoded);
    if (!looksLikeText(plain))
        return Fallible<void>::failure(notAListMessage(path));
    const DecodedText decoded = decode8BitText(plain);
    if (auto read = readRows(decoded.text, path); !read.ok()) {
        emptyTable();
        return read;
    }
    m_encoding = decoded.encoding;
    m_encodingKnown = true;
    m_table.modified = false;
    m_table.current = rowCount() > 0 ? 0 : -1;
    m_loaded = true;
    m_unreadable = false;
    return Fallible<void>::success();
}

Fallible<void> KeyedTable::save(const QString &path, Prompter &prompter)
{
    if (m_state != EditState::Browse) {
        if (prompter.AskYes(QStringLiteral("Voleu guardar els canvis d'aquest registre?"))) {
            if (auto posted = post(); !posted.ok()) {
                prompter.ShowError(posted.error());
                return posted;
            }
        } else {
            cancel();
        }
    }
    if (!m_table.isOpen()) {
        const QString why =
            QStringLiteral("La base de dades %1 no està oberta").arg(m_table.name());
        prompter.ShowError(why);
        return Fallible<void>::failure(why);
    }
    if (m_unreadable && QFile::exists(path)) {
        const QString why =
            QStringLiteral("No es desa la llista %1:\r\nl'arxiu que hi ha no s'ha pogut llegir i "
                           "es perdria")
                .arg(path);
        prompter.ShowError(why);
        return Fallible<void>::failure(why);
    }
    if (!EnsureWritable(path, prompter))
        return Fallible<void>::failure(QString());
    const QString text = rowsText();
    const QByteArray plain =
        encode8BitText(text, m_encodingKnown ? m_encoding : encodingForNewText(text));
    const bool existed = QFile::exists(path);
    const WriteOutcome written = writeFileAtomically(path, encodeBase64Bytes(plain));
    if (!written.ok) {
        const QString why = QStringLiteral("S'ha produït un error en crear\r\n%1").arg(path);
        prompter.ShowError(why);
        return Fallible<void>::failure(why);
    }
    // A new list holds passwords: only its owner reads it, where the file system keeps owners.
    if (!existed)
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(transientPath(path));
    m_table.modified = false;
    m_loaded = true;
    return Fallible<void>::success();
}
